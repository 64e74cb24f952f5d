#pragma once
// A texture on the Direct3D 7 device: a surface (with a full mip-map chain when asked) in the
// device's 32-bit (or else 16-bit) format, built from a kept copy of its image when asked or when
// first bound, so that it can be rebuilt after the device was lost. Images whose sides are not
// powers of two, or larger than the device takes, are resampled to the surface's size. A texture
// that makes its picture from its files reads them when it is built, lets go of the picture once
// on the device or once the device refused it, and reads them again only to rebuild.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/gfx/gfx.h"
#include "source/core/CountedPtr.h"
#include "source/render/DeviceResource.h"
#include "source/texture/Image.h"
#include "source/texture/Texture2D.h"

class Texture2D_D3D7 : public Texture2D, public DeviceResource {
 public:
  Texture2D_D3D7(std::string name, bool mip_maps);
  ~Texture2D_D3D7() override;

  void CreateSurface(const Image* image) override;
  void Bind(uint32_t stage) override;
  // Builds the surface and hands it to the device now, as its first bind and draw would; true
  // when that cost anything (the frames behind an opaque screen build what it hides this way).
  bool BuildOnDevice();

  // The device goes: the surface is let go. The device is back: it is built again.
  void OnDeviceRelease() override { Invalidate(); }
  void OnDeviceRestore() override { Restore(); }
  void Invalidate();
  void Restore() {
    m_build_refused = false;
    CreateSurface(nullptr);
  }

  // Replaces the kept image without building anything: a copy, or the image itself shared with
  // whoever holds it (which must not change it while the texture lives). Either forgets the
  // picture source: the image given is kept.
  void SetImage(const Image& image);
  void ShareImage(CountedPtr<Image> image);
  // How the picture is made when the surface is built: the first build and every rebuild (after a
  // lost device) make it afresh; set after any image. With one, the kept picture is let go once the
  // surface holds it (the device's copy is the only one) or could not be built (the next build
  // makes it again).
  using PictureSource = std::function<CountedPtr<Image>()>;
  void SetPictureSource(PictureSource source) { m_picture_source = std::move(source); }

  const std::shared_ptr<gfx::Surface>& GetSurface() const { return m_surface; }
  // The kept picture: null once a texture with a picture source is on the device.
  const Image* GetImage() const { return m_image.Get(); }
  // The picture's size and decoded bytes once it was made (0 before a texture with a picture
  // source is first built), known after it was let go too.
  uint32_t GetPictureWidth() const { return m_picture_width; }
  uint32_t GetPictureHeight() const { return m_picture_height; }
  std::size_t GetPictureBytes() const { return m_picture_bytes; }
  bool HasMipMaps() const { return m_mip_maps; }
  // Pixel bytes of every level uploaded (an 8-bit image counts 3 bytes a pixel).
  uint32_t GetMemory() const { return m_memory; }

 private:
  bool BuildSurface(uint32_t width, uint32_t height, const gfx::PixelFormat& format);
  // True when every level was written.
  bool UploadLevels(uint32_t width, uint32_t height);

  bool m_mip_maps;
  std::shared_ptr<gfx::Surface> m_surface;
  int64_t m_resident = 0;  // bytes of the surface's levels on the device, in g_texture_bytes_resident
  void NotePicture();

  CountedPtr<Image> m_image;
  PictureSource m_picture_source;
  uint32_t m_picture_width = 0, m_picture_height = 0;
  std::size_t m_picture_bytes = 0;
  uint32_t m_memory = 0;
  bool m_build_refused = false;
};
