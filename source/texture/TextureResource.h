#pragma once
// The "texture" resource: an image file ("tga" or "jpg") read through the texture manager's
// loaders, kept as an Image, and the texture built from it when first asked for (a picture that is
// only combined into another texture never becomes one of its own). The texture shares the image.

#include <memory>
#include <string>

#include "source/Resources/cTypedResource.h"
#include "source/texture/Image.h"
#include "source/texture/TextureHandle.h"

class TextureResource : public cTypedResource<TextureResource> {
 public:
  static constexpr const char* kTypeName = "texture";
  using cTypedResource::cTypedResource;

  // Registers the creator under "texture" and maps "tga" and "jpg" to it.
  static void RegisterType();

  // Reads the picture (a file no loader reads gives an empty image, logged). Answers false
  // whatever happens: the picture, not the answer, tells whether there was one.
  bool Load() override;
  bool Unload() override;

  const Image* GetImage() const { return m_image.Get(); }
  const CountedPtr<Image>& GetSharedImage() const { return m_image; }
  // The texture of the picture, built on the first call, with mip-maps when
  // "render_show_mip_maps" is set; null before Load.
  TextureHandle* GetHandle() const;

  // Told the name of every picture as it is decoded: the benches count decodes through it. The
  // game sets none.
  using DecodeObserver = void (*)(const std::string& name);
  static void SetDecodeObserver(DecodeObserver observer) { s_decode_observer = observer; }

 private:
  CountedPtr<Image> m_image;
  mutable std::unique_ptr<TextureHandle> m_handle;
  static inline DecodeObserver s_decode_observer = nullptr;
};
