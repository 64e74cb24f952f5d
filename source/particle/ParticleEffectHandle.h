#pragma once
// A running particle effect held by a window (a flying item's trail, a sparkle on a found object):
// its own copy of a loaded particle system, drawn with the window. The effect has finished when it
// holds no system, or its system has stopped emitting and its last particle has died.

#include <memory>

#include "source/math/Vector.h"

class ParticleEffectOwner;
class ParticleSystem;
class cParticleResource;

class ParticleEffectHandle {
 public:
  // Copies the resource's system (none when the resource is null or holds none); a lifetime above 0
  // becomes the copy's cycle duration, else the file's stays. The copy's render object starts
  // hidden, in the owner's draw list.
  ParticleEffectHandle(const cParticleResource* resource, ParticleEffectOwner* owner, float lifetime);
  ~ParticleEffectHandle();
  ParticleEffectHandle(const ParticleEffectHandle&) = delete;
  ParticleEffectHandle& operator=(const ParticleEffectHandle&) = delete;

  // Puts the emitter there, shows the effect and starts emitting (a finished one starts afresh).
  void StartAt(const Vector3& position);
  // Moves the emitter (the particles already out stay where they fly).
  void SetPosition(const Vector3& position);
  // Moves the emitter to the owner window's position.
  void SetPosition();

  ParticleSystem* GetSystem() const { return m_system.get(); }
  bool IsFinished() const;

 private:
  ParticleEffectOwner* m_owner;
  std::unique_ptr<ParticleSystem> m_system;
};
