#pragma once
// Controls of the headless graphics backend, for tests: the drivers, modes, devices and desktop it
// reports, failures to inject into chosen calls, a lost device, and the record of every call, clear,
// draw (with a copy of the device's state) and present. They act on the headless backend
// (VELMARIS_HEADLESS=1) and may be called before it starts; the OpenGL backend ignores them.

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/gfx/Calls.h"
#include "platform/gfx/DeviceState.h"
#include "platform/gfx/Results.h"
#include "platform/gfx/Types.h"

namespace gfx::headless {

struct ScriptedDriver {
  DriverInfo info;
  DriverCaps caps;
  DeviceIdentifier identifier;
  std::vector<SurfaceDesc> modes;
  std::vector<DeviceDesc> devices;
};

// What the backend reports. The default: one primary display driver that can render windowed,
// with modes from 640 x 480 to 1600 x 1200 at 16 and 32 bits, the software, hardware and
// transform-and-lighting devices, a 1024 x 768 x 32 desktop, the five colour texture formats and
// 16- and 32-bit depth formats.
struct Script {
  std::vector<ScriptedDriver> drivers;
  SurfaceDesc desktop;
  std::vector<PixelFormat> texture_formats;
  std::vector<PixelFormat> z_formats;
};

Script DefaultScript();
// Replaces what the backend reports (and what the display mode is).
void SetScript(const Script& script);

// The next `count` calls of `call` (with the given key, or any key when `any_key`) fail with
// `result`, after `skip` matching calls have passed. Keys: the state number for SetRenderState,
// SetTextureStageState and SetTransform, the stage for SetTexture, the light index for SetLight and
// LightEnable, the caps for CreateSurface, the primitive type for DrawIndexedPrimitive, else 0.
void FailCall(Call call, Result result, uint32_t count = 1, uint32_t skip = 0, bool any_key = true,
              uint32_t key = 0);
void ClearFailures();

// Loses the device: TestCooperativeLevel answers `reason` (DDERR_NOEXCLUSIVEMODE, or
// DDERR_WRONGMODE for a windowed mode change), video-memory surfaces are lost and nothing draws
// until RegainDevice and a restore.
void LoseDevice(Result reason = DDERR_NOEXCLUSIVEMODE);
void RegainDevice();

struct DrawRecord {
  uint32_t primitive = 0;
  uint32_t fvf = 0;
  uint32_t vertex_count = 0;
  uint32_t index_count = 0;
  uint32_t index_size = 0;
  std::vector<uint8_t> vertices;  // a copy, stride x vertex_count bytes
  std::vector<uint32_t> indices;  // widened to 32 bits
  DeviceState state;              // the device's state at the draw
  bool has_depth = false;
};

struct ClearRecord {
  uint32_t flags = 0;
  uint32_t color = 0;
  float z = 0;
  Viewport viewport;
  uint32_t rect_count = 0;
};

// Every call admitted (failed ones too), by call.
uint64_t CallCount(Call call);
uint64_t DrawCount();
uint64_t PresentCount();
uint64_t SceneCount();
// The last presents' vertical-sync flags, oldest first (at most 64 kept).
std::vector<bool> PresentVsync();
// The recorded draws and clears, oldest first. The oldest go beyond 4096 of each, or when the
// draws' copies of vertices and indices pass 64 MiB, so a long headless run stays bounded.
const std::deque<DrawRecord>& Draws();
const std::deque<ClearRecord>& Clears();
// Whether an output (a primary surface) is open, and the window and flags of the last
// cooperative level and display mode.
bool OutputOpen();
uint32_t CooperativeFlags();
SurfaceDesc DisplayMode();
// Forgets records and counters (not the script, failures or loss).
void ClearRecords();
// Back to the default script, no failures, device not lost, no records.
void Reset();

}  // namespace gfx::headless
