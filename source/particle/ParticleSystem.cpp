#include "source/particle/ParticleSystem.h"

#include <algorithm>
#include <cmath>

#include "source/log/cLog.h"
#include "source/math/Rand.h"
#include "source/particle/ParticleInstanceManager.h"
#include "source/particle/ParticleManager.h"
#include "source/particle/ParticleSystemInstance.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderObject.h"

namespace {

constexpr const char* kSource = "source\\particle\\ParticleSystem";
constexpr float kShortKey = 0.05f;
constexpr float kUnitsPerSecond = 100.0f;  // speeds are in hundreds of units a second
// Rotation keys are radians a frame of a game running at 60 frames a second; the spin is scaled
// by the frame time so that an effect turns as fast at any frame rate.
constexpr float kRotationFramesPerSecond = 60.0f;
constexpr float kAboveFloor = 0.0001f;
constexpr float kPastLifetime = 1e-05f;

ParticleManager* Systems() {
  RenderManager* manager = RenderManager::GetInstance();
  return manager->GetParticleManager();
}

// Where a curve of six keys stands at a phase of 0 to 5: the key below, the key after it (the
// first again after the last) and the weight of the key after.
struct KeyBlend {
  uint32_t i = 0, j = 1;
  float f = 0.0f, g = 1.0f;
};
KeyBlend BlendAt(float phase) {
  KeyBlend k;
  if (!(phase > 0.0f)) return k;
  k.i = std::min(static_cast<uint32_t>(phase), kParticleKeys - 1);
  k.j = k.i + 1 == kParticleKeys ? 0 : k.i + 1;
  k.f = std::min(phase - static_cast<float>(k.i), 1.0f);
  k.g = 1.0f - k.f;
  return k;
}

float Mix(const KeyBlend& k, const float* keys) { return k.g * keys[k.i] + k.f * keys[k.j]; }
Vector3 Mix(const KeyBlend& k, const Vector3* keys) { return keys[k.i] * k.g + keys[k.j] * k.f; }
Vector4 Mix(const KeyBlend& k, const Vector4* keys) { return keys[k.i] * k.g + keys[k.j] * k.f; }

bool Finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
float FiniteOr0(float value) { return std::isfinite(value) ? value : 0.0f; }

}  // namespace

ParticleSystem::ParticleSystem(cStream& stream, const std::string& name, CameraHandle* camera) : m_name(name) {
  Systems()->AddSystem(this);
  if (!ReadParticleFile(stream, name, m_data)) m_data.max_particles = 0;
  if (m_data.max_particles > kMaxParticles) {
    LogReport(kLogWarning, kSource, __LINE__, "particle system %s: %u particles asked for, %u kept", name.c_str(),
              m_data.max_particles, kMaxParticles);
    m_data.max_particles = kMaxParticles;
  }
  m_bounds.Set(m_data.box_min, m_data.box_max);
  m_box_min = m_data.box_min;
  m_box_max = m_data.box_max;
  m_texture.Assign(name);
  MakeParticles(camera, false);
}

ParticleSystem::ParticleSystem(const ParticleSystem& other)
    : m_name(other.m_name),
      m_data(other.m_data),
      m_texture(other.m_texture),
      m_paused(other.m_paused),
      m_looping(other.m_looping),
      m_emitting(other.m_emitting),
      m_emitter(other.m_emitter),
      m_bounds(other.m_bounds),
      m_box_min(other.m_box_min),
      m_box_max(other.m_box_max),
      m_points(other.m_points),
      m_along_segments(other.m_along_segments) {
  Systems()->AddSystem(this);
  const RenderObject* object = other.GetRenderObject();
  MakeParticles(object != nullptr ? object->GetCamera() : nullptr, other.m_instance->GetSortByDepth());
}

