// DirectDraw objects: cooperative level, display modes, surface creation and restoring, and the
// Direct3D object that creates devices.

#include "platform/gfx/DirectDraw.h"

#include <algorithm>

#include "platform/gfx/Backend.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/PixelStore.h"
#include "platform/gfx/Surface.h"

namespace gfx {
namespace {

// Surfaces larger than this on either side are refused before anything is allocated.
constexpr uint32_t kMaxSurfaceSide = 16384;

uint32_t FullChainLength(uint32_t width, uint32_t height) {
  uint32_t side = std::max(width, height);
  uint32_t levels = 1;
  while (side > 1) {
    side /= 2;
    ++levels;
  }
  return levels;
}

bool IsColorFormat(const PixelFormat& format) {
  return (format.flags & DDPF_ZBUFFER) == 0 && detail::BytesPerPixel(format) != 0;
}

}  // namespace

Result Clipper::SetWindow(window::NativeWindow* window) {
  if (const Result r = m_backend->Admit(Call::kClipperSetWindow, 0); Failed(r)) return r;
  m_window = window;
  return DD_OK;
}

DirectDraw::DirectDraw(std::shared_ptr<detail::Backend> backend, const Guid* driver)
    : m_backend(std::move(backend)), m_has_guid(driver != nullptr) {
  if (driver) m_guid = *driver;
}

DirectDraw::~DirectDraw() {
  if (m_mode_set) m_backend->RestoreDisplayMode(m_window);
  if (IsExclusive()) m_backend->SetCooperativeLevel(m_window, DDSCL_NORMAL);
}

Result DirectDraw::GetCaps(DriverCaps* hardware, DriverCaps* emulation) {
  if (const Result r = m_backend->Admit(Call::kGetCaps, 0); Failed(r)) return r;
  if (hardware == nullptr && emulation == nullptr) return DDERR_INVALIDPARAMS;
  if (hardware) *hardware = m_backend->Caps(Driver());
  if (emulation) *emulation = DriverCaps{};
  return DD_OK;
}

Result DirectDraw::GetDeviceIdentifier(DeviceIdentifier& identifier) {
  if (const Result r = m_backend->Admit(Call::kGetDeviceIdentifier, 0); Failed(r)) return r;
  identifier = m_backend->Identifier(Driver());
  return DD_OK;
}

Result DirectDraw::EnumDisplayModes(std::vector<SurfaceDesc>& modes) {
  modes.clear();
  if (const Result r = m_backend->Admit(Call::kEnumDisplayModes, 0); Failed(r)) return r;
  modes = m_backend->DisplayModes(Driver());
  return DD_OK;
}

Result DirectDraw::GetDisplayMode(SurfaceDesc& mode) {
  if (const Result r = m_backend->Admit(Call::kGetDisplayMode, 0); Failed(r)) return r;
  mode = m_backend->CurrentMode(Driver());
  return DD_OK;
}

Result DirectDraw::SetCooperativeLevel(window::NativeWindow* window, uint32_t flags) {
  if (const Result r = m_backend->Admit(Call::kSetCooperativeLevel, flags); Failed(r)) return r;
  const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
  const bool fullscreen = (flags & DDSCL_FULLSCREEN) != 0;
  const bool normal = (flags & DDSCL_NORMAL) != 0;
  if (exclusive != fullscreen || exclusive == normal) return DDERR_INVALIDPARAMS;
  if (exclusive && window == nullptr) return DDERR_NOHWND;
  if (!exclusive && m_mode_set) {
    m_backend->RestoreDisplayMode(m_window);
    m_mode_set = false;
  }
  if (const Result r = m_backend->SetCooperativeLevel(window, flags); Failed(r)) return r;
  m_window = window;
  m_coop_flags = flags;
  return DD_OK;
}

Result DirectDraw::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bpp, uint32_t refresh,
                                  uint32_t flags) {
  if (const Result r = m_backend->Admit(Call::kSetDisplayMode, 0); Failed(r)) return r;
  if (!IsExclusive()) return DDERR_NOEXCLUSIVEMODE;
  bool listed = false;
  for (const SurfaceDesc& mode : m_backend->DisplayModes(Driver())) {
    if (mode.width == width && mode.height == height && mode.format.bit_count == bpp &&
        (refresh == 0 || mode.refresh_rate == 0 || mode.refresh_rate == refresh)) {
      listed = true;
    }
  }
  if (!listed) return DDERR_INVALIDMODE;
  if (const Result r = m_backend->SetDisplayMode(m_window, width, height, bpp, refresh); Failed(r)) {
    return r;
  }
  m_mode_set = true;
  return DD_OK;
}

