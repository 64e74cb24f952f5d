// Surfaces: locking, blits and presenting, flipping, attachments, and loss and restoring.

#include "platform/gfx/Surface.h"

#include <atomic>
#include <cstring>

#include "platform/gfx/Backend.h"
#include "platform/gfx/DirectDraw.h"
#include "platform/gfx/PixelStore.h"

namespace gfx {
namespace {

std::atomic<uint64_t> g_next_surface_id{1};

bool IsOutput(Surface::Kind kind) {
  return kind == Surface::Kind::kPrimary || kind == Surface::Kind::kBackBuffer ||
         kind == Surface::Kind::kRenderTarget;
}

bool RectInside(const Rect& r, uint32_t width, uint32_t height) {
  return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
         static_cast<uint32_t>(r.right) <= width && static_cast<uint32_t>(r.bottom) <= height;
}

Rect Whole(const SurfaceDesc& desc) {
  return Rect{0, 0, static_cast<int32_t>(desc.width), static_cast<int32_t>(desc.height)};
}

}  // namespace

Surface::Surface(std::shared_ptr<DirectDraw> owner, Kind kind, const SurfaceDesc& desc,
                 std::shared_ptr<detail::PixelStore> store, uint32_t level)
    : m_owner(std::move(owner)),
      m_kind(kind),
      m_desc(desc),
      m_store(std::move(store)),
      m_level(level),
      m_id(g_next_surface_id++),
      m_restored_at(m_owner->Backend()->LossCount()),
      m_output_open(kind == Kind::kPrimary) {
  m_owner->Register(this);
}

Surface::~Surface() {
  m_owner->Unregister(this);
  if (m_output_open) m_owner->Backend()->CloseOutput();
}

bool Surface::Lost() const {
  // Memory the program owns survives a lost device; so do textures the driver manages.
  if (m_desc.caps & DDSCAPS_SYSTEMMEMORY) return false;
  if (m_kind == Kind::kTexture && (m_desc.caps2 & DDSCAPS2_TEXTUREMANAGE)) return false;
  if (m_kind == Kind::kPlain) return false;
  const auto& backend = m_owner->Backend();
  if (Failed(backend->CooperativeStatus(m_owner->IsExclusive()))) return true;
  return m_restored_at < backend->LossCount();
}

void Surface::MarkRestored() { m_restored_at = m_owner->Backend()->LossCount(); }

Result Surface::GetSurfaceDesc(SurfaceDesc& desc) {
  if (const Result r = m_owner->Backend()->Admit(Call::kGetSurfaceDesc, 0); Failed(r)) return r;
  desc = m_desc;
  desc.memory = nullptr;
  return DD_OK;
}

Result Surface::Lock(const Rect* rect, SurfaceDesc& desc, uint32_t flags) {
  if (const Result r = m_owner->Backend()->Admit(Call::kLock, flags); Failed(r)) return r;
  if (m_locked) return DDERR_SURFACEBUSY;
  if (Lost()) return DDERR_SURFACELOST;
  const Rect area = rect ? *rect : Whole(m_desc);
  if (!RectInside(area, m_desc.width, m_desc.height)) return DDERR_INVALIDRECT;
  if (m_kind == Kind::kDepth) return DDERR_CANTLOCKSURFACE;
  if (IsOutput(m_kind)) {
    if (const Result r = LockOutput(area, desc); Failed(r)) return r;
  } else {
    m_store->TakePixelsBack();
    detail::PixelLevel& level = m_store->levels[m_level];
    if (level.pixels.empty()) return DDERR_OUTOFMEMORY;
    desc = m_desc;
    desc.pitch = level.pitch;
    desc.memory = level.pixels.data() + static_cast<size_t>(area.top) * level.pitch +
                  static_cast<size_t>(area.left) * m_store->bytes_per_pixel;
  }
  desc.flags |= DDSD_LPSURFACE | DDSD_PITCH;
  m_locked = true;
  return DD_OK;
}

Result Surface::LockOutput(const Rect& rect, SurfaceDesc& desc) {
  // The output's pixels live with the backend: a lock reads a copy of them.
  if (!m_store) {
    m_store = std::make_shared<detail::PixelStore>(nullptr, FormatX8R8G8B8(), m_desc.width,
                                                   m_desc.height, 1);
  }
  detail::PixelLevel& level = m_store->levels[0];
  if (level.pixels.empty()) return DDERR_OUTOFMEMORY;
  const Result r = m_owner->Backend()->ReadOutput(m_kind == Kind::kPrimary, level.width,
                                                  level.height, level.pixels.data(), level.pitch);
  if (Failed(r)) return r;
  desc = m_desc;
  desc.format = FormatX8R8G8B8();
  desc.pitch = level.pitch;
  desc.memory = level.pixels.data() + static_cast<size_t>(rect.top) * level.pitch +
                static_cast<size_t>(rect.left) * 4;
  return DD_OK;
}

Result Surface::Unlock(const Rect*) {
  if (const Result r = m_owner->Backend()->Admit(Call::kUnlock, 0); Failed(r)) return r;
  if (!m_locked) return DDERR_NOTLOCKED;
  m_locked = false;
  if (m_kind == Kind::kTexture || m_kind == Kind::kPlain) m_store->levels[m_level].dirty = true;
  // A lock of the output read a copy of its pixels: the next lock reads them afresh, so the copy
  // (a whole screen) is not kept between locks.
  if (IsOutput(m_kind)) m_store.reset();
  return DD_OK;
}

Result Surface::Blt(const Rect* dest_rect, Surface* source, const Rect* source_rect,
                    uint32_t flags) {
  if (const Result r = m_owner->Backend()->Admit(Call::kBlt, flags); Failed(r)) return r;
  if (source == nullptr) return DDERR_INVALIDPARAMS;
  if (m_locked || source->m_locked) return DDERR_SURFACEBUSY;
  if (Lost() || source->Lost()) return DDERR_SURFACELOST;
  const Rect to = dest_rect ? *dest_rect : Whole(m_desc);
  const Rect from = source_rect ? *source_rect : Whole(source->m_desc);
  if (!RectInside(from, source->m_desc.width, source->m_desc.height)) return DDERR_INVALIDRECT;
  if (m_kind == Kind::kPrimary && IsOutput(source->m_kind) && source->m_kind != Kind::kPrimary) {
    // The back buffer onto the window: the frame is shown (the window is the clip area).
    return m_owner->Backend()->Present(m_owner->TakeVerticalBlankWait());
  }
  if (!RectInside(to, m_desc.width, m_desc.height)) return DDERR_INVALIDRECT;
  if (m_store && source->m_store && !IsOutput(m_kind) && !IsOutput(source->m_kind)) {
    return CopyFrom(to, *source, from);
  }
  return DDERR_UNSUPPORTED;
}

Result Surface::CopyFrom(const Rect& to, Surface& source, const Rect& from) {
  if (!(source.m_store->format == m_store->format)) return DDERR_INVALIDPIXELFORMAT;
  m_store->TakePixelsBack();
  source.m_store->TakePixelsBack();
  const uint32_t bpp = m_store->bytes_per_pixel;
  detail::PixelLevel& dst = m_store->levels[m_level];
  const detail::PixelLevel& src = source.m_store->levels[source.m_level];
  if (dst.pixels.empty() || src.pixels.empty()) return DDERR_OUTOFMEMORY;
  const uint32_t dw = to.right - to.left, dh = to.bottom - to.top;
  const uint32_t sw = from.right - from.left, sh = from.bottom - from.top;
  for (uint32_t y = 0; y < dh; ++y) {
    const uint32_t sy = from.top + static_cast<uint32_t>(uint64_t{y} * sh / dh);
    uint8_t* out = dst.pixels.data() + static_cast<size_t>(to.top + y) * dst.pitch +
                   static_cast<size_t>(to.left) * bpp;
    const uint8_t* in = src.pixels.data() + static_cast<size_t>(sy) * src.pitch;
    if (sw == dw) {
      std::memcpy(out, in + static_cast<size_t>(from.left) * bpp, static_cast<size_t>(dw) * bpp);
      continue;
    }
    for (uint32_t x = 0; x < dw; ++x) {
      const uint32_t sx = from.left + static_cast<uint32_t>(uint64_t{x} * sw / dw);
      std::memcpy(out + static_cast<size_t>(x) * bpp, in + static_cast<size_t>(sx) * bpp, bpp);
    }
  }
  dst.dirty = true;
  return DD_OK;
}

Result Surface::Flip(Surface*, uint32_t flags) {
  if (const Result r = m_owner->Backend()->Admit(Call::kFlip, flags); Failed(r)) return r;
  if (m_kind != Kind::kPrimary || !m_next) return DDERR_NOTFLIPPABLE;
  if (Lost()) return DDERR_SURFACELOST;
  if (m_locked || m_next->m_locked) return DDERR_SURFACEBUSY;
  const bool wait = m_owner->TakeVerticalBlankWait();
  return m_owner->Backend()->Present(wait || (flags & DDFLIP_NOVSYNC) == 0);
}

Result Surface::GetAttachedSurface(uint32_t caps, std::shared_ptr<Surface>& out) {
  out.reset();
  if (const Result r = m_owner->Backend()->Admit(Call::kGetAttachedSurface, caps); Failed(r)) {
    return r;
  }
  if ((caps & DDSCAPS_ZBUFFER) && m_depth) {
    out = m_depth;
  } else if ((caps & DDSCAPS_BACKBUFFER) && m_kind == Kind::kPrimary && m_next) {
    out = m_next;
  } else if ((caps & DDSCAPS_MIPMAP) && m_kind == Kind::kTexture && m_next) {
    out = m_next;
  } else {
    return DDERR_NOTFOUND;
  }
  return DD_OK;
}

Result Surface::AddAttachedSurface(const std::shared_ptr<Surface>& surface) {
  if (const Result r = m_owner->Backend()->Admit(Call::kAddAttachedSurface, 0); Failed(r)) {
    return r;
  }
  if (!surface) return DDERR_INVALIDPARAMS;
  if (surface->m_kind != Kind::kDepth || (m_desc.caps & DDSCAPS_3DDEVICE) == 0) {
    return DDERR_CANNOTATTACHSURFACE;
  }
  if (m_depth) return DDERR_SURFACEALREADYATTACHED;
  if (surface->m_desc.width != m_desc.width || surface->m_desc.height != m_desc.height) {
    return DDERR_CANNOTATTACHSURFACE;
  }
  m_depth = surface;
  return DD_OK;
}

Result Surface::SetClipper(const std::shared_ptr<Clipper>& clipper) {
  if (const Result r = m_owner->Backend()->Admit(Call::kSetClipper, 0); Failed(r)) return r;
  m_clipper = clipper;
  return DD_OK;
}

Result Surface::IsLost() {
  if (const Result r = m_owner->Backend()->Admit(Call::kIsLost, 0); Failed(r)) return r;
  return Lost() ? DDERR_SURFACELOST : DD_OK;
}

Result Surface::Restore() {
  if (const Result r = m_owner->Backend()->Admit(Call::kRestore, 0); Failed(r)) return r;
  const Result status = m_owner->Backend()->CooperativeStatus(m_owner->IsExclusive());
  if (Failed(status)) return status;
  MarkRestored();
  if (m_next) m_next->MarkRestored();
  return DD_OK;
}

}  // namespace gfx
