// The OpenGL backend's display side: SDL's video modes and desktop, the cooperative level, the
// display mode, the GL context on the window, presenting and reading back frames.

#include "platform/gfx/gl/GlBackend.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>

#include "platform/gfx/PixelStore.h"
#include "platform/gfx/StandardDevices.h"

#ifndef GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT
#define GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT 0x84FF
#endif

namespace gfx::detail {
std::shared_ptr<Backend> CreateOpenGLBackend() { return std::make_shared<gl::OpenGLBackend>(); }
}  // namespace gfx::detail

namespace gfx::gl {
namespace {

SDL_Window* ToSdl(window::NativeWindow* window) { return reinterpret_cast<SDL_Window*>(window); }

SurfaceDesc ModeDesc(uint32_t width, uint32_t height, uint32_t bpp, uint32_t refresh) {
  SurfaceDesc mode;
  mode.flags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
  mode.width = width;
  mode.height = height;
  mode.refresh_rate = refresh;
  mode.format = bpp == 16 ? FormatR5G6B5() : FormatX8R8G8B8();
  mode.format.bit_count = bpp;
  mode.pitch = detail::PitchFor(width, std::max(1u, bpp / 8));
  return mode;
}

// Four bytes a pixel count as 32 bits whatever the padding; a display that does not say (some
// virtual displays) is taken as 32.
uint32_t BitsOf(Uint32 sdl_format) {
  const uint32_t bytes = SDL_BYTESPERPIXEL(sdl_format);
  return bytes == 4 || bytes == 0 ? 32 : bytes * 8;
}

DeviceDesc NominalDevice(const Guid& guid, const char* name, bool hardware, bool tnl) {
  DeviceDesc desc = StandardDeviceDesc(guid, name, hardware, tnl);
  desc.render_bit_depth |= DDBD_24;
  return desc;
}

}  // namespace

OpenGLBackend::OpenGLBackend() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
    m_video_ready = true;
    // A resize is seen as it is made, whoever takes the event from the queue.
    SDL_AddEventWatch(&OpenGLBackend::WatchWindowEvents, this);
  } else {
    m_error = std::string("SDL video: ") + SDL_GetError();
  }
}

OpenGLBackend::~OpenGLBackend() {
  if (m_context) SDL_GL_DeleteContext(m_context);
  if (m_video_ready) {
    SDL_DelEventWatch(&OpenGLBackend::WatchWindowEvents, this);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
}

std::vector<DriverInfo> OpenGLBackend::Drivers() {
  std::vector<DriverInfo> drivers;
  if (!m_video_ready || SDL_GetNumVideoDisplays() < 1) return drivers;
  DriverInfo info;
  info.description = "OpenGL display";
  info.name = "display";
  drivers.push_back(info);
  return drivers;
}

DriverCaps OpenGLBackend::Caps(const Guid*) {
  DriverCaps caps;
  caps.caps = DDCAPS_3D | DDCAPS_BLT | DDCAPS_BLTSTRETCH;
  caps.caps2 = DDCAPS2_CANRENDERWINDOWED;
  caps.video_memory_total = caps.video_memory_free = 256u << 20;
  return caps;
}

DeviceIdentifier OpenGLBackend::Identifier(const Guid*) {
  DeviceIdentifier id;
  id.driver = "opengl";
  id.description = "OpenGL display";
  if (ContextReady()) {
    if (const auto* renderer = glGetString(GL_RENDERER)) {
      id.description = reinterpret_cast<const char*>(renderer);
    }
  }
  return id;
}

std::vector<SurfaceDesc> OpenGLBackend::DisplayModes(const Guid*) {
  std::vector<SurfaceDesc> modes;
  if (!m_video_ready) return modes;
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0 || mode.w <= 0 || mode.h <= 0) continue;
    const uint32_t bpp = BitsOf(mode.format);
    if (bpp <= 8) continue;
    const SurfaceDesc desc = ModeDesc(mode.w, mode.h, bpp, mode.refresh_rate);
    const bool seen = std::any_of(modes.begin(), modes.end(), [&](const SurfaceDesc& m) {
      return m.width == desc.width && m.height == desc.height &&
             m.format.bit_count == desc.format.bit_count && m.refresh_rate == desc.refresh_rate;
    });
    if (!seen) modes.push_back(desc);
  }
  // Some virtual displays list no usable mode; their desktop mode is one all the same.
  SDL_DisplayMode desktop;
  if (modes.empty() && SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
    modes.push_back(ModeDesc(desktop.w, desktop.h, BitsOf(desktop.format), desktop.refresh_rate));
  }
  return modes;
}