Result DirectDraw::RestoreDisplayMode() {
  if (const Result r = m_backend->Admit(Call::kRestoreDisplayMode, 0); Failed(r)) return r;
  if (m_mode_set) {
    if (const Result r = m_backend->RestoreDisplayMode(m_window); Failed(r)) return r;
    m_mode_set = false;
  }
  return DD_OK;
}

Result DirectDraw::TestCooperativeLevel() {
  if (const Result r = m_backend->Admit(Call::kTestCooperativeLevel, 0); Failed(r)) return r;
  return m_backend->CooperativeStatus(IsExclusive());
}

Result DirectDraw::RestoreAllSurfaces() {
  if (const Result r = m_backend->Admit(Call::kRestoreAllSurfaces, 0); Failed(r)) return r;
  if (const Result r = m_backend->CooperativeStatus(IsExclusive()); Failed(r)) return r;
  for (Surface* surface : m_surfaces) surface->MarkRestored();
  return DD_OK;
}

Result DirectDraw::WaitForVerticalBlank(uint32_t flags) {
  if (const Result r = m_backend->Admit(Call::kWaitForVerticalBlank, flags); Failed(r)) return r;
  if (flags == DDWAITVB_BLOCKBEGIN) m_wait_vertical_blank = true;
  return DD_OK;
}

bool DirectDraw::TakeVerticalBlankWait() {
  const bool wait = m_wait_vertical_blank;
  m_wait_vertical_blank = false;
  return wait;
}

void DirectDraw::Register(Surface* surface) { m_surfaces.push_back(surface); }

void DirectDraw::Unregister(Surface* surface) {
  auto it = std::find(m_surfaces.begin(), m_surfaces.end(), surface);
  if (it != m_surfaces.end()) m_surfaces.erase(it);
}

Result DirectDraw::CheckSurfaceDesc(const SurfaceDesc& desc) const {
  if ((desc.flags & DDSD_CAPS) == 0) return DDERR_INVALIDPARAMS;
  const bool sized = (desc.flags & DDSD_WIDTH) && (desc.flags & DDSD_HEIGHT);
  if (desc.caps & DDSCAPS_PRIMARYSURFACE) {
    return (desc.flags & (DDSD_WIDTH | DDSD_HEIGHT)) ? DDERR_INVALIDPARAMS : DD_OK;
  }
  if (!sized || desc.width == 0 || desc.height == 0) return DDERR_INVALIDPARAMS;
  if (desc.width > kMaxSurfaceSide) return DDERR_TOOBIGWIDTH;
  if (desc.height > kMaxSurfaceSide) return DDERR_TOOBIGHEIGHT;
  if (desc.flags & DDSD_PIXELFORMAT) {
    if (desc.caps & DDSCAPS_ZBUFFER) {
      if ((desc.format.flags & DDPF_ZBUFFER) == 0) return DDERR_INVALIDPIXELFORMAT;
      if (desc.format.bit_count != 16 && desc.format.bit_count != 32) {
        return DDERR_INVALIDPIXELFORMAT;
      }
    } else if (!IsColorFormat(desc.format)) {
      return DDERR_INVALIDPIXELFORMAT;
    }
  } else if (desc.caps & (DDSCAPS_ZBUFFER | DDSCAPS_TEXTURE)) {
    return DDERR_INVALIDPIXELFORMAT;
  }
  return DD_OK;
}

