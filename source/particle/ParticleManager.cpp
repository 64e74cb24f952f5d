#include "source/particle/ParticleManager.h"

#include <algorithm>

#include "source/particle/ParticleSystem.h"
#include "source/render/RenderObject.h"
#include "source/timer/cTimerManager.h"

void ParticleManager::AddSystem(ParticleSystem* system) { m_systems.Add(system); }

void ParticleManager::RemoveSystem(ParticleSystem* system) {
  m_systems.Remove(system);
  m_running.erase(std::remove(m_running.begin(), m_running.end(), system), m_running.end());
}

void ParticleManager::AddRunningEffect(ParticleSystem* system) {
  if (system != nullptr && std::find(m_running.begin(), m_running.end(), system) == m_running.end()) {
    m_running.push_back(system);
  }
}

void ParticleManager::Update() {
  cTimerManager* timers = cTimerManager::PeekInstance();
  Update(timers != nullptr ? timers->GetFrameDelta() : 0.0f);
}

void ParticleManager::Update(float dt) {
  for (std::size_t i = 0; i < m_systems.SlotCount(); ++i) {
    if (ParticleSystem* system = m_systems.At(i)) system->Update(dt);
  }
  // Trails and sparkles live out their particles after the emitter stops.
  auto finished = [](ParticleSystem* system) {
    if (!system->IsFinished()) return false;
    system->GetRenderObject()->SetVisible(false);
    return true;
  };
  m_running.erase(std::remove_if(m_running.begin(), m_running.end(), finished), m_running.end());
}