ParticleSystem::~ParticleSystem() {
  if (RenderManager* manager = RenderManager::PeekInstance()) {
    if (ParticleInstanceManager* instances = manager->GetParticleInstanceManager()) {
      instances->RemoveInstance(m_instance.get());
    }
    if (ParticleManager* systems = manager->GetParticleManager()) systems->RemoveSystem(this);
  }
}

void ParticleSystem::MakeParticles(CameraHandle* camera, bool sort_by_depth) {
  const uint32_t count = m_data.max_particles;
  m_instance = RenderManager::GetInstance()->GetParticleInstanceManager()->CreateInstance(count, m_texture, camera,
                                                                                          sort_by_depth);
  m_particles.assign(count, Particle());
  m_free.clear();
  for (uint32_t i = 0; i < count; ++i) m_free.push_back(i);
}

RenderObject* ParticleSystem::GetRenderObject() const { return m_instance->GetRenderObject(); }

ShaderHolder* ParticleSystem::GetShaderHolder() const { return &GetRenderObject()->GetShaderHolder(); }

void ParticleSystem::Update(float dt) {
  if (m_paused || !GetRenderObject()->IsVisible()) return;
  dt = FiniteOr0(dt);
  Emit(dt);
  MoveParticles(dt);
}

void ParticleSystem::Emit(float dt) {
  if (!m_emitting) return;
  const float duration = m_data.cycle_duration;
  const bool has_cycle = duration > 0.0f && std::isfinite(duration);
  m_cycle_time += dt;
  if (!has_cycle || m_cycle_time >= duration) {
    if (!m_looping) {
      m_emitting = false;
      m_cycle_time = 0.0f;
      m_last_key = -1;
      return;
    }
    // A looping system without a cycle stays on its first key.
    m_cycle_time = has_cycle ? std::fmod(m_cycle_time, duration) : 0.0f;
    if (!(m_cycle_time < duration)) m_cycle_time = 0.0f;
  }
  const KeyBlend key = BlendAt(has_cycle ? m_cycle_time / duration * 5.0f : 0.0f);
  float life_min = m_data.life_min[key.i], life_max = m_data.life_max[key.i];
  if (m_data.interpolate_emission) {
    m_accumulator += dt * Mix(key, m_data.emission);
    life_min = Mix(key, m_data.life_min);
    life_max = Mix(key, m_data.life_max);
  } else if (static_cast<int32_t>(key.i) != m_last_key) {
    m_accumulator += m_data.emission[key.i];  // a burst a key
  }
  m_last_key = static_cast<int32_t>(key.i);
  if (!std::isfinite(m_accumulator)) m_accumulator = 0.0f;
  if (m_accumulator < 1.0f) return;
  const float n = std::floor(m_accumulator);
  m_accumulator -= n;
  // Counted in float: a huge rate spawns what the free particles allow, never more.
  for (float spawned = 0.0f; spawned < n && !m_free.empty(); spawned += 1.0f) {
    if (!Spawn(life_min, life_max)) break;
  }
}

Vector3 ParticleSystem::SpawnOffset() const {
  switch (m_data.emitter_shape) {
    case kEmitterBox:
      return Vector3(RandRange(m_box_min.x, m_box_max.x), RandRange(m_box_min.y, m_box_max.y),
                     RandRange(m_box_min.z, m_box_max.z));
    case kEmitterPoints: {
      const std::size_t count = m_points.size();
      if (count == 0) return Vector3();
      if (!m_along_segments || count == 1) return m_points[RandInt(static_cast<uint32_t>(count - 1))];
      const uint32_t segment = RandInt(static_cast<uint32_t>(count - 2));
      const Vector3& a = m_points[segment];
      return a + (m_points[segment + 1] - a) * RandFloat();
    }
    default:
      return Vector3();
  }
}

