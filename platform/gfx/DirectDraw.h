#pragma once
// A DirectDraw object of one display driver: its capabilities and display modes, the cooperative
// level with the program's window, the display mode, surface creation, and the Direct3D object
// that lists its devices and creates them.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/Results.h"
#include "platform/gfx/Types.h"

namespace window {
struct NativeWindow;
}

namespace gfx {

namespace detail {
class Backend;
}

class Surface;
class Device;
class Direct3D;

// Clips blits to the primary surface to a window's client area.
class Clipper {
 public:
  explicit Clipper(std::shared_ptr<detail::Backend> backend) : m_backend(std::move(backend)) {}
  Result SetWindow(window::NativeWindow* window);
  window::NativeWindow* Window() const { return m_window; }

 private:
  std::shared_ptr<detail::Backend> m_backend;
  window::NativeWindow* m_window = nullptr;
};

class DirectDraw : public std::enable_shared_from_this<DirectDraw> {
 public:
  DirectDraw(std::shared_ptr<detail::Backend> backend, const Guid* driver);
  ~DirectDraw();
  DirectDraw(const DirectDraw&) = delete;
  DirectDraw& operator=(const DirectDraw&) = delete;

  Result GetCaps(DriverCaps* hardware, DriverCaps* emulation);
  Result GetDeviceIdentifier(DeviceIdentifier& identifier);
  // The modes the display can be set to.
  Result EnumDisplayModes(std::vector<SurfaceDesc>& modes);
  // The display's current mode (the desktop's while no mode was set).
  Result GetDisplayMode(SurfaceDesc& mode);

  // DDSCL_NORMAL, or DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN (which need a window); DDSCL_ALLOWREBOOT,
  // DDSCL_FPUSETUP and DDSCL_FPUPRESERVE may be added.
  Result SetCooperativeLevel(window::NativeWindow* window, uint32_t flags);
  // Needs the exclusive level. When the display refuses the mode the window covers the desktop at
  // the desktop's own mode instead, and the call still succeeds.
  Result SetDisplayMode(uint32_t width, uint32_t height, uint32_t bpp, uint32_t refresh,
                        uint32_t flags);
  Result RestoreDisplayMode();
  // DD_OK while surfaces can be drawn; DDERR_NOEXCLUSIVEMODE or DDERR_WRONGMODE when the device was
  // lost (another program took the display, or its mode changed).
  Result TestCooperativeLevel();
  // Restores every surface of this object once the device can draw again.
  Result RestoreAllSurfaces();
  // DDWAITVB_BLOCKBEGIN: the next present waits for the vertical blank.
  Result WaitForVerticalBlank(uint32_t flags);

  // Primary (DDSCAPS_PRIMARYSURFACE, with DDSCAPS_FLIP | DDSCAPS_COMPLEX and a back buffer count
  // of 1 for a flipping chain), off-screen 3D render targets (DDSCAPS_OFFSCREENPLAIN |
  // DDSCAPS_3DDEVICE), depth buffers (DDSCAPS_ZBUFFER with a DDPF_ZBUFFER format), textures
  // (DDSCAPS_TEXTURE, with DDSCAPS_MIPMAP | DDSCAPS_COMPLEX and a mip-map count for a chain) and
  // plain system-memory surfaces.
  Result CreateSurface(const SurfaceDesc& desc, std::shared_ptr<Surface>& out);
  Result CreateClipper(uint32_t flags, std::shared_ptr<Clipper>& out);
  // The Direct3D object of this driver.
  Result QueryDirect3D(std::shared_ptr<Direct3D>& out);

  // For the objects made by this one.
  const std::shared_ptr<detail::Backend>& Backend() const { return m_backend; }
  const Guid* Driver() const { return m_has_guid ? &m_guid : nullptr; }
  bool IsExclusive() const { return (m_coop_flags & 0x10u) != 0; }
  window::NativeWindow* Window() const { return m_window; }
  bool TakeVerticalBlankWait();
  void Register(Surface* surface);
  void Unregister(Surface* surface);

 private:
  Result CheckSurfaceDesc(const SurfaceDesc& desc) const;

  std::shared_ptr<detail::Backend> m_backend;
  bool m_has_guid = false;
  Guid m_guid;
  window::NativeWindow* m_window = nullptr;
  uint32_t m_coop_flags = 0;
  bool m_mode_set = false;
  bool m_wait_vertical_blank = false;
  std::vector<Surface*> m_surfaces;  // not owned: every live surface made here
};

// The Direct3D 7 object of a driver: its devices, depth formats and device creation.
class Direct3D {
 public:
  explicit Direct3D(std::shared_ptr<DirectDraw> owner) : m_owner(std::move(owner)) {}
  Result EnumDevices(std::vector<DeviceDesc>& devices);
  Result EnumZBufferFormats(const Guid& device, std::vector<PixelFormat>& formats);
  // A device of the given class drawing into `target` (a surface with DDSCAPS_3DDEVICE).
  Result CreateDevice(const Guid& device, const std::shared_ptr<Surface>& target,
                      std::shared_ptr<Device>& out);

 private:
  std::shared_ptr<DirectDraw> m_owner;
};

}  // namespace gfx