SurfaceDesc OpenGLBackend::CurrentMode(const Guid*) {
  if (m_mode_set) return m_mode;
  SDL_DisplayMode mode;
  if (m_video_ready && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    return ModeDesc(mode.w, mode.h, BitsOf(mode.format), mode.refresh_rate);
  }
  return ModeDesc(640, 480, 32, 0);
}

std::vector<DeviceDesc> OpenGLBackend::Devices(const Guid*) {
  // One GL context stands in for every device class, so that the software fall-back works too.
  return {NominalDevice(kDeviceRgb, "RGB Emulation", false, false),
          NominalDevice(kDeviceHal, "Direct3D HAL", true, false),
          NominalDevice(kDeviceTnLHal, "Direct3D T&L HAL", true, true)};
}

std::vector<PixelFormat> OpenGLBackend::TextureFormats() {
  return {FormatA8R8G8B8(), FormatX8R8G8B8(), FormatA4R4G4B4(), FormatA1R5G5B5(), FormatR5G6B5()};
}

std::vector<PixelFormat> OpenGLBackend::ZBufferFormats() {
  return {FormatDepth16(), FormatDepth24X8()};
}

SDL_Window* OpenGLBackend::CooperativeWindow() const {
  SDL_Window* alive = m_window_id ? SDL_GetWindowFromID(m_window_id) : nullptr;
  return alive == m_window ? alive : nullptr;
}

SDL_Window* OpenGLBackend::OutputWindow() const {
  SDL_Window* alive = m_context_window_id ? SDL_GetWindowFromID(m_context_window_id) : nullptr;
  return alive == m_context_window ? alive : nullptr;
}

SDL_Window* OpenGLBackend::Resolve(window::NativeWindow* window) const {
  SDL_Window* sdl = ToSdl(window);
  if (sdl != nullptr && sdl == m_window) return CooperativeWindow();
  if (sdl != nullptr && sdl == m_context_window) return OutputWindow();
  return sdl;
}

Result OpenGLBackend::SetCooperativeLevel(window::NativeWindow* window, uint32_t flags) {
  if (ToSdl(window) != m_window) {
    m_window = ToSdl(window);
    m_window_id = m_window ? SDL_GetWindowID(m_window) : 0;
  }
  m_exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
  return DD_OK;
}

Result OpenGLBackend::SetDisplayMode(window::NativeWindow* window, uint32_t width, uint32_t height,
                                     uint32_t bpp, uint32_t refresh) {
  SDL_Window* sdl = Resolve(window);
  if (sdl == nullptr) return DDERR_NOHWND;
  const int display = std::max(0, SDL_GetWindowDisplayIndex(sdl));
  SDL_DisplayMode wanted{0, static_cast<int>(width), static_cast<int>(height),
                         static_cast<int>(refresh), nullptr};
  SDL_DisplayMode closest;
  bool switched = false;
  if (SDL_GetClosestDisplayMode(display, &wanted, &closest) != nullptr &&
      closest.w == wanted.w && closest.h == wanted.h) {
    switched = SDL_SetWindowDisplayMode(sdl, &closest) == 0 &&
               SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN) == 0;
  }
  if (!switched) {
    // The display keeps its mode: the window covers the desktop and the picture is scaled.
    m_error = std::string("display mode not set, desktop full screen: ") + SDL_GetError();
    SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
  }
  m_mode = ModeDesc(width, height, bpp, refresh);
  m_mode_set = true;
  m_target_stale = true;
  return DD_OK;
}

