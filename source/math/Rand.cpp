#include "source/math/Rand.h"

uint32_t g_rand_state = 0;

uint32_t Rand() {
  g_rand_state = g_rand_state * 1664525u + 1013904223u;
  return (g_rand_state >> 16) & 0x7FFF;
}

uint32_t RandInt(uint32_t n) {
  const uint32_t range = n + 1;
  const uint32_t value = Rand();
  // n = 4294967295 wraps the range to 0: every value Rand can give is already within 0..n.
  return range == 0 ? value : value % range;
}

float RandFloat() { return static_cast<float>(Rand()) * 3.0517578125e-5f; }

bool RandChance(uint32_t n) {
  const uint32_t percent = n % 100;
  if (percent == 0) return false;
  return Rand() % 100 < percent;
}

float RandRange(float a, float b) { return a + (b - a) * RandFloat(); }

float RandSigned() { return 2.0f * RandFloat() - 1.0f; }

float RandAround(float a, float b) { return a + (2.0f * RandFloat() - 1.0f) * b; }
