#pragma once
// Scalar helpers shared by every subsystem: clamping, colour packing and the power-of-two
// rounding that texture sizes go through.

#include <cstdint>

float Clamp(float value, float minimum, float maximum);
float Abs(float value);
float Sqrt(float value);

// 0xAARRGGBB from four channels in 0..1; channels outside the range are held at 0 or 255.
uint32_t PackColorARGB(float r, float g, float b, float a);

// True for 0 and for the powers of two up to 65536 (the texture sizes the device accepts).
bool IsPowerOfTwo(uint32_t n);

// The power of two nearest to n; a tie gives the larger one.
uint32_t NearestPowerOfTwo(uint32_t n);
