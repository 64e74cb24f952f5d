#pragma once
// The volume law: a linear volume 0..1 becomes a buffer attenuation in hundredths of a decibel,
// (1 - v) x -5000, or silence (-10000) once 1 - v is above 0.97.

#include <cmath>
#include <cstdint>

inline int32_t VolumeToAttenuation(float volume) {
  const float attenuation = 1.0f - volume;
  if (!(attenuation <= 0.97f)) return -10000;  // also a volume that is not a number
  if (attenuation <= 0.0f) return 0;           // louder than recorded is not possible
  return static_cast<int32_t>(attenuation * -5000.0f);
}

// A stored volume 0..1 as a whole percent, to the nearest; what is not a number counts as full.
inline int VolumeToPercent(float volume) {
  if (!std::isfinite(volume)) return 100;
  if (volume <= 0.0f) return 0;
  if (volume >= 1.0f) return 100;
  return static_cast<int>(std::lround(volume * 100.0f));
}
