#include "source/render/RenderSystem_D3D7.h"

#include <algorithm>
#include <vector>

#include "source/log/cLog.h"
#include "source/render/DDErrorText.h"
#include "source/render/RenderSettings.h"
#include "source/render/RenderWindow.h"

namespace {

const char kDottedLine[] = "........................................................";

void Say(const char* text) { LogReport(kLogPlain, kRenderSystemSource, __LINE__, "%s", text); }

bool Fail(int line, const char* text) {
  LogReport(kLogAbort, kRenderSystemSource, line, "%s", text);
  return false;
}

}  // namespace

RenderSystem_D3D7::RenderSystem_D3D7() {
  LogReport(kLogPlain, kRenderSystemSource, __LINE__, "\nInitialization of m_d3d subsystem...");
  Say("...Building device list...");
  BuildDeviceList(m_drivers);
  if (m_drivers.empty() || m_drivers.front().devices.empty()) {
    Fail(__LINE__, "RenderSystem_D3D7: Failed to find any compatible m_d3d devices");
  }
  std::vector<gfx::SurfaceDesc> modes;
  for (const DriverRecord& driver : m_drivers) modes.insert(modes.end(), driver.modes.begin(), driver.modes.end());
  RefuseImpossibleSizes(modes, g_desktop_mode);
  if (CreateWithFallback(true) || CreateInDefaultMode()) {
    m_device_ready = true;
    SetDefaultStates();
  } else {
    // Without a device no state is set and nothing is drawn; the owner sees IsCreated() false.
    m_device_ready = false;
  }
  Say(" ");
}

RenderSystem_D3D7::~RenderSystem_D3D7() {
  LogReport(kLogPlain, kRenderSystemSource, __LINE__, "\nm_d3d Subsystem destroying:");
  Release();
}

DeviceRecord* RenderSystem_D3D7::CurrentDevice() { return const_cast<DeviceRecord*>(GetCurrentDevice()); }

bool RenderSystem_D3D7::IsFullScreen() const {
  const DeviceRecord* device = GetCurrentDevice();
  return device != nullptr && device->full_screen && g_render_settings.fullscreen;
}

const std::shared_ptr<gfx::Surface>& RenderSystem_D3D7::GetBoundTexture(uint32_t stage) {
  static const std::shared_ptr<gfx::Surface> none;
  return stage < gfx::kMaxTextureStages ? s_textures[stage] : none;
}

uint32_t RenderSystem_D3D7::StageCount() {
  return std::min(s_device_desc.max_simultaneous_textures, gfx::kMaxTextureStages);
}

bool RenderSystem_D3D7::Check(gfx::Result result, const char* expression, int line) {
  DDErrorText(expression, result, kRenderSystemSource, line);
  return gfx::Succeeded(result);
}

bool RenderSystem_D3D7::ChooseDevice(bool software_only) {
  for (DriverRecord& driver : m_drivers) driver.current_device = -1;
  m_current_driver = -1;
  const DeviceChoice choice = ::ChooseDevice(m_drivers, software_only);
  if (!choice.Found()) return Fail(__LINE__, "RenderSystem_D3D7: Failed to find any compatible m_d3d devices");
  m_current_driver = choice.driver;
  m_drivers[choice.driver].current_device = choice.device;
  return true;
}

bool RenderSystem_D3D7::CreateWithFallback(bool capability_log) {
  if (GetCurrentDevice() == nullptr && !ChooseDevice(false)) return false;
  if (Create(capability_log)) return true;
  Release();
  if (DeviceClass(*GetCurrentDevice()) <= 1) {
    LogReport(kLogWarning, kRenderSystemSource, __LINE__, "......RenderSystem_D3D7: Switching to the software rasterizer");
    if (ChooseDevice(true) && Create(capability_log)) return true;
    Release();
    if (GetCurrentDevice() == nullptr) return false;
  }
  return Fail(__LINE__, "RenderSystem_D3D7: Failed to create m_d3d device");
}

