#include "source/texture/TextureManager.h"

#include "source/stream/cStream.h"
#include "source/texture/Image.h"
#include "source/texture/JpegImageLoader.h"
#include "source/texture/Texture2D_D3D7.h"
#include "source/texture/TextureCombine.h"
#include "source/texture/TgaImageLoader.h"

TextureManager::TextureManager() {
  RegisterLoader("tga", std::make_unique<TgaImageLoader>());
  RegisterLoader("jpg", std::make_unique<JpegImageLoader>());
}

TextureManager::~TextureManager() = default;

void TextureManager::RegisterLoader(const std::string& extension, std::unique_ptr<ImageLoader> loader) {
  m_loaders.Register(extension, std::move(loader));
}

ImageLoader* TextureManager::GetLoader(const std::string& extension) const { return m_loaders.Find(extension); }

bool TextureManager::LoadImage(Image& image, cStream& stream) {
  const bool loaded = m_loaders.ReadWithAny(stream, true, [&](ImageLoader& loader) {
    if (loader.Load(image, stream)) return true;
    image.Clear();
    return false;
  });
  if (!loaded) image.Clear();
  return loaded;
}

Texture2D_D3D7* TextureManager::MakeTexture(const std::string& name, const std::string& color_file,
                                            const std::string& alpha_file, bool mip_maps) {
  auto* texture = new Texture2D_D3D7(name, mip_maps);
  if (color_file.empty() && alpha_file.empty()) return texture;
  // The files are read when the texture is first built (drawn, or built behind an opaque screen),
  // and again for a rebuild: a texture not drawn yet (a close-up, a page not opened) holds no
  // decoded picture, and one on the device has the device's copy alone.
  texture->SetPictureSource([name, color_file, alpha_file] { return CombineImages(name, color_file, alpha_file); });
  return texture;
}
