#include "source/sound/cSoundResource.h"

bool cSoundResource::Load() {
  if (!GetSource().GetMethod().empty()) return LoadData(m_data);
  return GetSource().Open() != nullptr;
}

bool cSoundResource::Unload() {
  if (m_data.GetSize() > 0) {
    m_data.Resize(0);
  } else {
    GetSource().Close();
  }
  return true;
}

bool cSoundResource::IsCompressible() { return GetSource().GetSize() < kCompressibleBelow; }

cStream* cSoundResource::GetPlayingStream() {
  if (m_data.GetSize() > 0) return &m_data;
  return GetSource().Open();
}

void RegisterSoundResourceType() {
  cResourceManager* manager = cResourceManager::GetInstance();
  manager->RegisterResourceType<cSoundResource>();
  manager->RegisterResourceExtension("wav", cSoundResource::kTypeName);
  manager->RegisterResourceExtension("ogg", cSoundResource::kTypeName);
}