Result OpenGLBackend::RestoreDisplayMode(window::NativeWindow* window) {
  if (SDL_Window* sdl = Resolve(window)) SDL_SetWindowFullscreen(sdl, 0);
  m_mode_set = false;
  m_target_stale = true;
  return DD_OK;
}

Result OpenGLBackend::CooperativeStatus(bool exclusive) {
  // A full-screen program that was minimised has lost its display, as an exclusive DirectDraw
  // program does; it comes back when the window is restored.
  SDL_Window* window = CooperativeWindow();
  const bool lost = exclusive && window != nullptr &&
                    (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0;
  if (lost && !m_lost) ++m_loss_count;
  m_lost = lost;
  return lost ? DDERR_NOEXCLUSIVEMODE : DD_OK;
}

Result OpenGLBackend::OpenOutput(window::NativeWindow* window) {
  SDL_Window* sdl = Resolve(window);
  if (sdl == nullptr) sdl = CooperativeWindow();
  if (sdl == nullptr) return DDERR_NOHWND;
  if (m_context && OutputWindow() == sdl) {
    ++m_output_refs;
    return DD_OK;
  }
  if (m_context) return DDERR_PRIMARYSURFACEALREADYEXISTS;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  m_context = SDL_GL_CreateContext(sdl);
  if (m_context == nullptr) {
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    m_context = SDL_GL_CreateContext(sdl);
  }
  if (m_context == nullptr) {
    m_error = std::string("no OpenGL context: ") + SDL_GetError();
    return DDERR_NODIRECTDRAWHW;
  }
  m_context_window = sdl;
  m_context_window_id = SDL_GetWindowID(sdl);
  m_output_refs = 1;
  ++m_generation;
  m_swap_interval = -1;
  PrepareContext();
  return DD_OK;
}

void OpenGLBackend::CloseOutput() {
  if (m_output_refs == 0 || --m_output_refs > 0) return;
  // Textures that outlive the context are uploaded to the next one from their own pixels.
  TakeAllPixelsBack();
  if (m_white_texture && MakeContextCurrent()) glDeleteTextures(1, &m_white_texture);
  m_white_texture = 0;
  SDL_GL_DeleteContext(m_context);
  m_context = nullptr;
  m_context_window = nullptr;
  m_context_window_id = 0;
  m_applied = nullptr;
  m_sent.ForgetAll();
}

void OpenGLBackend::PrepareContext() {
  GLint value = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &value);
  m_max_texture_size = std::max(64, value);
  glGetIntegerv(GL_MAX_TEXTURE_UNITS, &value);
  m_texture_units = std::clamp(value, 1, static_cast<int>(kMaxTextureStages));
  glGetIntegerv(GL_MAX_LIGHTS, &value);
  m_max_lights = std::clamp(value, 1, 8);
  m_max_anisotropy = 1.0f;
  if (SDL_GL_ExtensionSupported("GL_EXT_texture_filter_anisotropic")) {
    glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &m_max_anisotropy);
  }
  m_bgra_colors = SDL_GL_ExtensionSupported("GL_EXT_vertex_array_bgra") ||
                  SDL_GL_ExtensionSupported("GL_ARB_vertex_array_bgra");
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glFrontFace(GL_CCW);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
  // "No texture" is a 1 x 1 white texture, so a stage without one still modulates cleanly.
  const uint32_t white = 0xFFFFFFFFu;
  glGenTextures(1, &m_white_texture);
  glBindTexture(GL_TEXTURE_2D, m_white_texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, &white);
  // A new context holds GL's defaults, not what the last one was given.
  m_sent.ForgetAll();
  m_applied = nullptr;
  m_target_stale = true;
  m_last_target_width = m_last_target_height = -1;
}

