#pragma once
// The render system over the DirectDraw 7 / Direct3D 7 service of the platform layer: lists the
// drivers and devices, chooses a device and a video mode, creates the surfaces and the device,
// restores them after a loss, clears, presents, keeps the states and draws the bound buffers.

#include <cstdint>
#include <memory>

#include "platform/gfx/gfx.h"
#include "source/render/DeviceResource.h"
#include "source/render/RenderSystem.h"

class RenderSystem_D3D7 : public RenderSystem {
 public:
  // Lists the devices, creates one and sets the default states. When no device can be made the
  // failure is logged and IsCreated() answers false; nothing is drawn then.
  RenderSystem_D3D7();
  ~RenderSystem_D3D7() override;

  bool IsCreated() const { return s_device != nullptr; }

  void SetDefaultStates() override;
  void ResetDevice(uint32_t flags) override;
  void CheckDevice() override;
  void BeginFrame() override;
  void EndFrame() override;
  void Present() override;
  void DrawColored(uint32_t primitive, uint32_t base_vertex, uint32_t first_vertex, uint32_t vertex_count,
                   uint32_t first_index, uint32_t primitive_count, const Vector4& color) override;
  void DrawTextured(uint32_t primitive, uint32_t base_vertex, uint32_t first_vertex, uint32_t vertex_count,
                    uint32_t first_index, uint32_t primitive_count) override;
  void SetWorldTransform(const Matrix4& world) override;
  void SetAmbient(const Vector4& color) override;
  void SetBlend(uint32_t source, uint32_t dest) override;
  void SetMaxAnisotropy(uint32_t stage, uint32_t value) override;
  void SetTextureFilter(uint32_t stage, uint32_t mode) override;
  void SetTransform(uint32_t stage, const Matrix4& matrix) override;
  void SetCullMode(uint32_t mode) override;
  void SetTextureAddressU(uint32_t stage, bool wrap) override;
  void SetTextureAddressV(uint32_t stage, bool wrap) override;
  void SetAlphaBlendEnable(bool enable) override;
  bool SetClipRect(const PixelRect* rect) override;
  void SetLighting(bool enable) override;
  void SetNormalizeNormals(bool enable) override;
  void SetZEnable(bool enable) override;
  void SetZWriteEnable(bool enable) override;
  // Clears the stage's entry and the device's texture; a stage above 0 is switched off with it.
  void UnbindTexture(uint32_t stage) override;
  // Binds a texture surface to a stage (switching a stage above 0 back on, with the colour
  // operation it had, when unbinding had switched it off). For the texture code.
  void BindTexture(uint32_t stage, const std::shared_ptr<gfx::Surface>& texture);

  bool GetLighting() const { return m_lighting; }
  bool GetAlphaBlendEnable() const { return m_alpha_blend; }
  const std::shared_ptr<gfx::Surface>& GetBackSurface() const { return m_back; }
  // The surface the player sees: what a lock reads is the last presented frame.
  const std::shared_ptr<gfx::Surface>& GetPresentedSurface() const { return m_primary; }

  // The process-wide objects, null while no device exists.
  static gfx::Device* GetDevice() { return s_device.get(); }
  static gfx::DirectDraw* GetDirectDraw() { return s_directdraw.get(); }
  static const gfx::DeviceDesc& GetDeviceDesc() { return s_device_desc; }
  static const std::shared_ptr<gfx::Surface>& GetBoundTexture(uint32_t stage);
  // Texture stages the device combines (at most the device layer's maximum).
  static uint32_t StageCount();

 private:
  bool ChooseDevice(bool software_only);
  bool CreateWithFallback(bool capability_log);
  // After a failed creation in the configured mode: the default size and depth, once.
  bool CreateInDefaultMode();
  bool Create(bool capability_log);
  bool CreateScreenBuffers(uint32_t width, uint32_t height, bool full_screen);
  bool CreateDepthBuffer(const DeviceRecord& device);
  void LogCapabilities();
  void Release();
  // Reports a failed call with its expression and line; answers whether it succeeded.
  bool Check(gfx::Result result, const char* expression, int line);
  // Stage 0's colour or alpha: the texture modulated by the diffuse colour.
  void SetTextureModulate(uint32_t operation, uint32_t first, uint32_t second);
  void DrawBound(uint32_t primitive, uint32_t base_vertex, uint32_t first_vertex, uint32_t vertex_count,
                 uint32_t first_index, uint32_t primitive_count);
  // Whether the bound textures can give a pixel an alpha below 1.
  bool MayBeTranslucent() const;
  // Adds a draw of `count` vertices to the frame's counts (and its layer, while recorded).
  void CountDraw(const uint8_t* vertices, uint32_t stride, uint32_t count);
  // Whether the draw about to be made never reads below its stage-0 texture's first mip level
  // although mip filtering is asked for.
  bool SamplesFirstLevelOnly(const uint8_t* vertices, uint32_t stride, uint32_t vertex_count, const void* indices,
                             uint32_t index_count, uint32_t index_size, bool strip);
  DeviceRecord* CurrentDevice();
  bool IsFullScreen() const;

  DeviceResource m_resource;  // the render system's own place in the reset walk; its hooks do nothing
  std::shared_ptr<gfx::Surface> m_depth;
  std::shared_ptr<gfx::Surface> m_primary;
  std::shared_ptr<gfx::Surface> m_back;
  std::shared_ptr<gfx::Clipper> m_clipper;
  gfx::SurfaceDesc m_back_desc;
  bool m_lighting = false;
  bool m_alpha_blend = false;
  bool m_stage_switched_off[gfx::kMaxTextureStages] = {};
  // The colour operation a stage had when unbinding switched it off, given back when a texture is
  // bound again (unless the stage was given another one meanwhile).
  uint32_t m_stage_color_op[gfx::kMaxTextureStages] = {};
  // After a failed reset the next attempts wait a growing number of frames.
  uint32_t m_reset_failures = 0;
  bool m_resources_released = false;  // release hooks ran and restore hooks have not yet
  uint32_t m_frames_to_retry = 0;

  static inline std::shared_ptr<gfx::DirectDraw> s_directdraw;
  static inline std::shared_ptr<gfx::Direct3D> s_d3d;
  static inline std::shared_ptr<gfx::Device> s_device;
  static inline std::shared_ptr<gfx::Surface> s_textures[gfx::kMaxTextureStages];
  static inline gfx::DeviceDesc s_device_desc;
};

// The source name the render system's log lines carry.
inline constexpr const char* kRenderSystemSource = "source\\render\\RenderSystem_D3D7";
