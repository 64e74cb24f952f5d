#include "source/render/RenderSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/window/window.h"
#include "source/log/cLog.h"
#include "source/properties/cBoundProperty.h"
#include "source/properties/cProperties.h"

RenderSettings g_render_settings;
DesktopModeRecord g_desktop_mode;

namespace {

constexpr const char* kSource = "source\\render\\RenderSettings";

template <class T>
void BindPersistent(cProperties* store, const char* key, T* variable) {
  store->MarkPersistent(key);
  BindProperty(store->GetMap(), key, variable);
}

// Digits with at most a sign and surrounding blanks: "1024", not "wide" or "1024px".
bool IsDecimalText(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return false;
  if (text[i] == '+' || text[i] == '-') ++i;
  const std::size_t digits = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  return i > digits && text.find_first_not_of(" \t", i) == std::string::npos;
}

// A size the configuration gave that is not a number would become 0 (or a number cut from its
// first digits): the binder's default stays and the log says so.
void BindSize(cProperties* store, const char* key, int* variable) {
  const bool given = store->GetMap().count(key) != 0;
  const std::string text = store->GetValue(key);
  const int fallback = *variable;
  BindPersistent(store, key, variable);
  if (!given || IsDecimalText(text)) return;
  *variable = fallback;
  LogReport(kLogWarning, kSource, __LINE__, "%s \"%s\" is not a number: %d is used", key, text.c_str(), fallback);
}

// Refuses a size outside 1..most; answers whether it did.
bool RefuseSize(const char* key, int& size, int fallback, uint32_t most) {
  if (size > 0 && (most == 0 || static_cast<uint32_t>(size) <= most)) return false;
  if (most == 0) {  // a display that tells no size of its own
    LogReport(kLogWarning, kSource, __LINE__, "%s %d is not a size: %d is used", key, size, fallback);
  } else {
    LogReport(kLogWarning, kSource, __LINE__, "%s %d is beyond what the display can show (1 to %u): %d is used", key,
              size, most, fallback);
  }
  size = fallback;
  return true;
}

// A colour depth no display mode has (a negative one, say) would be written back as it is.
void RefuseDepth(int& bpp, int fallback) {
  if (bpp == 16 || bpp == 24 || bpp == 32) return;
  LogReport(kLogWarning, kSource, __LINE__, "m_video_mode.bpp %d is not a colour depth (16, 24 or 32): %d is used", bpp,
            fallback);
  bpp = fallback;
}

// "nan" and "inf" read as numbers, but no picture can be adjusted by them.
void RefuseEndless(const char* key, float& value, float fallback) {
  if (std::isfinite(value)) return;
  LogReport(kLogWarning, kSource, __LINE__, "%s is not a finite number: %g is used", key, static_cast<double>(fallback));
  value = fallback;
}

}  // namespace

void BindRenderSettings() {
  cProperties* store = cProperties::GetInstance();
  RenderSettings& s = g_render_settings;
  // The width key has no "m_video_mode." prefix: the configuration file stores it so.
  BindSize(store, "x_size", &s.width);
  BindSize(store, "m_video_mode.y_size", &s.height);
  BindPersistent(store, "m_video_mode.bpp", &s.bpp);
  BindPersistent(store, "video_fullscreen", &s.fullscreen);
  BindPersistent(store, "video_vsync", &s.vsync);
  BindPersistent(store, "video_brightness", &s.brightness);
  BindPersistent(store, "video_contrast", &s.contrast);
  BindPersistent(store, "video_gamma", &s.gamma);
  BindPersistent(store, "render_use_mip_mapping", &s.use_mip_mapping);
  BindPersistent(store, "render_show_octree_nodes", &s.show_octree_nodes);
  BindPersistent(store, "render_show_faces_edges", &s.show_faces_edges);
  BindPersistent(store, "render_show_faces_normals", &s.show_faces_normals);
  BindPersistent(store, "render_show_mip_maps", &s.show_mip_maps);
  BindPersistent(store, "render_texture_anisotropy", &s.texture_anisotropy);
  BindPersistent(store, "controls_invert_mouse", &s.invert_mouse);
  BindPersistent(store, "screen_capture_take_screenshot_format", &s.screenshot_format);
  const RenderSettings defaults;
  RefuseDepth(s.bpp, defaults.bpp);
  RefuseEndless("video_brightness", s.brightness, defaults.brightness);
  RefuseEndless("video_contrast", s.contrast, defaults.contrast);
  RefuseEndless("video_gamma", s.gamma, defaults.gamma);
}

namespace {

// A side from the properties store when it holds a usable one, else `fallback`.
int StoredSide(const char* key, int fallback) {
  const std::string text = cProperties::GetInstance()->GetValue(key);
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 0);
  const bool usable = !text.empty() && end != text.c_str() && value > 0 && value <= 16384;
  return usable ? static_cast<int>(value) : fallback;
}

}  // namespace

void WantedWindowSize(int& width, int& height) {
  width = StoredSide("x_size", g_render_settings.width > 0 ? g_render_settings.width : 1024);
  height = StoredSide("m_video_mode.y_size", g_render_settings.height > 0 ? g_render_settings.height : 768);
}

bool IsWideDesktop(uint32_t width, uint32_t height) {
  if (height == 0) return false;
  // The ratio is a float, so 1400 x 1000 comes out as exactly 1.4f and is not wide.
  const float ratio = static_cast<float>(width) / static_cast<float>(height);
  return static_cast<double>(ratio) > static_cast<double>(1.4f);
}

void ReadDesktopMode() {
  const window::DesktopMode mode = window::GetDesktopMode();
  g_desktop_mode.width = mode.width > 0 ? static_cast<uint32_t>(mode.width) : 0;
  g_desktop_mode.height = mode.height > 0 ? static_cast<uint32_t>(mode.height) : 0;
  g_desktop_mode.bpp = mode.bits_per_pixel > 0 ? static_cast<uint32_t>(mode.bits_per_pixel) : 0;
  g_desktop_mode.wide = IsWideDesktop(g_desktop_mode.width, g_desktop_mode.height);
}

void RefuseImpossibleSizes(const std::vector<gfx::SurfaceDesc>& modes, const DesktopModeRecord& desktop) {
  uint32_t most_width = desktop.width;
  uint32_t most_height = desktop.height;
  for (const gfx::SurfaceDesc& mode : modes) {
    most_width = std::max(most_width, mode.width);
    most_height = std::max(most_height, mode.height);
  }
  const RenderSettings defaults;
  RenderSettings& s = g_render_settings;
  RefuseSize("x_size", s.width, defaults.width, most_width);
  RefuseSize("m_video_mode.y_size", s.height, defaults.height, most_height);
}