bool RenderSystem_D3D7::CreateInDefaultMode() {
  const RenderSettings defaults;
  RenderSettings& s = g_render_settings;
  if (s.width == defaults.width && s.height == defaults.height && s.bpp == defaults.bpp) return false;
  LogReport(kLogWarning, kRenderSystemSource, __LINE__,
            "the video mode %dx%dx%d cannot be made: trying the default mode %dx%dx%d", s.width, s.height, s.bpp,
            defaults.width, defaults.height, defaults.bpp);
  // The failed mode goes for good: the configuration is saved with the one that works (or, when
  // none does, with the default), never with one that keeps the game from starting.
  s.width = defaults.width;
  s.height = defaults.height;
  s.bpp = defaults.bpp;
  Release();
  return ChooseDevice(false) && CreateWithFallback(true);
}

bool RenderSystem_D3D7::Create(bool capability_log) {
  DeviceRecord* device = CurrentDevice();
  const DriverRecord* driver = GetCurrentDriver();
  if (device == nullptr || driver == nullptr) return false;
  ChooseVideoMode(*device, g_render_settings, g_desktop_mode, g_render_settings.fullscreen);
  const bool full_screen = IsFullScreen();

  Say("...Creating DirectDraw...");
  if (gfx::Failed(gfx::CreateDirectDraw(driver->Guid(), s_directdraw)) || !s_directdraw) {
    return Fail(__LINE__, "Failed to create DirectDraw\n");
  }
  Say("......Setting cooperative level...");
  const uint32_t level = (full_screen ? gfx::DDSCL_EXCLUSIVE | gfx::DDSCL_FULLSCREEN | gfx::DDSCL_ALLOWREBOOT
                                      : gfx::DDSCL_NORMAL) |
                         gfx::DDSCL_FPUSETUP;
  if (gfx::Failed(s_directdraw->SetCooperativeLevel(GetRenderWindowHandle(), level))) {
    return Fail(__LINE__, "Failed to set DirectDraw cooperative level");
  }
  gfx::SurfaceDesc display;
  if (gfx::Failed(s_directdraw->GetDisplayMode(display)) || display.format.bit_count <= 8) {
    return Fail(__LINE__, "Invalid DirectDraw display mode");
  }

  Say("......Creating screen buffers...");
  const VideoMode* mode = device->CurrentMode();
  const uint32_t width = mode != nullptr ? mode->width : static_cast<uint32_t>(std::max(g_render_settings.width, 1));
  const uint32_t height = mode != nullptr ? mode->height : static_cast<uint32_t>(std::max(g_render_settings.height, 1));
  if (!CreateScreenBuffers(width, height, full_screen)) return false;

  Say("...Creating m_d3d...");
  if (gfx::Failed(s_directdraw->QueryDirect3D(s_d3d)) || !s_d3d) return Fail(__LINE__, "Failed to create m_d3d");
  Say("...Creating m_d3d device...");
  if (gfx::Failed(s_d3d->CreateDevice(device->guid, m_back, s_device)) || !s_device) {
    s_device.reset();
    return Fail(__LINE__, "Failed to create m_d3d device");
  }
  Say("......Setting viewport...");
  gfx::Viewport viewport;
  viewport.width = m_back_desc.width;
  viewport.height = m_back_desc.height;
  if (gfx::Failed(s_device->SetViewport(viewport))) return Fail(__LINE__, "Failed to set viewport");
  Say("......Creating Z Buffer...");
  if (!CreateDepthBuffer(*device)) return false;

  s_device->GetCaps(s_device_desc);
  if (capability_log) LogCapabilities();
  return true;
}

