#pragma once
// Particle files and systems made in code for the particle tests.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "source/particle/ParticleEffectOwner.h"
#include "source/particle/ParticleFile.h"
#include "source/particle/ParticleSystem.h"
#include "source/render/RenderObject.h"
#include "source/stream/cMemoryStream.h"
#include "tests/support/Found.h"

// Every field a different number, so that a field read from the wrong place shows.
inline ParticleFileData NumberedParticleFile(uint32_t version) {
  ParticleFileData d;
  d.version = version;
  d.max_particles = 64;
  d.cycle_duration = 2.5f;
  d.gravity_on = d.floor_on = d.die_when_stopped = d.interpolate_emission = 1;
  d.gravity = 9.5f, d.floor_height = -3.0f, d.bounce = 0.5f, d.min_speed_factor = 0.125f;
  for (uint32_t k = 0; k < kParticleKeys; ++k) {
    const float n = static_cast<float>(k + 1);
    d.emission[k] = 10 + n, d.life_min[k] = 20 + n, d.life_max[k] = 30 + n;
    d.direction[k] = Vector3(40 + n, 41 + n, 42 + n), d.direction_variance[k] = Vector3(50 + n, 51 + n, 52 + n);
    d.color[k] = Vector4(60 + n, 61 + n, 62 + n, 63 + n);
    d.size[k] = 70 + n, d.speed[k] = 80 + n, d.speed_variance[k] = 90 + n;
    d.rotation[k] = 100 + n, d.rotation_variance[k] = 110 + n;
  }
  d.emitter_shape = kEmitterBox;
  d.box_min = Vector3(-1, -2, -3);
  d.box_max = Vector3(1, 2, 3);
  return d;
}

// A calm system: one key of everything, steady colours and sizes, no variance.
inline ParticleFileData PlainParticleFile(uint32_t count, float duration) {
  ParticleFileData d;
  d.max_particles = count;
  d.cycle_duration = duration;
  for (uint32_t k = 0; k < kParticleKeys; ++k) {
    d.life_min[k] = d.life_max[k] = 1.0f;
    d.direction[k] = Vector3(1, 0, 0);
    d.color[k] = Vector4(1, 1, 1, 1);
    d.size[k] = 2.0f;
    d.speed[k] = 1.0f;
  }
  return d;
}

inline std::unique_ptr<ParticleSystem> SystemOf(const ParticleFileData& d, const std::string& name = "fx\\spark") {
  cMemoryStream file;
  WriteParticleFile(file, d);
  file.Seek(0, 0);
  return std::make_unique<ParticleSystem>(file, name);
}

// Shows the system's render object and lets it emit.
inline void StartEmitting(ParticleSystem& system, bool looping = false) {
  Found(system.GetRenderObject()).SetVisible(true);
  system.SetLooping(looping);
  system.SetEmitting(true);
}

// A window that holds effects: it records what enters and leaves its draw list.
class RecordingOwner : public ParticleEffectOwner {
 public:
  void InsertIntoDrawList(RenderObject* object) override { objects.push_back(object); }
  void RemoveFromDrawLists(RenderObject* object) override {
    objects.erase(std::remove(objects.begin(), objects.end(), object), objects.end());
  }
  Vector3 GetWorldPosition() const override { return position; }

  std::vector<RenderObject*> objects;
  Vector3 position;
};
