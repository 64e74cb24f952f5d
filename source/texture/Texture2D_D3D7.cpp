#include "source/texture/Texture2D_D3D7.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "source/log/cLog.h"
#include "source/math/MathUtil.h"
#include "source/render/DDErrorText.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSettings.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/texture/TexturePixels.h"

namespace {

constexpr const char* kSource = "source\\texture\\Texture2D_D3D7";
constexpr uint32_t kSurfaceFlags =
    gfx::DDSD_CAPS | gfx::DDSD_HEIGHT | gfx::DDSD_WIDTH | gfx::DDSD_PIXELFORMAT | gfx::DDSD_TEXTURESTAGE;
const Vector4 kMipMarkColor(1.0f, 0.0f, 0.0f, 1.0f);

bool Usable(const gfx::PixelFormat& f, uint32_t bits, bool alpha) {
  if (f.flags & gfx::DDPF_FOURCC) return false;
  if (f.flags & (gfx::DDPF_LUMINANCE | gfx::DDPF_BUMPLUMINANCE | gfx::DDPF_BUMPDUDV)) return false;
  if (f.a_mask == 0xF000) return false;
  if (((f.flags & gfx::DDPF_ALPHAPIXELS) != 0) != alpha) return false;
  return f.bit_count == bits;
}

// The device's first 32-bit format (else 16-bit) that has alpha exactly when the image has.
bool ChooseFormat(gfx::Device& device, bool alpha, gfx::PixelFormat& chosen) {
  std::vector<gfx::PixelFormat> formats;
  device.EnumTextureFormats(formats);
  for (uint32_t bits : {32u, 16u}) {
    for (const gfx::PixelFormat& f : formats) {
      if (Usable(f, bits, alpha)) {
        chosen = f;
        return true;
      }
    }
  }
  return false;
}

bool ManagedByDriver() {
  const gfx::Guid& device = RenderSystem_D3D7::GetDeviceDesc().guid;
  return device == gfx::kDeviceHal || device == gfx::kDeviceTnLHal;
}

// Writes one level straight into the texture's own memory: no staging surface, no second copy.
// False when the lock failed (logged).
bool UploadLevel(gfx::Surface& destination, const Image& level) {
  gfx::SurfaceDesc locked;
  gfx::Result r;
  do {
    r = destination.Lock(nullptr, locked, gfx::DDLOCK_WRITEONLY);
  } while (r == gfx::DDERR_WASSTILLDRAWING);
  DDErrorText("destination_surface->Lock(NULL, &surface_description, DDLOCK_WRITEONLY, NULL)", r, kSource, 284);
  if (gfx::Failed(r)) return false;
  if (level.GetWidth() == locked.width && level.GetHeight() == locked.height) {
    PackPixels(level, locked.format, locked.memory, locked.pitch);
  } else {
    FillWhite(locked.width, locked.height, locked.format, locked.memory, locked.pitch);
  }
  DDErrorText("destination_surface->Unlock(0)", destination.Unlock(nullptr), kSource, 375);
  return true;
}

}  // namespace

Texture2D_D3D7::Texture2D_D3D7(std::string name, bool mip_maps) : Texture2D(std::move(name)), m_mip_maps(mip_maps) {}

Texture2D_D3D7::~Texture2D_D3D7() { Invalidate(); }

void Texture2D_D3D7::Invalidate() {
  m_surface.reset();
  g_texture_bytes_resident -= m_resident;
  m_resident = 0;
}

void Texture2D_D3D7::SetImage(const Image& image) {
  m_image.Reset(new Image(image));
  m_picture_source = nullptr;  // a picture handed in is not the one the files would make
  NotePicture();
}

void Texture2D_D3D7::ShareImage(CountedPtr<Image> image) {
  m_image = std::move(image);
  m_picture_source = nullptr;
  NotePicture();
}

void Texture2D_D3D7::NotePicture() {
  const Image* image = m_image.Get();
  m_picture_width = image != nullptr ? image->GetWidth() : 0;
  m_picture_height = image != nullptr ? image->GetHeight() : 0;
  m_picture_bytes = image != nullptr ? image->GetPixelBytes() : 0;
}

