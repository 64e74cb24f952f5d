#include "source/render/DeviceList.h"

#include <algorithm>
#include <memory>

#include "platform/gfx/gfx.h"
#include "source/render/RenderSettings.h"

namespace {

bool RendersDepth(const gfx::DeviceDesc& desc, uint32_t bpp) {
  switch (bpp) {
    case 32: return (desc.render_bit_depth & gfx::DDBD_32) != 0;
    case 24: return (desc.render_bit_depth & gfx::DDBD_24) != 0;
    case 16: return (desc.render_bit_depth & gfx::DDBD_16) != 0;
    default: return false;
  }
}

DeviceRecord MakeDevice(const DriverRecord& driver, const gfx::DeviceDesc& desc) {
  DeviceRecord device;
  device.guid = desc.guid;
  device.name = desc.name.substr(0, 63);
  device.description = desc.description.substr(0, 63);
  device.desc = desc;
  device.hardware = (desc.dev_caps & gfx::D3DDEVCAPS_HWRASTERIZATION) != 0;
  for (std::size_t i = 0; i < driver.modes.size(); ++i) {
    const uint32_t bpp = driver.modes[i].format.bit_count;
    if (!RendersDepth(desc, bpp)) continue;
    device.modes.push_back(VideoMode{driver.modes[i].width, driver.modes[i].height, bpp == 24 ? 32u : bpp, i});
  }
  return device;
}

// One driver's record; false when its DirectDraw or Direct3D object cannot be made.
bool ListDriver(const gfx::DriverInfo& info, DriverRecord& record) {
  const gfx::Guid* guid = info.has_guid ? &info.guid : nullptr;
  std::shared_ptr<gfx::DirectDraw> directdraw;
  if (gfx::Failed(gfx::CreateDirectDraw(guid, directdraw)) || !directdraw) return false;
  std::shared_ptr<gfx::Direct3D> d3d;
  if (gfx::Failed(directdraw->QueryDirect3D(d3d)) || !d3d) return false;

  record.has_guid = info.has_guid;
  record.guid = info.guid;
  record.hardware_only = info.has_guid;  // a secondary driver is a 3-D card with no software devices
  record.description = info.description.substr(0, 63);
  directdraw->GetCaps(&record.hardware_caps, &record.emulation_caps);
  directdraw->GetDeviceIdentifier(record.identifier);
  record.can_render_windowed =
      !info.has_guid && (record.hardware_caps.caps2 & gfx::DDCAPS2_CANRENDERWINDOWED) != 0;
  directdraw->GetDisplayMode(record.desktop);

  std::vector<gfx::SurfaceDesc> modes;
  directdraw->EnumDisplayModes(modes);
  for (const gfx::SurfaceDesc& mode : modes) {
    if (mode.width >= 640 && mode.height >= 400) record.modes.push_back(mode);
  }
  SortDisplayModes(record.modes);

  std::vector<gfx::DeviceDesc> devices;
  d3d->EnumDevices(devices);
  for (const gfx::DeviceDesc& desc : devices) {
    const bool hardware = (desc.dev_caps & gfx::D3DDEVCAPS_HWRASTERIZATION) != 0;
    if (record.hardware_only && !hardware) continue;
    DeviceRecord device = MakeDevice(record, desc);
    // A device with no listed mode still draws into a window at the settings' size (some
    // displays list no modes at all), so only a driver that cannot draw windowed drops it.
    if (!device.modes.empty() || record.can_render_windowed) record.devices.push_back(std::move(device));
  }
  return true;
}

}  // namespace

void SortDisplayModes(std::vector<gfx::SurfaceDesc>& modes) {
  std::sort(modes.begin(), modes.end(), [](const gfx::SurfaceDesc& a, const gfx::SurfaceDesc& b) {
    if (a.width != b.width) return a.width > b.width;
    if (a.height != b.height) return a.height > b.height;
    return a.format.bit_count > b.format.bit_count;
  });
}

void BuildDeviceList(std::vector<DriverRecord>& drivers) {
  drivers.clear();
  std::vector<gfx::DriverInfo> infos;
  if (gfx::Failed(gfx::EnumerateDrivers(infos))) return;
  for (const gfx::DriverInfo& info : infos) {
    DriverRecord record;
    if (ListDriver(info, record)) drivers.push_back(std::move(record));
  }
}

int DeviceClass(const DeviceRecord& device) {
  if (device.guid == gfx::kDeviceTnLHal) return 0;
  if (device.hardware) return 1;
  if (device.guid == gfx::kDeviceRef) return 3;
  return 2;
}

DeviceChoice ChooseDevice(const std::vector<DriverRecord>& drivers, bool software_only) {
  DeviceChoice last[4];
  for (std::size_t d = 0; d < drivers.size(); ++d) {
    if (!drivers[d].can_render_windowed) continue;
    for (std::size_t v = 0; v < drivers[d].devices.size(); ++v) {
      const int cls = DeviceClass(drivers[d].devices[v]);
      last[cls] = DeviceChoice{static_cast<int>(d), static_cast<int>(v)};
    }
  }
  for (int cls = software_only ? 2 : 0; cls < 4; ++cls) {
    if (last[cls].Found()) return last[cls];
  }
  return DeviceChoice{};
}

void ChooseVideoMode(DeviceRecord& device, const RenderSettings& settings,
                     const DesktopModeRecord& desktop, bool full_screen) {
  device.current_mode = -1;
  const bool use_desktop = desktop.wide && full_screen;
  const uint32_t width = use_desktop ? desktop.width : static_cast<uint32_t>(std::max(settings.width, 0));
  const uint32_t height = use_desktop ? desktop.height : static_cast<uint32_t>(std::max(settings.height, 0));
  const uint32_t bpp = use_desktop ? desktop.bpp : static_cast<uint32_t>(std::max(settings.bpp, 0));

  if (full_screen) {
    for (std::size_t i = 0; i < device.modes.size(); ++i) {
      const VideoMode& m = device.modes[i];
      if (m.width == width && m.height == height && m.bpp == bpp) {
        device.current_mode = static_cast<int>(i);
        break;
      }
    }
    // No exact match: the same size at another depth.
    for (std::size_t i = 0; device.current_mode < 0 && i < device.modes.size(); ++i) {
      if (device.modes[i].width == width && device.modes[i].height == height) {
        device.current_mode = static_cast<int>(i);
      }
    }
    // A size the display cannot show: full screen at the desktop's own mode, where the cameras
    // keep the picture's 4:3 area. Asking for the missing size would leave the game without a
    // device at all.
    for (std::size_t i = 0; device.current_mode < 0 && i < device.modes.size(); ++i) {
      if (device.modes[i].width == desktop.width && device.modes[i].height == desktop.height) {
        device.current_mode = static_cast<int>(i);
      }
    }
  } else if (width >= desktop.width || height >= desktop.height) {
    // The wanted window does not fit on the desktop: the largest 4:3-friendly mode that does.
    uint32_t best_width = 640;
    uint32_t best_height = 480;
    for (std::size_t i = 0; i < device.modes.size(); ++i) {
      const VideoMode& m = device.modes[i];
      if (m.width % 4 != 0 || m.height % 3 != 0) continue;
      if (m.width >= desktop.width || m.height >= desktop.height) continue;
      if (m.width > best_width && m.height > best_height) {
        best_width = m.width;
        best_height = m.height;
        device.current_mode = static_cast<int>(i);
      }
    }
  }
  device.full_screen = full_screen;
}