bool ParticleSystem::Spawn(float life_min, float life_max) {
  const uint32_t index = m_free.front();
  Vector3 position = m_emitter + SpawnOffset();
  if (!Finite(position)) position = Finite(m_emitter) ? m_emitter : Vector3();
  const uint32_t sprite =
      m_instance->AddSprite(position, FiniteOr0(m_data.size[0]), m_data.color[0]);
  if (sprite == kNoSprite) return false;
  m_free.pop_front();
  Particle& p = m_particles[index];
  p.free = false;
  p.sprite = sprite;
  p.lifetime = FiniteOr0(RandRange(life_min, life_max));
  p.age = 0.0f;
  p.direction = Vector3();
  MakeKeys(p);
  p.speed_factor = 1.0f;
  p.fall_speed = 0.0f;
  return true;
}

void ParticleSystem::MakeKeys(Particle& p) const {
  for (uint32_t k = 0; k < kParticleKeys; ++k) {
    const Vector3& key = m_data.direction[k];
    const Vector3& variance = m_data.direction_variance[k];
    if (k == 0 || key.Length() >= kShortKey || variance.Length() >= kShortKey) {
      const float rx = RandSigned(), ry = RandSigned(), rz = RandSigned();
      p.directions[k] = Vector3(key.x + variance.x * rx, key.y + variance.y * ry, key.z + variance.z * rz);
      p.directions[k].Normalize();  // a zero vector stays zero: it never becomes NaN
    } else {
      p.directions[k] = p.directions[k - 1];
    }
    p.speeds[k] = m_data.speed[k] + m_data.speed_variance[k] * RandSigned();
    p.rotations[k] = m_data.rotation[k] + m_data.rotation_variance[k] * RandSigned();
  }
}

void ParticleSystem::MoveParticles(float dt) {
  // Counted afresh each update: the particles alive now.
  m_live = 0;
  for (uint32_t index = 0; index < m_particles.size(); ++index) {
    Particle& p = m_particles[index];
    if (p.free) continue;
    p.age += dt;
    if (!(p.age < p.lifetime)) {
      Kill(index);
      continue;
    }
    Move(p, dt);
    ++m_live;
  }
  m_peak = std::max(m_peak, m_live);
}

void ParticleSystem::Move(Particle& p, float dt) {
  ParticleSprite& sprite = *m_instance->GetSprite(p.sprite);
  const KeyBlend key = BlendAt(p.age / p.lifetime * 5.0f);
  const float speed = Mix(key, p.speeds) * p.speed_factor;
  Vector3 direction = Mix(key, p.directions);
  direction.Normalize();
  Vector3 move = direction * (speed * kUnitsPerSecond * dt);
  if (m_data.gravity_on) {
    p.fall_speed += m_data.gravity * dt;
    move.z -= dt * p.fall_speed * kUnitsPerSecond;
  }
  // A flight that would leave the numbers behind stays where it is.
  const Vector3 moved = sprite.position + move;
  if (Finite(moved)) sprite.position = moved;
  sprite.rotation = FiniteOr0(sprite.rotation + Mix(key, p.rotations) * (dt * kRotationFramesPerSecond));
  if (m_data.floor_on && sprite.position.z < m_data.floor_height) {
    sprite.position.z = m_data.floor_height + kAboveFloor;
    p.fall_speed = 0.0f;
    p.speed_factor *= m_data.bounce;
    if (!(p.speed_factor >= m_data.min_speed_factor)) {
      p.speed_factor = 0.0f;
      if (m_data.die_when_stopped) p.age = p.lifetime + kPastLifetime;
    }
    Vector3 bounced(move.x, move.y, std::fabs(move.z));
    bounced.Normalize();
    p.direction = bounced;
    for (Vector3& d : p.directions) d = bounced;
  }
  sprite.color = Mix(key, m_data.color);
  sprite.size = FiniteOr0(Mix(key, m_data.size));
}

void ParticleSystem::Kill(uint32_t index) {
  Particle& p = m_particles[index];
  m_instance->KillSprite(p.sprite);
  p.free = true;
  m_free.push_back(index);
}
