#pragma once
// The table of operations a graphics backend provides (OpenGL or headless). The surface, device
// and DirectDraw objects keep the states and check the arguments; they hand the backend only what
// reaches the screen. One backend runs per process, chosen at its first use.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Calls.h"
#include "platform/gfx/DeviceState.h"
#include "platform/gfx/Results.h"
#include "platform/gfx/Types.h"

namespace window {
struct NativeWindow;
}

namespace gfx::detail {

struct PixelStore;

// One indexed draw, already checked: every index is below vertex_count.
struct DrawCall {
  uint32_t primitive = 0;
  uint32_t fvf = 0;
  uint32_t stride = 0;
  const uint8_t* vertices = nullptr;
  uint32_t vertex_count = 0;
  const void* indices = nullptr;
  uint32_t index_count = 0;
  uint32_t index_size = 2;  // 2 or 4 bytes an index
};

struct ClearCall {
  uint32_t rect_count = 0;
  const Rect* rects = nullptr;
  uint32_t flags = 0;
  uint32_t color = 0;  // ARGB
  float z = 1.0f;
  uint32_t stencil = 0;
};

// The textures bound to the stages of a draw; null where none is bound.
struct StageTextures {
  PixelStore* store[kMaxTextureStages] = {};
};

class Backend {
 public:
  virtual ~Backend() = default;

  virtual const char* Name() const = 0;
  // Called at the start of every graphics call; a failure is returned to the caller unchanged.
  virtual Result Admit(Call call, uint32_t key) { return DD_OK; }
  virtual std::string LastError() const { return std::string(); }

  // ---- drivers, modes, devices ----
  virtual std::vector<DriverInfo> Drivers() = 0;
  // `driver` is null for the primary display driver.
  virtual DriverCaps Caps(const Guid* driver) = 0;
  virtual DeviceIdentifier Identifier(const Guid* driver) = 0;
  virtual std::vector<SurfaceDesc> DisplayModes(const Guid* driver) = 0;
  virtual SurfaceDesc CurrentMode(const Guid* driver) = 0;
  virtual std::vector<DeviceDesc> Devices(const Guid* driver) = 0;
  virtual std::vector<PixelFormat> TextureFormats() = 0;
  virtual std::vector<PixelFormat> ZBufferFormats() = 0;

  // ---- cooperative level and display mode ----
  virtual Result SetCooperativeLevel(window::NativeWindow* window, uint32_t flags) = 0;
  virtual Result SetDisplayMode(window::NativeWindow* window, uint32_t width, uint32_t height,
                                uint32_t bpp, uint32_t refresh) = 0;
  virtual Result RestoreDisplayMode(window::NativeWindow* window) = 0;
  // DD_OK while the device can draw; otherwise why not (DDERR_NOEXCLUSIVEMODE, DDERR_WRONGMODE).
  virtual Result CooperativeStatus(bool exclusive) = 0;
  // Grows by one every time the device is lost; surfaces restored before the last loss are lost.
  virtual uint64_t LossCount() const = 0;

  // ---- the visible output: the primary surface and its back buffer ----
  virtual Result OpenOutput(window::NativeWindow* window) = 0;
  virtual void CloseOutput() = 0;
  virtual Result Present(bool vsync) = 0;
  // The back (or front) buffer's pixels as X8R8G8B8, rows top first, `width` x `height` from the
  // top-left corner.
  virtual Result ReadOutput(bool front, uint32_t width, uint32_t height, uint8_t* dest,
                            int32_t pitch) = 0;

  // ---- the device ----
  // The created device's description, given the one it was enumerated with.
  virtual DeviceDesc CreatedDeviceDesc(const DeviceDesc& enumerated) = 0;
  virtual void SceneBegins() {}
  virtual void SceneEnds() {}
  virtual Result Clear(DeviceState& state, const ClearCall& call, bool has_depth) = 0;
  virtual Result Draw(DeviceState& state, const StageTextures& textures, const DrawCall& call,
                      bool has_depth) = 0;
  virtual void ReleaseStore(PixelStore& store) = 0;
  // Sends the texture's pixels to the device now rather than at the first draw that uses it;
  // true when anything was sent.
  virtual bool PreLoad(PixelStore& /*store*/) { return false; }
  // Fills the store's levels (allocated, zeroed) from the backend's copy after it had let them go;
  // what it cannot give back stays zero.
  virtual void ReadStorePixels(PixelStore& /*store*/) {}
};

// The running backend: OpenGL, or headless when VELMARIS_HEADLESS=1. Chosen at the first call.
std::shared_ptr<Backend> ActiveBackend();
// Drops the running backend (objects made on it keep it alive); the next call chooses anew.
void ResetBackend();

std::shared_ptr<Backend> CreateOpenGLBackend();
std::shared_ptr<Backend> CreateHeadlessBackend();

}  // namespace gfx::detail
