#include "source/texture/TextureHandle.h"

#include "source/texture/TextureManager.h"

TextureHandle::TextureHandle(const std::string& name, const CountedPtr<Image>& image, bool mip_maps)
    : m_texture(TextureManager::GetInstance()->MakeTexture(name, std::string(), std::string(), mip_maps)) {
  m_texture->ShareImage(image);  // the surface is built when the texture is first drawn
}

TextureHandle::TextureHandle(const std::string& name, const std::string& color_file, const std::string& alpha_file,
                             bool mip_maps)
    : m_texture(TextureManager::GetInstance()->MakeTexture(name, color_file, alpha_file, mip_maps)),
      m_color_file(color_file),
      m_alpha_file(alpha_file) {}
