#include "source/particle/ParticleInstanceManager.h"

#include "source/camera/CameraManager.h"
#include "source/particle/ParticleSystemInstance.h"

std::unique_ptr<ParticleSystemInstance> ParticleInstanceManager::CreateInstance(
    uint32_t count, const cResourcePtr<TextureResource>& texture, CameraHandle* camera, bool sort_by_depth) {
  auto instance = std::make_unique<ParticleSystemInstance>(count, texture, camera != nullptr ? camera : GetDefaultCamera(),
                                                           sort_by_depth);
  m_instances.Add(instance.get());
  return instance;
}

void ParticleInstanceManager::RemoveInstance(ParticleSystemInstance* instance) { m_instances.Remove(instance); }

void ParticleInstanceManager::BuildBillboards() {
  for (std::size_t i = 0; i < m_instances.SlotCount(); ++i) {
    if (ParticleSystemInstance* instance = m_instances.At(i)) instance->Render();
  }
}

CameraHandle* ParticleInstanceManager::GetDefaultCamera() const {
  if (m_default_camera != nullptr) return m_default_camera;
  return m_cameras != nullptr ? m_cameras->GetDefaultCamera() : nullptr;
}