bool RenderSystem_D3D7::CreateScreenBuffers(uint32_t width, uint32_t height, bool full_screen) {
  const int x = std::max(0, (static_cast<int>(g_desktop_mode.width) - static_cast<int>(width)) / 2);
  const int y = std::max(0, (static_cast<int>(g_desktop_mode.height) - static_cast<int>(height)) / 2);
  ResizeRenderWindow(full_screen ? 0 : x, full_screen ? 0 : y, static_cast<int>(width), static_cast<int>(height),
                     full_screen);
  if (full_screen) {
    const DeviceRecord* device = GetCurrentDevice();
    const VideoMode* mode = device->CurrentMode();
    const gfx::SurfaceDesc* driver_mode = mode != nullptr ? &GetCurrentDriver()->modes[mode->desc] : nullptr;
    const uint32_t bpp = driver_mode != nullptr ? driver_mode->format.bit_count : 32;
    const uint32_t refresh = driver_mode != nullptr ? driver_mode->refresh_rate : 0;
    if (gfx::Failed(s_directdraw->SetDisplayMode(width, height, bpp, refresh, 0))) {
      return Fail(__LINE__, "Failed to set display mode");
    }
    gfx::SurfaceDesc primary;
    primary.flags = gfx::DDSD_CAPS | gfx::DDSD_BACKBUFFERCOUNT;
    primary.caps = gfx::DDSCAPS_PRIMARYSURFACE | gfx::DDSCAPS_FLIP | gfx::DDSCAPS_COMPLEX | gfx::DDSCAPS_3DDEVICE;
    primary.back_buffer_count = 1;
    if (gfx::Failed(s_directdraw->CreateSurface(primary, m_primary))) {
      return Fail(__LINE__, "Failed to create primary surface");
    }
    if (gfx::Failed(m_primary->GetAttachedSurface(gfx::DDSCAPS_BACKBUFFER, m_back)) || !m_back) {
      return Fail(__LINE__, "Failed to create back buffer");
    }
  } else {
    gfx::SurfaceDesc primary;
    primary.flags = gfx::DDSD_CAPS;
    primary.caps = gfx::DDSCAPS_PRIMARYSURFACE;
    if (gfx::Failed(s_directdraw->CreateSurface(primary, m_primary))) {
      return Fail(__LINE__, "Failed to create primary surface");
    }
    if (gfx::Failed(s_directdraw->CreateClipper(0, m_clipper)) || !m_clipper ||
        gfx::Failed(m_clipper->SetWindow(GetRenderWindowHandle())) || gfx::Failed(m_primary->SetClipper(m_clipper))) {
      return Fail(__LINE__, "Failed to create clipper");
    }
    gfx::SurfaceDesc back;
    back.flags = gfx::DDSD_CAPS | gfx::DDSD_WIDTH | gfx::DDSD_HEIGHT;
    back.caps = gfx::DDSCAPS_OFFSCREENPLAIN | gfx::DDSCAPS_3DDEVICE;
    back.width = width;
    back.height = height;
    if (gfx::Failed(s_directdraw->CreateSurface(back, m_back)) || !m_back) {
      return Fail(__LINE__, "Failed to create back buffer");
    }
  }
  m_back->GetSurfaceDesc(m_back_desc);
  return true;
}

bool RenderSystem_D3D7::CreateDepthBuffer(const DeviceRecord& device) {
  // The capabilities of the device being made; the process-wide copy still holds the last one's.
  if (device.desc.raster_caps & gfx::D3DPRASTERCAPS_ZBUFFERLESSHSR) return true;
  std::vector<gfx::PixelFormat> formats;
  s_d3d->EnumZBufferFormats(device.guid, formats);
  const gfx::PixelFormat* chosen = nullptr;
  for (const gfx::PixelFormat& f : formats) {
    if (f.bit_count == m_back_desc.format.bit_count) { chosen = &f; break; }
  }
  for (const gfx::PixelFormat& f : formats) {
    if (chosen == nullptr && f.bit_count == 16) chosen = &f;
  }
  gfx::SurfaceDesc desc;
  desc.flags = gfx::DDSD_CAPS | gfx::DDSD_WIDTH | gfx::DDSD_HEIGHT | gfx::DDSD_PIXELFORMAT;
  const bool hardware = device.guid == gfx::kDeviceHal || device.guid == gfx::kDeviceTnLHal;
  desc.caps = gfx::DDSCAPS_ZBUFFER | (hardware ? gfx::DDSCAPS_VIDEOMEMORY : gfx::DDSCAPS_SYSTEMMEMORY);
  desc.width = m_back_desc.width;
  desc.height = m_back_desc.height;
  if (chosen != nullptr) desc.format = *chosen;
  if (chosen == nullptr || gfx::Failed(s_directdraw->CreateSurface(desc, m_depth)) || !m_depth ||
      gfx::Failed(m_back->AddAttachedSurface(m_depth))) {
    return Fail(__LINE__, "Failed to create Z Buffer");
  }
  if (gfx::Failed(s_device->SetRenderTarget(m_back))) return Fail(__LINE__, "Failed to set render target");
  return true;
}

