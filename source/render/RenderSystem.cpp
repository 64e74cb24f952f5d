#include "source/render/RenderSystem.h"

#include "source/render/RenderSettings.h"

const DriverRecord* RenderSystem::GetCurrentDriver() const {
  if (m_current_driver < 0 || static_cast<std::size_t>(m_current_driver) >= m_drivers.size()) return nullptr;
  return &m_drivers[m_current_driver];
}

const DeviceRecord* RenderSystem::GetCurrentDevice() const {
  const DriverRecord* driver = GetCurrentDriver();
  if (driver == nullptr || driver->current_device < 0 ||
      static_cast<std::size_t>(driver->current_device) >= driver->devices.size()) {
    return nullptr;
  }
  return &driver->devices[driver->current_device];
}

void RenderSystem::IsVideoModeCurrent() {
  const DeviceRecord* device = GetCurrentDevice();
  const VideoMode* mode = device != nullptr ? device->CurrentMode() : nullptr;
  const RenderSettings& s = g_render_settings;
  if (mode == nullptr || device->full_screen != s.fullscreen || mode->height != static_cast<uint32_t>(s.height) ||
      mode->width != static_cast<uint32_t>(s.width) || mode->bpp != static_cast<uint32_t>(s.bpp)) {
    m_reset_needed = true;
    m_resources_lost = true;
  } else {
    m_resources_lost = true;
  }
}
