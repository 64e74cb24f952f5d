#pragma once
// The OpenGL graphics backend: an OpenGL 2.1 compatibility context on the program's SDL2 window,
// drawing with the fixed-function pipeline. The display driver, its modes and the desktop come
// from SDL; the states are turned into GL ones at each draw (GlDraw.cpp), sending only what the
// context does not hold already (GlStateCache.h).

#include <SDL2/SDL.h>

#include <atomic>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/gfx/Backend.h"
#include "platform/gfx/gl/GlStateCache.h"

namespace gfx::gl {

class OpenGLBackend : public detail::Backend {
 public:
  OpenGLBackend();
  ~OpenGLBackend() override;

  const char* Name() const override { return "opengl"; }
  std::string LastError() const override { return m_error; }

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
  uint64_t LossCount() const override { return m_loss_count; }

  Result OpenOutput(window::NativeWindow* window) override;
  void CloseOutput() override;
  Result Present(bool vsync) override;
  Result ReadOutput(bool front, uint32_t width, uint32_t height, uint8_t* dest,
                    int32_t pitch) override;

  DeviceDesc CreatedDeviceDesc(const DeviceDesc& enumerated) override;
  Result Clear(DeviceState& state, const detail::ClearCall& call, bool has_depth) override;
  Result Draw(DeviceState& state, const detail::StageTextures& textures,
              const detail::DrawCall& call, bool has_depth) override;
  void ReleaseStore(detail::PixelStore& store) override;
  bool PreLoad(detail::PixelStore& store) override;
  void ReadStorePixels(detail::PixelStore& store) override;

 private:
  void PrepareContext();
  // GlDraw.cpp
  static int WatchWindowEvents(void* self, SDL_Event* event);
  // The drawable's size, asked of SDL again only after the window was resized.
  void TargetSize(int& width, int& height);
  // Makes the backend's context current; when another one was, the cache is forgotten.
  bool MakeContextCurrent();
  void BeginStateFrom(DeviceState& state);
  void SelectClientUnit(int unit);
  void SetVertexArrays(int units_in_use, const DeviceState& state, const detail::DrawCall& call);
  // GlStates.cpp
  void Switch(Cap cap, bool on);
  void LoadMatrix(uint32_t mode, Sent<Floats16>& sent, const Floats16& matrix);
  void SendDepthMask(bool on);
  void ApplyViewport(const DeviceState& state);
  void ApplyRenderStates(const DeviceState& state, bool has_depth);
  void ApplyTransforms(const DeviceState& state);
  void ApplyLights(const DeviceState& state);
  void ApplyMaterial(const DeviceState& state);
  // GlStages.cpp; ApplyStages answers how many units the draw uses.
  int ApplyStages(const DeviceState& state, const detail::StageTextures& textures);
  void ApplyCombiner(const DeviceState& state, int unit);
  void SelectUnit(int unit);
  void BindName(int unit, uint32_t name);
  void BindTexture(detail::PixelStore& store, const DeviceState& state, int unit);
  void Upload(detail::PixelStore& store, int unit);
  // Once uploaded, a texture's levels are let go: the context's copy is the only one until they
  // are wanted again, or until the context is closed (then they are read back first).
  void LetPixelsGo(detail::PixelStore& store);
  void TakeAllPixelsBack();

  bool ContextReady() const { return m_context != nullptr; }
  // The windows by their SDL ids: null once a window is gone, so that nothing is asked of a
  // destroyed window (the program may close its window before it lets go of the device).
  SDL_Window* CooperativeWindow() const;
  SDL_Window* OutputWindow() const;
  SDL_Window* Resolve(window::NativeWindow* window) const;

  bool m_video_ready = false;
  std::string m_error;

  SDL_Window* m_window = nullptr;  // from the cooperative level
  Uint32 m_window_id = 0;
  bool m_exclusive = false;
  bool m_lost = false;
  uint64_t m_loss_count = 0;
  bool m_mode_set = false;
  SurfaceDesc m_mode;

  SDL_GLContext m_context = nullptr;
  SDL_Window* m_context_window = nullptr;
  Uint32 m_context_window_id = 0;
  int m_output_refs = 0;
  uint64_t m_generation = 0;  // grows with every context, so stale texture names are known
  int m_swap_interval = -1;
  uint32_t m_white_texture = 0;
  int m_max_texture_size = 2048;
  int m_texture_units = 1;
  int m_max_lights = 8;
  float m_max_anisotropy = 1.0f;

  bool m_bgra_colors = false;  // GL reads ARGB vertex colours in place
  GlStateCache m_sent;         // what the context holds
  const DeviceState* m_applied = nullptr;  // the state last sent
  std::atomic<bool> m_target_stale{true};
  int m_target_width = 0, m_target_height = 0;
  int m_last_target_width = -1, m_last_target_height = -1;
  int m_full_clears = 0;  // clears that also clear outside the viewport (after a resize)
  std::vector<uint8_t> m_colors;  // vertex colours in GL's byte order
  std::vector<uint8_t> m_row;     // one read-back row, while the rows are turned over
  std::unordered_set<detail::PixelStore*> m_holding;  // stores whose only copy is in the context
};

}  // namespace gfx::gl
