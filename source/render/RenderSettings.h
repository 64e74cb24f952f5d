#pragma once
// The video and render settings the render manager binds to the properties store (all of them
// written back to the configuration file), and the desktop's mode as read at start-up.

#include <cstdint>
#include <vector>

#include "platform/gfx/Types.h"

struct RenderSettings {
  // The wanted video mode: width ("x_size"), height and colour depth.
  int width = 1024;
  int height = 768;
  int bpp = 32;
  bool fullscreen = true;
  bool vsync = true;
  float brightness = 1.0f;  // the next seven are kept for the options screen only
  float contrast = 1.0f;
  float gamma = 1.0f;
  bool use_mip_mapping = true;
  bool show_octree_nodes = false;
  bool show_faces_edges = false;
  bool show_faces_normals = false;
  bool show_mip_maps = false;  // every mip level below the first is drawn red
  int texture_anisotropy = 1;  // 2 or more selects anisotropic filtering
  bool invert_mouse = false;
  int screenshot_format = 0;
};

struct DesktopModeRecord {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bpp = 0;
  // Width / height above 1.4 (compared as the float 1.4 widened to double).
  bool wide = false;
};

extern RenderSettings g_render_settings;
extern DesktopModeRecord g_desktop_mode;

// Binds the sixteen keys to g_render_settings in their fixed order and marks each persistent.
// A value the configuration file already gave reaches the variable now; a width or height that is
// not a number is refused (logged, the default stays).
void BindRenderSettings();
// The size the application window is made at, before the render system sets its mode: the wanted
// mode as the configuration file gives it (its keys are bound only later), else the settings'.
void WantedWindowSize(int& width, int& height);
// Fills g_desktop_mode from the desktop's current mode.
void ReadDesktopMode();
// Whether a desktop of this size counts as wide; a zero height never does.
bool IsWideDesktop(uint32_t width, uint32_t height);

// Refuses a wanted width or height of 0 or less, or beyond the largest of the display's modes and
// the desktop (a window that large cannot be made, and the game would never start again): the
// default takes its place and the log says so. A display that tells no size refuses only 0 or less.
void RefuseImpossibleSizes(const std::vector<gfx::SurfaceDesc>& modes, const DesktopModeRecord& desktop);
