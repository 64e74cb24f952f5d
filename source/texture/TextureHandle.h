#pragma once
// What shaders, fonts and the "texture" resource hold of a texture: the shared texture and, for a
// texture combined from two image files, the names of its colour and alpha files.

#include <string>

#include "source/core/CountedPtr.h"
#include "source/texture/Texture2D_D3D7.h"

class Image;

class TextureHandle {
 public:
  // A texture built from an image, which it shares with the caller.
  TextureHandle(const std::string& name, const CountedPtr<Image>& image, bool mip_maps);
  // A texture combined from the "texture" resources named `color_file` and `alpha_file`.
  TextureHandle(const std::string& name, const std::string& color_file, const std::string& alpha_file,
                bool mip_maps = false);
  TextureHandle(const TextureHandle&) = default;
  TextureHandle& operator=(const TextureHandle&) = default;
  virtual ~TextureHandle() = default;

  Texture2D_D3D7* GetTexture() const { return m_texture.Get(); }
  const CountedPtr<Texture2D_D3D7>& GetTexturePtr() const { return m_texture; }
  const std::string& GetColorFile() const { return m_color_file; }
  const std::string& GetAlphaFile() const { return m_alpha_file; }

 private:
  CountedPtr<Texture2D_D3D7> m_texture;
  std::string m_color_file;
  std::string m_alpha_file;
};
