#pragma once
// A DirectDraw surface: the primary surface and its back buffer, an off-screen render target, a
// depth buffer, a texture level or a plain system-memory surface. Surfaces with pixels in memory
// lock to a pointer and a pitch; the primary and back buffer lock to a copy of what is on them.

#include <cstdint>
#include <memory>

#include "platform/gfx/Results.h"
#include "platform/gfx/Types.h"

namespace gfx {

namespace detail {
struct PixelStore;
}

class DirectDraw;
class Clipper;

class Surface : public std::enable_shared_from_this<Surface> {
 public:
  enum class Kind { kPrimary, kBackBuffer, kRenderTarget, kDepth, kTexture, kPlain };

  Surface(std::shared_ptr<DirectDraw> owner, Kind kind, const SurfaceDesc& desc,
          std::shared_ptr<detail::PixelStore> store, uint32_t level);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  Result GetSurfaceDesc(SurfaceDesc& desc);
  // The whole surface when `rect` is null. DDERR_SURFACEBUSY when already locked.
  Result Lock(const Rect* rect, SurfaceDesc& desc, uint32_t flags);
  Result Unlock(const Rect* rect);
  // Copies `source` (the whole of it when `source_rect` is null) into `dest_rect` (the whole of
  // this surface when null), scaling to fit. A blit of the back buffer onto the primary surface
  // presents the frame.
  Result Blt(const Rect* dest_rect, Surface* source, const Rect* source_rect, uint32_t flags);
  // Presents the back buffer of a flipping primary surface; DDFLIP_NOVSYNC does not wait for the
  // vertical blank.
  Result Flip(Surface* target, uint32_t flags);
  // The back buffer of a flipping primary (DDSCAPS_BACKBUFFER), the next mip level of a texture
  // (DDSCAPS_TEXTURE | DDSCAPS_MIPMAP) or an attached depth buffer (DDSCAPS_ZBUFFER).
  Result GetAttachedSurface(uint32_t caps, std::shared_ptr<Surface>& out);
  // Attaches a depth buffer to a render target.
  Result AddAttachedSurface(const std::shared_ptr<Surface>& surface);
  Result SetClipper(const std::shared_ptr<Clipper>& clipper);
  // DDERR_SURFACELOST when the device was lost since this surface was last restored.
  Result IsLost();
  Result Restore();

  // A number no other surface of this process has.
  uint64_t Id() const { return m_id; }
  Kind GetKind() const { return m_kind; }
  const SurfaceDesc& Desc() const { return m_desc; }
  DirectDraw& Owner() const { return *m_owner; }
  detail::PixelStore* Store() const { return m_store.get(); }
  uint32_t Level() const { return m_level; }
  bool HasDepth() const { return m_depth != nullptr; }
  bool Lost() const;
  void MarkRestored();

 private:
  friend class DirectDraw;
  Result CopyFrom(const Rect& dest, Surface& source, const Rect& from);
  Result LockOutput(const Rect& rect, SurfaceDesc& desc);

  std::shared_ptr<DirectDraw> m_owner;
  Kind m_kind;
  SurfaceDesc m_desc;
  std::shared_ptr<detail::PixelStore> m_store;  // the pixels (all levels of a texture)
  uint32_t m_level = 0;
  std::shared_ptr<Surface> m_next;   // the back buffer of a primary, the next mip level
  std::shared_ptr<Surface> m_depth;  // an attached depth buffer
  std::shared_ptr<Clipper> m_clipper;
  uint64_t m_id;
  uint64_t m_restored_at;  // the loss count when last restored
  bool m_locked = false;
  bool m_output_open = false;
};

}  // namespace gfx
