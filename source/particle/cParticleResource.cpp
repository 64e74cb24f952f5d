#include "source/particle/cParticleResource.h"

#include "source/stream/cMemoryStream.h"

void cParticleResource::RegisterType() {
  cResourceManager* manager = cResourceManager::GetInstance();
  manager->RegisterResourceType<cParticleResource>();
  manager->RegisterResourceExtension("psf", kTypeName);
  manager->RegisterResourceType<cParticlesResource>();
}

bool cParticleResource::Load() {
  cMemoryStream data;
  LoadData(data);
  m_system = std::make_unique<ParticleSystem>(data, GetName());
  return m_system->GetMaxParticles() > 0;
}

bool cParticleResource::Unload() {
  m_system.reset();
  return true;
}