Result DirectDraw::CreateSurface(const SurfaceDesc& asked, std::shared_ptr<Surface>& out) {
  out.reset();
  if (const Result r = m_backend->Admit(Call::kCreateSurface, asked.caps); Failed(r)) return r;
  if (const Result r = CheckSurfaceDesc(asked); Failed(r)) return r;
  std::shared_ptr<DirectDraw> self = shared_from_this();
  SurfaceDesc desc = asked;
  desc.flags |= DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
  desc.memory = nullptr;

  if (asked.caps & DDSCAPS_PRIMARYSURFACE) {
    if (m_coop_flags == 0) return DDERR_NOCOOPERATIVELEVELSET;
    for (Surface* surface : m_surfaces) {
      if (surface->GetKind() == Surface::Kind::kPrimary) return DDERR_PRIMARYSURFACEALREADYEXISTS;
    }
    const bool flipping = (asked.caps & DDSCAPS_FLIP) != 0;
    if (flipping) {
      if (!IsExclusive()) return DDERR_NOEXCLUSIVEMODE;
      if ((asked.caps & DDSCAPS_COMPLEX) == 0 || (asked.flags & DDSD_BACKBUFFERCOUNT) == 0 ||
          asked.back_buffer_count != 1) {
        return DDERR_INVALIDCAPS;
      }
    }
    const SurfaceDesc mode = m_backend->CurrentMode(Driver());
    desc.width = mode.width;
    desc.height = mode.height;
    desc.format = mode.format;
    desc.pitch = detail::PitchFor(desc.width, std::max(1u, mode.format.bit_count / 8));
    desc.caps |= DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM | (flipping ? DDSCAPS_FRONTBUFFER : 0);
    if (const Result r = m_backend->OpenOutput(m_window); Failed(r)) return r;
    auto primary = std::make_shared<Surface>(self, Surface::Kind::kPrimary, desc, nullptr, 0);
    if (flipping) {
      SurfaceDesc back = desc;
      back.caps = DDSCAPS_BACKBUFFER | DDSCAPS_3DDEVICE | DDSCAPS_VIDEOMEMORY |
                  DDSCAPS_LOCALVIDMEM | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
      back.back_buffer_count = 0;
      primary->m_next = std::make_shared<Surface>(self, Surface::Kind::kBackBuffer, back, nullptr, 0);
    }
    out = std::move(primary);
    return DD_OK;
  }

  if (asked.caps & DDSCAPS_ZBUFFER) {
    desc.pitch = detail::PitchFor(desc.width, desc.format.bit_count / 8);
    if ((desc.caps & DDSCAPS_SYSTEMMEMORY) == 0) desc.caps |= DDSCAPS_VIDEOMEMORY;
    out = std::make_shared<Surface>(self, Surface::Kind::kDepth, desc, nullptr, 0);
    return DD_OK;
  }

  if ((asked.flags & DDSD_PIXELFORMAT) == 0) desc.format = FormatX8R8G8B8();
  const uint32_t bytes = detail::BytesPerPixel(desc.format);
  desc.pitch = detail::PitchFor(desc.width, bytes);

  if (asked.caps & DDSCAPS_TEXTURE) {
    uint32_t levels = 1;
    if (asked.caps & DDSCAPS_MIPMAP) {
      const uint32_t full = FullChainLength(desc.width, desc.height);
      levels = (asked.flags & DDSD_MIPMAPCOUNT) ? asked.mip_map_count : full;
      if (levels == 0 || levels > full) return DDERR_INVALIDPARAMS;
      if (levels > 1 && (asked.caps & DDSCAPS_COMPLEX) == 0) return DDERR_DDSCAPSCOMPLEXREQUIRED;
    }
    auto store =
        std::make_shared<detail::PixelStore>(m_backend, desc.format, desc.width, desc.height, levels);
    desc.flags |= DDSD_MIPMAPCOUNT;
    std::shared_ptr<Surface> next;
    for (uint32_t level = levels; level-- > 0;) {
      SurfaceDesc level_desc = desc;
      level_desc.width = store->levels[level].width;
      level_desc.height = store->levels[level].height;
      level_desc.pitch = store->levels[level].pitch;
      level_desc.mip_map_count = levels - level;
      if (level > 0) level_desc.caps2 |= DDSCAPS2_MIPMAPSUBLEVEL;
      auto surface =
          std::make_shared<Surface>(self, Surface::Kind::kTexture, level_desc, store, level);
      surface->m_next = std::move(next);
      next = std::move(surface);
    }
    out = std::move(next);
    return DD_OK;
  }

  if (asked.caps & DDSCAPS_3DDEVICE) {
    if ((desc.caps & DDSCAPS_SYSTEMMEMORY) == 0) desc.caps |= DDSCAPS_VIDEOMEMORY;
    out = std::make_shared<Surface>(self, Surface::Kind::kRenderTarget, desc, nullptr, 0);
    return DD_OK;
  }

  auto store = std::make_shared<detail::PixelStore>(m_backend, desc.format, desc.width, desc.height, 1);
  if ((desc.caps & DDSCAPS_VIDEOMEMORY) == 0) desc.caps |= DDSCAPS_SYSTEMMEMORY;
  out = std::make_shared<Surface>(self, Surface::Kind::kPlain, desc, store, 0);
  return DD_OK;
}

