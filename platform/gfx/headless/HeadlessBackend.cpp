// The headless graphics backend and its test controls.

#include "platform/gfx/headless/HeadlessBackend.h"

#include <cstring>

#include "platform/gfx/PixelStore.h"
#include "platform/gfx/StandardDevices.h"

namespace gfx::detail {
std::shared_ptr<Backend> CreateHeadlessBackend() {
  return std::make_shared<headless::HeadlessBackend>();
}
}  // namespace gfx::detail

namespace gfx::headless {
namespace {

constexpr size_t kMaxRecords = 4096;
constexpr size_t kMaxDrawBytes = 64u << 20;
constexpr size_t kMaxVsyncRecords = 64;

SurfaceDesc Mode(uint32_t width, uint32_t height, uint32_t bpp) {
  SurfaceDesc mode;
  mode.flags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
  mode.width = width;
  mode.height = height;
  mode.refresh_rate = 60;
  mode.format = bpp == 16 ? FormatR5G6B5() : FormatX8R8G8B8();
  mode.format.bit_count = bpp;
  mode.pitch = detail::PitchFor(width, bpp / 8);
  return mode;
}

DeviceDesc ScriptedDevice(const Guid& guid, const char* name, bool hardware, bool tnl) {
  DeviceDesc desc = StandardDeviceDesc(guid, name, hardware, tnl);
  desc.max_anisotropy = 16;
  return desc;
}

size_t RecordBytes(const DrawRecord& record) {
  return record.vertices.size() + record.indices.size() * sizeof(uint32_t);
}

bool Matches(const Failure& failure, Call call, uint32_t key) {
  return failure.call == call && (failure.any_key || failure.key == key);
}

}  // namespace

World& TheWorld() {
  // Never destroyed: managers released at exit, after static objects go, may still reach it.
  static World& world = *new World();
  return world;
}

Script DefaultScript() {
  Script script;
  ScriptedDriver driver;
  driver.info.description = "Headless display";
  driver.info.name = "display";
  driver.caps.caps = DDCAPS_3D | DDCAPS_BLT | DDCAPS_BLTSTRETCH;
  driver.caps.caps2 = DDCAPS2_CANRENDERWINDOWED;
  driver.caps.video_memory_total = driver.caps.video_memory_free = 256u << 20;
  driver.identifier.driver = "headless";
  driver.identifier.description = "Headless display";
  const uint32_t sizes[][2] = {{1600, 1200}, {1280, 1024}, {1280, 960}, {1024, 768},
                               {800, 600},   {640, 480}};
  for (const auto& size : sizes) {
    driver.modes.push_back(Mode(size[0], size[1], 32));
    driver.modes.push_back(Mode(size[0], size[1], 16));
  }
  driver.devices.push_back(ScriptedDevice(kDeviceRgb, "RGB Emulation", false, false));
  driver.devices.push_back(ScriptedDevice(kDeviceHal, "Direct3D HAL", true, false));
  driver.devices.push_back(ScriptedDevice(kDeviceTnLHal, "Direct3D T&L HAL", true, true));
  script.drivers.push_back(driver);
  script.desktop = Mode(1024, 768, 32);
  script.texture_formats = {FormatA8R8G8B8(), FormatX8R8G8B8(), FormatA4R4G4B4(),
                            FormatA1R5G5B5(), FormatR5G6B5()};
  script.z_formats = {FormatDepth16(), FormatDepth24X8()};
  return script;
}

void SetScript(const Script& script) { TheWorld().script = script; }

void FailCall(Call call, Result result, uint32_t count, uint32_t skip, bool any_key, uint32_t key) {
  TheWorld().failures.push_back(Failure{call, result, count, skip, any_key, key});
}

void ClearFailures() { TheWorld().failures.clear(); }

void LoseDevice(Result reason) {
  World& world = TheWorld();
  if (world.lost_reason == DD_OK) ++world.loss_count;
  world.lost_reason = Failed(reason) ? reason : DDERR_NOEXCLUSIVEMODE;
}

void RegainDevice() { TheWorld().lost_reason = DD_OK; }

uint64_t CallCount(Call call) {
  const auto index = static_cast<uint32_t>(call);
  return index < kCallCount ? TheWorld().calls[index] : 0;
}
uint64_t DrawCount() { return TheWorld().draw_count; }
uint64_t PresentCount() { return TheWorld().present_count; }
uint64_t SceneCount() { return TheWorld().scene_count; }
std::vector<bool> PresentVsync() {
  const auto& v = TheWorld().present_vsync;
  return std::vector<bool>(v.begin(), v.end());
}
const std::deque<DrawRecord>& Draws() { return TheWorld().draws; }
const std::deque<ClearRecord>& Clears() { return TheWorld().clears; }
bool OutputOpen() { return TheWorld().output_open; }
uint32_t CooperativeFlags() { return TheWorld().coop_flags; }
SurfaceDesc DisplayMode() {
  const World& world = TheWorld();
  return world.mode_set ? world.mode : world.script.desktop;
}

void ClearRecords() {
  World& world = TheWorld();
  std::memset(world.calls, 0, sizeof world.calls);
  world.draw_count = world.present_count = world.scene_count = 0;
  world.present_vsync.clear();
  world.draws.clear();
  world.draw_bytes = 0;
  world.clears.clear();
}

void Reset() {
  World& world = TheWorld();
  ClearRecords();
  world.script = DefaultScript();
  world.failures.clear();
  world.lost_reason = DD_OK;
  world.mode_set = false;
  world.coop_flags = 0;
}

// ---- the backend ----------------------------------------------------------------------------------

Result HeadlessBackend::Admit(Call call, uint32_t key) {
  World& world = TheWorld();
  const auto index = static_cast<uint32_t>(call);
  if (index < kCallCount) ++world.calls[index];
  for (auto it = world.failures.begin(); it != world.failures.end(); ++it) {
    if (!Matches(*it, call, key)) continue;
    if (it->skip > 0) {
      --it->skip;
      return DD_OK;
    }
    const Result result = it->result;
    if (--it->count == 0) world.failures.erase(it);
    return result;
  }
  return DD_OK;
}

const ScriptedDriver* HeadlessBackend::Find(const Guid* driver) const {
  for (const ScriptedDriver& d : TheWorld().script.drivers) {
    if (driver == nullptr ? !d.info.has_guid : (d.info.has_guid && d.info.guid == *driver)) {
      return &d;
    }
  }
  return nullptr;
}

std::vector<DriverInfo> HeadlessBackend::Drivers() {
  std::vector<DriverInfo> drivers;
  for (const ScriptedDriver& d : TheWorld().script.drivers) drivers.push_back(d.info);
  return drivers;
}

DriverCaps HeadlessBackend::Caps(const Guid* driver) {
  const ScriptedDriver* d = Find(driver);
  return d ? d->caps : DriverCaps{};
}

DeviceIdentifier HeadlessBackend::Identifier(const Guid* driver) {
  const ScriptedDriver* d = Find(driver);
  return d ? d->identifier : DeviceIdentifier{};
}

std::vector<SurfaceDesc> HeadlessBackend::DisplayModes(const Guid* driver) {
  const ScriptedDriver* d = Find(driver);
  return d ? d->modes : std::vector<SurfaceDesc>{};
}

SurfaceDesc HeadlessBackend::CurrentMode(const Guid*) { return DisplayMode(); }

std::vector<DeviceDesc> HeadlessBackend::Devices(const Guid* driver) {
  const ScriptedDriver* d = Find(driver);
  return d ? d->devices : std::vector<DeviceDesc>{};
}

std::vector<PixelFormat> HeadlessBackend::TextureFormats() {
  return TheWorld().script.texture_formats;
}

std::vector<PixelFormat> HeadlessBackend::ZBufferFormats() { return TheWorld().script.z_formats; }

Result HeadlessBackend::SetCooperativeLevel(window::NativeWindow*, uint32_t flags) {
  TheWorld().coop_flags = flags;
  return DD_OK;
}

Result HeadlessBackend::SetDisplayMode(window::NativeWindow*, uint32_t width, uint32_t height,
                                       uint32_t bpp, uint32_t refresh) {
  World& world = TheWorld();
  for (const ScriptedDriver& d : world.script.drivers) {
    for (const SurfaceDesc& mode : d.modes) {
      if (mode.width == width && mode.height == height && mode.format.bit_count == bpp) {
        world.mode = mode;
        if (refresh) world.mode.refresh_rate = refresh;
        world.mode_set = true;
        return DD_OK;
      }
    }
  }
  return DDERR_INVALIDMODE;
}

Result HeadlessBackend::RestoreDisplayMode(window::NativeWindow*) {
  TheWorld().mode_set = false;
  return DD_OK;
}

Result HeadlessBackend::CooperativeStatus(bool) { return TheWorld().lost_reason; }

uint64_t HeadlessBackend::LossCount() const { return TheWorld().loss_count; }

Result HeadlessBackend::OpenOutput(window::NativeWindow*) {
  TheWorld().output_open = true;
  return DD_OK;
}

void HeadlessBackend::CloseOutput() { TheWorld().output_open = false; }

Result HeadlessBackend::Present(bool vsync) {
  World& world = TheWorld();
  ++world.present_count;
  world.present_vsync.push_back(vsync);
  if (world.present_vsync.size() > kMaxVsyncRecords) world.present_vsync.pop_front();
  return DD_OK;
}

Result HeadlessBackend::ReadOutput(bool, uint32_t width, uint32_t height, uint8_t* dest,
                                   int32_t pitch) {
  // Nothing is drawn: the output reads as black.
  for (uint32_t y = 0; y < height; ++y) {
    std::memset(dest + static_cast<size_t>(y) * pitch, 0, static_cast<size_t>(width) * 4);
  }
  return DD_OK;
}

void HeadlessBackend::SceneBegins() { ++TheWorld().scene_count; }

Result HeadlessBackend::Clear(DeviceState& state, const detail::ClearCall& call, bool) {
  World& world = TheWorld();
  if (world.clears.size() >= kMaxRecords) world.clears.pop_front();
  world.clears.push_back(ClearRecord{call.flags, call.color, call.z, state.viewport, call.rect_count});
  return DD_OK;
}

Result HeadlessBackend::Draw(DeviceState& state, const detail::StageTextures&,
                             const detail::DrawCall& call, bool has_depth) {
  World& world = TheWorld();
  ++world.draw_count;
  DrawRecord record;
  record.primitive = call.primitive;
  record.fvf = call.fvf;
  record.vertex_count = call.vertex_count;
  record.index_count = call.index_count;
  record.index_size = call.index_size;
  record.vertices.assign(call.vertices,
                         call.vertices + static_cast<size_t>(call.stride) * call.vertex_count);
  record.indices.resize(call.index_count);
  for (uint32_t i = 0; i < call.index_count; ++i) {
    record.indices[i] = call.index_size == 2 ? static_cast<const uint16_t*>(call.indices)[i]
                                             : static_cast<const uint32_t*>(call.indices)[i];
  }
  record.state = state;
  record.has_depth = has_depth;
  state.dirty = 0;
  world.draw_bytes += RecordBytes(record);
  world.draws.push_back(std::move(record));
  while (world.draws.size() > 1 &&
         (world.draws.size() > kMaxRecords || world.draw_bytes > kMaxDrawBytes)) {
    world.draw_bytes -= RecordBytes(world.draws.front());
    world.draws.pop_front();
  }
  return DD_OK;
}

}  // namespace gfx::headless
