#pragma once
// Colours given as floats (0 to 1) turned into the device's ARGB words. Out-of-range components are
// clamped and a NaN one (a fade divided by a zero duration, say) counts as 0, so no float ever
// reaches an integer conversion it does not fit.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "source/math/Vector.h"

inline uint32_t ColorByte(float component) {
  if (!(component > 0.0f)) return 0;  // also NaN
  return static_cast<uint32_t>(std::round(std::min(component, 1.0f) * 255.0f));
}

// x, y, z, w = red, green, blue, alpha.
inline uint32_t ArgbFromColor(const Vector4& c) {
  return (ColorByte(c.w) << 24) | (ColorByte(c.x) << 16) | (ColorByte(c.y) << 8) | ColorByte(c.z);
}