Result OpenGLBackend::Present(bool vsync) {
  if (!ContextReady()) return DDERR_GENERIC;
  SDL_Window* window = OutputWindow();
  if (window == nullptr) return DDERR_NOHWND;
  if (!MakeContextCurrent()) return DDERR_GENERIC;
  const int interval = vsync ? 1 : 0;
  if (interval != m_swap_interval) {
    SDL_GL_SetSwapInterval(interval);  // not every display lets it be chosen
    m_swap_interval = interval;
  }
  SDL_GL_SwapWindow(window);
  return DD_OK;
}

Result OpenGLBackend::ReadOutput(bool front, uint32_t width, uint32_t height, uint8_t* dest,
                                 int32_t pitch) {
  for (uint32_t y = 0; y < height; ++y) {
    std::memset(dest + static_cast<size_t>(y) * pitch, 0, static_cast<size_t>(width) * 4);
  }
  if (!MakeContextCurrent()) return DDERR_GENERIC;
  int target_width = 0, target_height = 0;
  TargetSize(target_width, target_height);
  const uint32_t w = std::min<uint32_t>(width, std::max(0, target_width));
  const uint32_t h = std::min<uint32_t>(height, std::max(0, target_height));
  if (w == 0 || h == 0) return DD_OK;
  // Read straight into the caller's rows (no second copy of the screen), then turned over in
  // place: GL's rows run bottom to top, a surface's top to bottom.
  glReadBuffer(front ? GL_FRONT : GL_BACK);
  glPixelStorei(GL_PACK_ROW_LENGTH, pitch / 4);
  glReadPixels(0, target_height - static_cast<int>(h), w, h, GL_BGRA, GL_UNSIGNED_BYTE, dest);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadBuffer(GL_BACK);
  const size_t row_bytes = static_cast<size_t>(w) * 4;
  m_row.resize(row_bytes);
  for (uint32_t y = 0; y < h / 2; ++y) {
    uint8_t* top = dest + static_cast<size_t>(y) * pitch;
    uint8_t* bottom = dest + static_cast<size_t>(h - 1 - y) * pitch;
    std::memcpy(m_row.data(), top, row_bytes);
    std::memcpy(top, bottom, row_bytes);
    std::memcpy(bottom, m_row.data(), row_bytes);
  }
  // The frame has no alpha channel.
  for (uint32_t y = 0; y < h; ++y) {
    uint8_t* out = dest + static_cast<size_t>(y) * pitch;
    for (uint32_t x = 0; x < w; ++x) out[x * 4 + 3] = 0xFF;
  }
  return DD_OK;
}

DeviceDesc OpenGLBackend::CreatedDeviceDesc(const DeviceDesc& enumerated) {
  DeviceDesc desc = enumerated;
  m_applied = nullptr;
  if (!ContextReady()) return desc;
  desc.max_texture_width = desc.max_texture_height = static_cast<uint32_t>(m_max_texture_size);
  desc.max_simultaneous_textures = desc.max_texture_blend_stages =
      static_cast<uint32_t>(m_texture_units);
  desc.max_active_lights = static_cast<uint32_t>(m_max_lights);
  desc.max_anisotropy = static_cast<uint32_t>(std::max(1.0f, m_max_anisotropy));
  return desc;
}

void OpenGLBackend::ReleaseStore(detail::PixelStore& store) {
  m_holding.erase(&store);
  // A name from an earlier context died with it. GL unbinds a deleted texture from every unit, and
  // may give its name to the next texture made.
  if (store.handle != 0 && store.handle_generation == m_generation && MakeContextCurrent()) {
    glDeleteTextures(1, &store.handle);
    m_sent.TextureDeleted(store.handle);
  }
  store.handle = 0;
}

}  // namespace gfx::gl