Result DirectDraw::CreateClipper(uint32_t flags, std::shared_ptr<Clipper>& out) {
  out.reset();
  if (const Result r = m_backend->Admit(Call::kCreateClipper, flags); Failed(r)) return r;
  out = std::make_shared<Clipper>(m_backend);
  return DD_OK;
}

Result DirectDraw::QueryDirect3D(std::shared_ptr<Direct3D>& out) {
  out.reset();
  if (const Result r = m_backend->Admit(Call::kQueryDirect3D, 0); Failed(r)) return r;
  out = std::make_shared<Direct3D>(shared_from_this());
  return DD_OK;
}

Result Direct3D::EnumDevices(std::vector<DeviceDesc>& devices) {
  devices.clear();
  if (const Result r = m_owner->Backend()->Admit(Call::kEnumDevices, 0); Failed(r)) return r;
  devices = m_owner->Backend()->Devices(m_owner->Driver());
  return DD_OK;
}

Result Direct3D::EnumZBufferFormats(const Guid& device, std::vector<PixelFormat>& formats) {
  formats.clear();
  const auto& backend = m_owner->Backend();
  if (const Result r = backend->Admit(Call::kEnumZBufferFormats, 0); Failed(r)) return r;
  for (const DeviceDesc& desc : backend->Devices(m_owner->Driver())) {
    if (desc.guid == device) {
      formats = backend->ZBufferFormats();
      return DD_OK;
    }
  }
  return DDERR_INVALIDPARAMS;
}

Result Direct3D::CreateDevice(const Guid& device, const std::shared_ptr<Surface>& target,
                              std::shared_ptr<Device>& out) {
  out.reset();
  const auto& backend = m_owner->Backend();
  if (const Result r = backend->Admit(Call::kCreateDevice, 0); Failed(r)) return r;
  if (!target) return DDERR_INVALIDPARAMS;
  if ((target->Desc().caps & DDSCAPS_3DDEVICE) == 0) return DDERR_INVALIDCAPS;
  if (target->Lost()) return DDERR_SURFACELOST;
  for (const DeviceDesc& desc : backend->Devices(m_owner->Driver())) {
    if (!(desc.guid == device)) continue;
    const uint32_t bits = target->Desc().format.bit_count;
    const uint32_t needed = bits == 16 ? DDBD_16 : bits == 24 ? DDBD_24 : DDBD_32;
    if ((desc.render_bit_depth & needed) == 0) return DDERR_INVALIDPIXELFORMAT;
    out = std::make_shared<Device>(m_owner, backend->CreatedDeviceDesc(desc), target);
    return DD_OK;
  }
  return DDERR_INVALIDPARAMS;
}

}  // namespace gfx
