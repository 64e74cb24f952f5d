#pragma once
// The display drivers, their Direct3D devices and the video modes each device can render, as the
// render system lists them at start-up; the choice of a device and of a video mode.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/Types.h"

struct RenderSettings;
struct DesktopModeRecord;

struct VideoMode {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bpp = 0;        // a 24-bit driver mode is recorded as 32
  std::size_t desc = 0;    // index of the driver's description of the mode
};

struct DeviceRecord {
  std::vector<VideoMode> modes;
  int current_mode = -1;  // index into modes; -1: none (the settings' size is used)
  bool full_screen = false;  // what held when the mode was chosen
  gfx::Guid guid;
  std::string name;
  std::string description;
  gfx::DeviceDesc desc;
  bool hardware = false;

  const VideoMode* CurrentMode() const {
    return current_mode >= 0 && static_cast<std::size_t>(current_mode) < modes.size() ? &modes[current_mode]
                                                                                   : nullptr;
  }
};

struct DriverRecord {
  std::vector<DeviceRecord> devices;
  int current_device = -1;
  bool has_guid = false;  // the primary display driver has none
  gfx::Guid guid;
  bool hardware_only = false;
  std::string description;  // at most 63 characters
  gfx::DriverCaps hardware_caps;
  gfx::DriverCaps emulation_caps;
  bool can_render_windowed = false;
  gfx::SurfaceDesc desktop;
  std::vector<gfx::SurfaceDesc> modes;  // at least 640 x 400, largest first
  gfx::DeviceIdentifier identifier;

  const gfx::Guid* Guid() const { return has_guid ? &guid : nullptr; }
};

// Lists every driver that can be created with its devices and modes.
void BuildDeviceList(std::vector<DriverRecord>& drivers);

// Sorts modes by width, height and colour depth, all descending.
void SortDisplayModes(std::vector<gfx::SurfaceDesc>& modes);

// The class of a device in the order of preference: 0 transform-and-lighting hardware, 1 other
// hardware, 2 software, 3 the reference rasterizer.
int DeviceClass(const DeviceRecord& device);

struct DeviceChoice {
  int driver = -1;
  int device = -1;
  bool Found() const { return driver >= 0 && device >= 0; }
};

// Among the drivers that can render windowed: the last device of the best class present; with
// software_only the two hardware classes are skipped.
DeviceChoice ChooseDevice(const std::vector<DriverRecord>& drivers, bool software_only);

// Sets the device's current mode (or none) from the settings, the desktop and the full-screen
// flag, and records the flag.
void ChooseVideoMode(DeviceRecord& device, const RenderSettings& settings,
                     const DesktopModeRecord& desktop, bool full_screen);
