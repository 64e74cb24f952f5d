#pragma once
// An emitter with keyed curves: over one cycle it emits particles at a keyed rate, and each
// particle moves, turns, grows and changes colour along keyed curves over its own life, with
// optional gravity and a bouncing floor. Loaded systems (particle files) are templates; a running
// effect is a copy. Every system is updated once a frame by the render manager's ParticleManager
// and draws through its own ParticleSystemInstance.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "source/Resources/cResourcePtr.h"
#include "source/math/Vector.h"
#include "source/math/cBoundingBox.h"
#include "source/particle/ParticleFile.h"
#include "source/texture/TextureResource.h"

class CameraHandle;
class ParticleSystemInstance;
class RenderObject;
class ShaderHolder;
class cStream;

struct Particle {
  bool free = true;
  uint32_t sprite = 0;  // index in the instance
  float lifetime = 0.0f;
  float age = 0.0f;
  Vector3 direction;
  Vector3 directions[kParticleKeys];
  float speeds[kParticleKeys] = {};
  float rotations[kParticleKeys] = {};
  float speed_factor = 1.0f;
  float fall_speed = 0.0f;
};

class ParticleSystem {
 public:
  // Reads a particle file (a damaged one is logged and gives a system without particles) and draws
  // with the "texture" resource of the same name, through `camera` (the particle managers' camera
  // when null).
  ParticleSystem(cStream& stream, const std::string& name, CameraHandle* camera = nullptr);
  // A running copy: the same settings and play state, its own instance and particles.
  ParticleSystem(const ParticleSystem& other);
  ParticleSystem& operator=(const ParticleSystem&) = delete;
  ~ParticleSystem();

  // Emission and motion over dt seconds, while the render object is visible and not paused.
  void Update(float dt);

  RenderObject* GetRenderObject() const;
  ShaderHolder* GetShaderHolder() const;
  ParticleSystemInstance* GetInstance() const { return m_instance.get(); }
  const ParticleFileData& GetData() const { return m_data; }
  const std::string& GetName() const { return m_name; }

  bool IsEmitting() const { return m_emitting; }
  void SetEmitting(bool emitting) { m_emitting = emitting; }
  bool IsLooping() const { return m_looping; }
  void SetLooping(bool looping) { m_looping = looping; }
  bool IsPaused() const { return m_paused; }
  void SetPaused(bool paused) { m_paused = paused; }
  float GetCycleDuration() const { return m_data.cycle_duration; }
  void SetCycleDuration(float seconds) { m_data.cycle_duration = seconds; }
  float GetCycleTime() const { return m_cycle_time; }
  // Particles alive after the last update, and the most ever alive at once.
  uint32_t GetLiveCount() const { return m_live; }
  uint32_t GetPeakLiveCount() const { return m_peak; }
  uint32_t GetMaxParticles() const { return static_cast<uint32_t>(m_particles.size()); }
  // Stopped emitting and every particle has died.
  bool IsFinished() const { return !m_emitting && m_live == 0; }

  const Vector3& GetEmitterPosition() const { return m_emitter; }
  void SetEmitterPosition(const Vector3& position) { m_emitter = position; }
  uint32_t GetEmitterShape() const { return m_data.emitter_shape; }
  void SetEmitterShape(uint32_t shape) { m_data.emitter_shape = shape; }
  // Offsets from the emitter: a box (shape 1), and points or segments through them (shape 2).
  void SetEmitterBox(const Vector3& minimum, const Vector3& maximum) {
    m_box_min = minimum;
    m_box_max = maximum;
  }
  void SetEmitterPoints(std::vector<Vector3> points, bool along_segments) {
    m_points = std::move(points);
    m_along_segments = along_segments;
  }
  const cBoundingBox& GetFileBounds() const { return m_bounds; }
  const Particle& GetParticle(uint32_t index) const { return m_particles[index]; }

 private:
  void MakeParticles(CameraHandle* camera, bool sort_by_depth);
  void Emit(float dt);
  bool Spawn(float life_min, float life_max);
  Vector3 SpawnOffset() const;
  void MakeKeys(Particle& particle) const;
  void MoveParticles(float dt);
  void Move(Particle& particle, float dt);
  void Kill(uint32_t index);

  std::string m_name;
  ParticleFileData m_data;
  cResourcePtr<TextureResource> m_texture;
  std::unique_ptr<ParticleSystemInstance> m_instance;
  bool m_paused = false;
  float m_cycle_time = 0.0f;
  bool m_looping = false;
  bool m_emitting = false;
  float m_accumulator = 0.0f;
  std::deque<uint32_t> m_free;
  std::vector<Particle> m_particles;
  uint32_t m_live = 0;
  uint32_t m_peak = 0;
  int32_t m_last_key = -1;
  Vector3 m_emitter;
  cBoundingBox m_bounds;
  Vector3 m_box_min;
  Vector3 m_box_max;
  std::vector<Vector3> m_points;
  bool m_along_segments = false;
};
