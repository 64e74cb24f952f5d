#include "source/particle/ParticleEffectHandle.h"

#include "source/particle/ParticleEffectOwner.h"
#include "source/particle/ParticleManager.h"
#include "source/particle/ParticleSystem.h"
#include "source/particle/cParticleResource.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderObject.h"

ParticleEffectHandle::ParticleEffectHandle(const cParticleResource* resource, ParticleEffectOwner* owner,
                                           float lifetime)
    : m_owner(owner) {
  if (resource == nullptr || resource->GetSystem() == nullptr) return;
  m_system = std::make_unique<ParticleSystem>(*resource->GetSystem());
  if (lifetime > 0.0f) m_system->SetCycleDuration(lifetime);
  m_system->GetRenderObject()->SetVisible(false);
  if (m_owner != nullptr) m_owner->InsertIntoDrawList(m_system->GetRenderObject());
}

ParticleEffectHandle::~ParticleEffectHandle() {
  if (m_system && m_owner != nullptr) m_owner->RemoveFromDrawLists(m_system->GetRenderObject());
}

void ParticleEffectHandle::StartAt(const Vector3& position) {
  if (!m_system) return;
  m_system->SetEmitterPosition(position);
  RenderObject* object = m_system->GetRenderObject();
  if (!object->IsVisible()) object->SetVisible(true);
  m_system->SetEmitting(true);
  if (RenderManager* manager = RenderManager::PeekInstance()) {
    if (ParticleManager* systems = manager->GetParticleManager()) systems->AddRunningEffect(m_system.get());
  }
}

void ParticleEffectHandle::SetPosition(const Vector3& position) {
  if (m_system) m_system->SetEmitterPosition(position);
}

void ParticleEffectHandle::SetPosition() {
  if (m_owner != nullptr) SetPosition(m_owner->GetWorldPosition());
}

bool ParticleEffectHandle::IsFinished() const { return !m_system || m_system->IsFinished(); }
