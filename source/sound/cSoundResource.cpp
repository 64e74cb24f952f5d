#include "source/sound/cSoundResource.h"

#include <string>

#include "source/log/cLog.h"
#include "source/sound/SoundCheck.h"

namespace {

constexpr const char* kSource = "source\\sound\\cSoundResource";

}  // namespace

bool cSoundResource::Load() {
  cStream* stream = nullptr;
  if (!GetSource().GetMethod().empty()) {
    if (!LoadData(m_data)) return false;
    stream = &m_data;
  } else {
    stream = GetSource().Open();
    if (stream == nullptr) return false;
  }
  // Checked once, as it is loaded: the channels made from it each time it plays say nothing.
  const std::string damage = DescribeSoundDamage(*stream);
  if (!damage.empty()) {
    const std::string& path = GetSource().GetPath();
    LogReport(kLogWarning, kSource, __LINE__, "sound %s (%s): %s", GetName().c_str(),
              path.empty() ? "no file" : path.c_str(), damage.c_str());
  }
  return true;
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
