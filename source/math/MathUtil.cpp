#include "source/math/MathUtil.h"

#include <cmath>

float Clamp(float value, float minimum, float maximum) {
  if (value < minimum) return minimum;
  if (value > maximum) return maximum;
  return value;
}

float Abs(float value) { return std::fabs(value); }

float Sqrt(float value) { return std::sqrt(value); }

namespace {

uint32_t PackChannel(float c) {
  if (c >= 1.0f) return 255;
  // Written as "not above zero" so that a NaN channel packs to 0 instead of an undefined cast.
  if (!(c > 0.0f)) return 0;
  return static_cast<uint32_t>(c * 255.0f + 0.5f);
}

}  // namespace

uint32_t PackColorARGB(float r, float g, float b, float a) {
  return PackChannel(a) << 24 | PackChannel(r) << 16 | PackChannel(g) << 8 | PackChannel(b);
}

bool IsPowerOfTwo(uint32_t n) { return n == 0 || (n <= 65536 && (n & (n - 1)) == 0); }

uint32_t NearestPowerOfTwo(uint32_t n) {
  if (n <= 1) return n;
  // Worked in 64 bits: above 2^31 the next power of two does not fit in 32.
  uint64_t p = 1;
  while (p < n) p <<= 1;
  const uint64_t q = p / 2;
  const uint64_t result = (p - n > n - q) ? q : p;
  // 2^32 cannot be returned; the largest power of two that fits stands in for it.
  return result > UINT32_MAX ? 0x80000000u : static_cast<uint32_t>(result);
}
