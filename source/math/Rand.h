#pragma once
// The program's one pseudo-random source: a linear congruential generator over one global
// 32-bit state. The state starts at 0 and is never seeded, so every run draws the same sequence.
// Main thread only.

#include <cstdint>

// The generator's state; call sites that step it inline read and write it directly.
extern uint32_t g_rand_state;

// Advances the state and returns bits 16 to 30 of it: 0..32767.
uint32_t Rand();
// 0..n. Draws one number.
uint32_t RandInt(uint32_t n);
// Rand / 32768: 0 up to 0.999969482421875, never 1.
float RandFloat();
// True with a chance of (n mod 100) percent; draws nothing when that is 0.
bool RandChance(uint32_t n);
// a + (b - a) x RandFloat.
float RandRange(float a, float b);
// -1 up to (not including) 1.
float RandSigned();
// a + (-1..1) x b.
float RandAround(float a, float b);