void RenderSystem_D3D7::LogCapabilities() {
  Say(kDottedLine);
  Say("......Capabilities:");
  LogReport(kLogPlain, kRenderSystemSource, __LINE__, ".........Maximal texture units: %u",
            s_device_desc.max_simultaneous_textures);
  LogReport(kLogPlain, kRenderSystemSource, __LINE__, ".........Maximal texture size: %ux%u",
            s_device_desc.max_texture_width, s_device_desc.max_texture_height);
  LogReport(kLogPlain, kRenderSystemSource, __LINE__, ".........Maximal texture anisotropy: %u",
            s_device_desc.max_anisotropy);
}

void RenderSystem_D3D7::Release() {
  if (s_directdraw) s_directdraw->SetCooperativeLevel(GetRenderWindowHandle(), gfx::DDSCL_NORMAL);
  Say("...Releasing device...");
  for (auto& texture : s_textures) texture.reset();
  const bool device_held = s_device && s_device.use_count() > 1;
  s_device.reset();
  Say("...Releasing surfaces...");
  m_back.reset();
  m_depth.reset();
  m_primary.reset();
  m_clipper.reset();
  Say("...Releasing m_d3d...");
  s_d3d.reset();
  Say("...Releasing DirectDraw...");
  if (device_held) {
    LogReport(kLogAbort, kRenderSystemSource, __LINE__, "RenderSystem_D3D7: device object is still referenced");
  } else if (s_directdraw && s_directdraw.use_count() > 1) {
    LogReport(kLogError, kRenderSystemSource, __LINE__, "RenderSystem_D3D7: DirectDraw object is still referenced");
  }
  s_directdraw.reset();
  for (bool& off : m_stage_switched_off) off = false;
}

void RenderSystem_D3D7::CheckDevice() {
  if (!s_directdraw || !s_device) return;
  const gfx::Result level = s_directdraw->TestCooperativeLevel();
  if (gfx::Failed(level)) {
    // Told once a loss: a device stays lost for many frames (a minimised full-screen game).
    if (m_device_ready) Check(level, "m_directdraw->TestCooperativeLevel()", __LINE__);
    m_device_ready = false;
    if (level == gfx::DDERR_WRONGMODE && !IsFullScreen()) {
      m_reset_needed = true;
      m_resources_lost = true;
    }
    return;
  }
  if (!m_device_ready) {
    if (Check(s_directdraw->RestoreAllSurfaces(), "m_directdraw->RestoreAllSurfaces()", __LINE__)) {
      m_device_ready = true;
    } else {
      m_reset_needed = true;
      m_resources_lost = true;
    }
  }
}

void RenderSystem_D3D7::ResetDevice(uint32_t flags) {
  bool created = true;
  if (flags & kResetRecreateDevice) {
    if (m_frames_to_retry > 0) {  // a failed reset is not retried every frame
      --m_frames_to_retry;
      return;
    }
    LogReport(kLogWarning, kRenderSystemSource, __LINE__, "\nReseting m_d3d device:");
    // After a failed attempt the resources are released already: each release hook runs once
    // before its restore hook.
    if (m_resources_lost && !m_resources_released) {
      DeviceResource::ReleaseAll();
      m_resources_released = true;
    }
    Release();
    Say(kDottedLine);
    created = CreateWithFallback(false);
    if (created) SetDefaultStates();
    Say(kDottedLine);
  }
  const bool restore = (flags & kResetRestoreResources) && m_resources_lost && created;
  if (restore) {
    DeviceResource::RestoreAll();
    m_resources_released = false;
  }
  if (flags & kResetRecreateDevice) {
    if (created) {
      m_reset_needed = false;
      m_device_ready = true;
      m_reset_failures = 0;
    } else {
      m_device_ready = false;
      m_reset_failures = std::min(m_reset_failures + 1, 8u);
      m_frames_to_retry = (1u << m_reset_failures) - 1;
    }
  }
  if (restore) m_resources_lost = false;
}
