#pragma once
// Particle files ("EEPSF", extension "psf"): an emitter's settings and its keyed curves, six keys a
// curve. Versions 203, 204 (adds the speed variance) and 205 (adds rotation and its variance) are
// read; a later version is read as 204. The writer writes the layout of the version it is given.

#include <cstdint>
#include <string>

#include "source/math/Vector.h"

class cStream;

inline constexpr char kParticleFileMagic[] = "EEPSF";
inline constexpr uint32_t kParticleFileVersion = 205;  // the current one
inline constexpr uint32_t kParticleFileOldest = 203;
inline constexpr uint32_t kParticleKeys = 6;
// More particles than this are not kept (the game's effects use 256): every frame moves and draws
// each live one, so a file asking for more would slow every frame it is on screen.
inline constexpr uint32_t kMaxParticles = 2048;

// Emitter shapes (not stored in the file, which keeps the number only).
enum ParticleEmitterShape : uint32_t { kEmitterPoint = 0, kEmitterBox = 1, kEmitterPoints = 2 };

struct ParticleFileData {
  uint32_t version = kParticleFileVersion;
  uint32_t max_particles = 0;
  float cycle_duration = 1.0f;  // seconds
  uint8_t gravity_on = 0;
  float gravity = 0.0f;
  uint8_t floor_on = 0;
  float floor_height = 0.0f;  // z
  float bounce = 0.0f;
  uint8_t die_when_stopped = 0;
  float min_speed_factor = 0.0f;
  uint8_t interpolate_emission = 0;
  float emission[kParticleKeys] = {};  // particles a second (interpolated) or a burst a key
  float life_min[kParticleKeys] = {};
  float life_max[kParticleKeys] = {};
  Vector3 direction[kParticleKeys];
  Vector3 direction_variance[kParticleKeys];
  Vector4 color[kParticleKeys];
  float size[kParticleKeys] = {};  // half a sprite's side
  float speed[kParticleKeys] = {};
  float speed_variance[kParticleKeys] = {};  // version 204 and later
  uint32_t emitter_shape = kEmitterPoint;
  Vector3 box_min;
  Vector3 box_max;
  float rotation[kParticleKeys] = {};  // radians a sixtieth of a second; version 205
  float rotation_variance[kParticleKeys] = {};

  bool operator==(const ParticleFileData&) const = default;
};

// The file's size for a version (0 below the oldest).
uint32_t ParticleFileSize(uint32_t version);
// Reads the stream from its position to its end. A file of another size or magic, or of a version
// below 203, is refused with the log line naming `name`: false, and `data` is left alone.
bool ReadParticleFile(cStream& stream, const std::string& name, ParticleFileData& data);
// Writes `data` in the layout of its version (a version above 205 in that of 204); false when the
// stream took less than all of it.
bool WriteParticleFile(cStream& stream, const ParticleFileData& data);
