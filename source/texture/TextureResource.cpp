#include "source/texture/TextureResource.h"

#include "source/log/cLog.h"
#include "source/render/RenderSettings.h"
#include "source/stream/cMemoryStream.h"
#include "source/texture/ImageDamage.h"
#include "source/texture/TextureManager.h"

namespace {
constexpr const char* kSource = "source\\texture\\TextureResource";
}

void TextureResource::RegisterType() {
  cResourceManager* manager = cResourceManager::GetInstance();
  manager->RegisterResourceType<TextureResource>();
  manager->RegisterResourceExtension("tga", kTypeName);
  manager->RegisterResourceExtension("jpg", kTypeName);
}

bool TextureResource::Load() {
  cMemoryStream data;
  LoadData(data);
  m_handle.reset();
  m_image.Reset(new Image);
  if (s_decode_observer != nullptr) s_decode_observer(GetName());
  TakeImageDamage();  // a note left by another caller's picture is not this one's
  if (!TextureManager::GetInstance()->LoadImage(*m_image, data)) {
    LogReport(kLogWarning, kSource, __LINE__, "texture %s: no picture could be read from its %u bytes", GetName().c_str(),
              data.GetSize());
  }
  if (const std::string damage = TakeImageDamage(); !damage.empty()) {
    const std::string& path = GetSource().GetPath();
    LogReport(kLogWarning, kSource, __LINE__, "texture %s (%s): %s", GetName().c_str(),
              path.empty() ? "no file" : path.c_str(), damage.c_str());
  }
  return false;
}

TextureHandle* TextureResource::GetHandle() const {
  if (!m_handle && m_image) m_handle = std::make_unique<TextureHandle>(GetName(), m_image, g_render_settings.show_mip_maps);
  return m_handle.get();
}

bool TextureResource::Unload() {
  m_handle.reset();
  m_image.Reset();
  return true;
}