void Texture2D_D3D7::CreateSurface(const Image* image) {
  if (m_surface) return;
  if (image != nullptr) SetImage(*image);
  m_memory = 0;
  gfx::Device* device = RenderSystem_D3D7::GetDevice();
  if (device == nullptr || RenderSystem_D3D7::GetDirectDraw() == nullptr) return;  // built when a device is back
  if (!m_image && m_picture_source) {
    m_image = m_picture_source();
    NotePicture();
    // Files that make no picture (missing or damaged) were logged once: they are not read again
    // on every draw.
    if (m_image.Get() == nullptr || m_image->IsEmpty()) m_picture_source = nullptr;
  }
  const Image* kept = m_image.Get();
  if (kept == nullptr || kept->IsEmpty()) return;

  const gfx::DeviceDesc& caps = RenderSystem_D3D7::GetDeviceDesc();
  const uint32_t width = std::min(NearestPowerOfTwo(kept->GetWidth()), caps.max_texture_width);
  const uint32_t height = std::min(NearestPowerOfTwo(kept->GetHeight()), caps.max_texture_height);
  if (width == 0 || height == 0) return;
  gfx::PixelFormat format;
  if (!ChooseFormat(*device, kept->GetBitsPerPixel() == 32, format)) {
    LogReport(kLogAbort, kSource, 231, "Direct3D Subsystem (Texture2D_D3D7::CreateSurface): Failed to find texture format");
  }
  if (BuildSurface(width, height, format)) UploadLevels(width, height);
  // A picture that can be made again is let go once the device holds it, and also when the
  // device refused it: a device that stays lost while every texture tries to rebuild must not
  // leave each one holding a decoded picture it cannot use.
  if (m_picture_source) m_image.Reset();
}

bool Texture2D_D3D7::BuildSurface(uint32_t width, uint32_t height, const gfx::PixelFormat& format) {
  gfx::SurfaceDesc desc;
  desc.flags = kSurfaceFlags;
  desc.caps = gfx::DDSCAPS_TEXTURE;
  desc.width = width;
  desc.height = height;
  desc.format = format;
  desc.texture_stage = 0;
  if (m_mip_maps) {
    desc.flags |= gfx::DDSD_MIPMAPCOUNT;
    desc.caps |= gfx::DDSCAPS_MIPMAP | gfx::DDSCAPS_COMPLEX;
    desc.mip_map_count = static_cast<uint32_t>(std::bit_width(std::max(width, height)));
  }
  if (ManagedByDriver()) {
    desc.caps2 = gfx::DDSCAPS2_TEXTUREMANAGE;
  } else {
    desc.caps |= gfx::DDSCAPS_SYSTEMMEMORY;
  }
  const gfx::Result r = RenderSystem_D3D7::GetDirectDraw()->CreateSurface(desc, m_surface);
  DDErrorText("m_directdraw->CreateSurface(&surface_description, &m_pSurface, NULL)", r, kSource, 235);
  if (gfx::Failed(r)) m_surface.reset();
  return m_surface != nullptr;
}

bool Texture2D_D3D7::UploadLevels(uint32_t width, uint32_t height) {
  const Image& kept = *m_image;
  // The level being uploaded when it is not the kept image itself: the kept image resampled to
  // the surface's size, then each level halved from the one before.
  Image level;
  const Image* current = &kept;
  if (kept.GetWidth() != width || kept.GetHeight() != height) {
    Image::Scale(kept, width, height, kFilterBilinear, level);
    current = &level;
  }
  const uint32_t bytes_per_pixel = std::max(3u, kept.GetBytesPerPixel());
  std::shared_ptr<gfx::Surface> destination = m_surface;
  for (uint32_t index = 0; destination; ++index) {
    if (index > 0) {
      Image::Scale(*current, width, height, kFilterBox, level);
      current = &level;
      if (index == 1 && g_render_settings.show_mip_maps) level.Fill(kMipMarkColor);
    }
    if (!UploadLevel(*destination, *current)) return false;
    m_memory += bytes_per_pixel * width * height;
    const int64_t device_bytes = int64_t{m_surface->Desc().format.bit_count} / 8 * width * height;
    m_resident += device_bytes;
    g_texture_bytes_resident += device_bytes;
    if (!m_mip_maps || (width == 1 && height == 1)) return true;
    std::shared_ptr<gfx::Surface> next;
    destination->GetAttachedSurface(gfx::DDSCAPS_TEXTURE | gfx::DDSCAPS_MIPMAP, next);
    if (!next) return false;  // a chain shorter than asked
    destination = std::move(next);
    if (width > 1) width /= 2;
    if (height > 1) height /= 2;
  }
  return true;
}

bool Texture2D_D3D7::BuildOnDevice() {
  if (RenderManager::PeekInstance() == nullptr) return false;
  bool built = false;
  if (!m_surface && !m_build_refused) {
    CreateSurface(nullptr);
    m_build_refused = !m_surface;
    built = m_surface != nullptr;
  }
  gfx::Device* device = RenderSystem_D3D7::GetDevice();
  if (!m_surface || device == nullptr) return built;
  return device->PreLoad(m_surface) || built;
}

void Texture2D_D3D7::Bind(uint32_t stage) {
  RenderManager* manager = RenderManager::PeekInstance();
  if (manager == nullptr) return;
  // Built on first use: a texture made with a screen that is not shown yet costs nothing before.
  // One try until the device is restored: a surface the device refuses is not asked for every frame.
  if (!m_surface && !m_build_refused) {
    CreateSurface(nullptr);
    m_build_refused = !m_surface;
  }
  manager->GetRenderSystemD3D7()->BindTexture(stage, m_surface);
}
