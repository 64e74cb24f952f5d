#pragma once
// The interface everything else draws through: device checks and resets, frames, presentation,
// the indexed draws of the bound buffers and the render and texture-stage states.

#include <cstdint>
#include <vector>

#include "source/math/Matrix4.h"
#include "source/math/Vector.h"
#include "source/render/DeviceList.h"
#include "source/render/FrameStats.h"
#include "source/render/ScreenCover.h"

// ResetDevice flags.
inline constexpr uint32_t kResetRecreateDevice = 1;
inline constexpr uint32_t kResetRestoreResources = 2;

// Clear flags.
inline constexpr uint32_t kClearTarget = 1;
inline constexpr uint32_t kClearDepth = 2;
inline constexpr uint32_t kClearStencil = 4;

enum PrimitiveType : uint32_t { kTriangleList = 0, kTriangleStrip = 1 };

class RenderSystem {
 public:
  RenderSystem() = default;
  virtual void SetDefaultStates() {}
  virtual ~RenderSystem() = default;
  RenderSystem(const RenderSystem&) = delete;
  RenderSystem& operator=(const RenderSystem&) = delete;

  // Sets both reset flags when the chosen mode no longer matches the settings, else marks the
  // resources lost.
  virtual void IsVideoModeCurrent();
  // kResetRecreateDevice and/or kResetRestoreResources.
  virtual void ResetDevice(uint32_t flags) {}
  virtual void CheckDevice() = 0;
  virtual void BeginFrame() = 0;
  virtual void EndFrame() = 0;
  virtual void Present() = 0;
  virtual void DrawColored(uint32_t primitive, uint32_t base_vertex, uint32_t first_vertex,
                           uint32_t vertex_count, uint32_t first_index, uint32_t primitive_count,
                           const Vector4& color) = 0;
  virtual void DrawTextured(uint32_t primitive, uint32_t base_vertex, uint32_t first_vertex,
                            uint32_t vertex_count, uint32_t first_index, uint32_t primitive_count) = 0;
  virtual void SetWorldTransform(const Matrix4& world) = 0;
  virtual void SetAmbient(const Vector4& color) = 0;
  // Factor codes: 0 and 1 one, 2 destination colour, 3 its inverse, 4 source alpha, 5 its inverse,
  // 6 destination alpha, 7 its inverse, 8 saturated source alpha, 9 source colour, 10 its inverse,
  // anything else zero.
  virtual void SetBlend(uint32_t source, uint32_t dest) = 0;
  virtual void SetMaxAnisotropy(uint32_t stage, uint32_t value) = 0;
  // 0 point, 1 linear, 2 linear with mip-maps (anisotropic when the setting asks for it).
  virtual void SetTextureFilter(uint32_t stage, uint32_t mode) = 0;
  // The texture-coordinate transform of a stage.
  virtual void SetTransform(uint32_t stage, const Matrix4& matrix) = 0;
  // 0 none, 1 clockwise, 2 counter-clockwise.
  virtual void SetCullMode(uint32_t mode) = 0;
  virtual void SetTextureAddressU(uint32_t stage, bool wrap) = 0;
  virtual void SetTextureAddressV(uint32_t stage, bool wrap) = 0;
  virtual void SetAlphaBlendEnable(bool enable) = 0;
  virtual void SetLighting(bool enable) = 0;
  virtual void SetNormalizeNormals(bool enable) = 0;
  virtual void SetZEnable(bool enable) = 0;
  virtual void SetZWriteEnable(bool enable) = 0;
  virtual void UnbindTexture(uint32_t stage) = 0;
  // Later draws touch only `rect` of the screen (null: all of it again). False when draws
  // cannot be cut so: the caller then draws whole.
  virtual bool SetClipRect(const PixelRect* /*rect*/) { return false; }

  uint32_t GetClearFlags() const { return m_clear_flags; }
  void SetClearFlags(uint32_t flags) { m_clear_flags = flags; }
  const Vector4& GetClearColor() const { return m_clear_color; }
  void SetClearColor(const Vector4& color) { m_clear_color = color; }
  bool IsResetNeeded() const { return m_reset_needed; }
  bool AreResourcesLost() const { return m_resources_lost; }
  bool IsDeviceReady() const { return m_device_ready; }
  const std::vector<DriverRecord>& GetDrivers() const { return m_drivers; }
  const DriverRecord* GetCurrentDriver() const;
  const DeviceRecord* GetCurrentDevice() const;

  // The counts of the last presented frame; with `record_layers` each draw's rectangle is kept
  // too (for the benches, which draw the same layers bare beside the game).
  const FrameStats& GetFrameStats() const { return m_last_frame; }
  void RecordLayers(bool record_layers) { m_record_layers = record_layers; }

 protected:
  FrameStats m_frame;       // the frame being drawn
  FrameStats m_last_frame;  // the frame last presented
  bool m_record_layers = false;

  std::vector<DriverRecord> m_drivers;
  int m_current_driver = -1;
  uint32_t m_clear_flags = kClearTarget | kClearDepth;
  Vector4 m_clear_color{0.0f, 0.0f, 0.0f, 1.0f};
  bool m_reset_needed = false;
  bool m_resources_lost = false;
  bool m_device_ready = true;
};
