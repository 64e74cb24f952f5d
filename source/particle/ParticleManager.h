#pragma once
// Keeps every particle system (loaded templates and running effects alike, owned elsewhere) and
// updates them once a frame in the render pass. Running effects are also listed here: one that has
// stopped emitting and whose last particle has died is hidden and dropped from the list.

#include <vector>

#include "source/core/SlotArray.h"

class ParticleSystem;

class ParticleManager {
 public:
  ParticleManager() = default;
  ParticleManager(const ParticleManager&) = delete;
  ParticleManager& operator=(const ParticleManager&) = delete;

  void AddSystem(ParticleSystem* system);
  // Also forgets it as a running effect.
  void RemoveSystem(ParticleSystem* system);
  // Listed once however often it is started.
  void AddRunningEffect(ParticleSystem* system);

  // Every system over the timer's frame delta; then finished effects are hidden and dropped.
  void Update();
  void Update(float dt);

  const cSlotArray<ParticleSystem>& GetSystems() const { return m_systems; }
  const std::vector<ParticleSystem*>& GetRunningEffects() const { return m_running; }

 private:
  cSlotArray<ParticleSystem> m_systems;
  std::vector<ParticleSystem*> m_running;
};
