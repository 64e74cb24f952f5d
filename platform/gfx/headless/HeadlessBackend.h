#pragma once
// The headless graphics backend: reports the scripted drivers and modes, keeps the cooperative
// level and display mode, records calls, clears, draws and presents, and draws no pixels.

#include <deque>
#include <vector>

#include "platform/gfx/Backend.h"
#include "platform/gfx/headless/Headless.h"

namespace gfx::headless {

struct Failure {
  Call call;
  Result result;
  uint32_t count;
  uint32_t skip;
  bool any_key;
  uint32_t key;
};

// What the headless backend knows; it outlives backend objects, so tests can script it first.
struct World {
  Script script = DefaultScript();
  std::vector<Failure> failures;
  Result lost_reason = DD_OK;
  uint64_t loss_count = 0;
  uint64_t calls[kCallCount] = {};
  uint64_t draw_count = 0, present_count = 0, scene_count = 0;
  std::deque<bool> present_vsync;
  std::deque<DrawRecord> draws;
  size_t draw_bytes = 0;  // vertex and index bytes the kept draws hold
  std::deque<ClearRecord> clears;
  bool output_open = false;
  uint32_t coop_flags = 0;
  bool mode_set = false;
  SurfaceDesc mode;
};

World& TheWorld();

class HeadlessBackend : public detail::Backend {
 public:
  const char* Name() const override { return "headless"; }
  Result Admit(Call call, uint32_t key) override;

  std::vector<DriverInfo> Drivers() override;
  DriverCaps Caps(const Guid* driver) override;
  DeviceIdentifier Identifier(const Guid* driver) override;
  std::vector<SurfaceDesc> DisplayModes(const Guid* driver) override;
  SurfaceDesc CurrentMode(const Guid* driver) override;
  std::vector<DeviceDesc> Devices(const Guid* driver) override;
  std::vector<PixelFormat> TextureFormats() override;
  std::vector<PixelFormat> ZBufferFormats() override;

  Result SetCooperativeLevel(window::NativeWindow* window, uint32_t flags) override;
  Result SetDisplayMode(window::NativeWindow* window, uint32_t width, uint32_t height, uint32_t bpp,
                        uint32_t refresh) override;
  Result RestoreDisplayMode(window::NativeWindow* window) override;
  Result CooperativeStatus(bool exclusive) override;
  uint64_t LossCount() const override;

  Result OpenOutput(window::NativeWindow* window) override;
  void CloseOutput() override;
  Result Present(bool vsync) override;
  Result ReadOutput(bool front, uint32_t width, uint32_t height, uint8_t* dest,
                    int32_t pitch) override;

  DeviceDesc CreatedDeviceDesc(const DeviceDesc& enumerated) override { return enumerated; }
  void SceneBegins() override;
  Result Clear(DeviceState& state, const detail::ClearCall& call, bool has_depth) override;
  Result Draw(DeviceState& state, const detail::StageTextures& textures,
              const detail::DrawCall& call, bool has_depth) override;
  void ReleaseStore(detail::PixelStore&) override {}

 private:
  const ScriptedDriver* Find(const Guid* driver) const;
};

}  // namespace gfx::headless
