#pragma once
// A Direct3D 7 device: viewport, clear, scenes, transforms, render and texture-stage states,
// material, lights, bound textures and indexed drawing of triangle lists and strips. Every state
// is kept here (State()); the backend turns them into pixels at each draw.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/DeviceState.h"
#include "platform/gfx/Results.h"
#include "platform/gfx/Types.h"

namespace gfx {

namespace detail {
class Backend;
}

class DirectDraw;
class Surface;

class Device {
 public:
  Device(std::shared_ptr<DirectDraw> owner, const DeviceDesc& desc,
         std::shared_ptr<Surface> target);
  ~Device();
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  Result GetCaps(DeviceDesc& desc);
  // The colour formats a texture can have, in the order the device prefers them.
  Result EnumTextureFormats(std::vector<PixelFormat>& formats);
  Result SetRenderTarget(const std::shared_ptr<Surface>& target);

  Result SetViewport(const Viewport& viewport);
  Result GetViewport(Viewport& viewport);
  // Draws touch only `rect` of the target from now on; null lets them touch the whole viewport
  // again. Not a Direct3D 7 call: the draw list cuts a large layer to what shows of it.
  Result SetClipRect(const Rect* rect);
  // Clears the viewport (or the given rectangles of the target, origin top-left): D3DCLEAR_TARGET
  // to `color` (ARGB), D3DCLEAR_ZBUFFER to `z`, whatever the depth-write state.
  Result Clear(uint32_t rect_count, const Rect* rects, uint32_t flags, uint32_t color, float z,
               uint32_t stencil);
  Result BeginScene();
  Result EndScene();

  // D3DTRANSFORMSTATE_WORLD, _VIEW, _PROJECTION (depth 0 to 1) and _TEXTURE0 + stage.
  Result SetTransform(uint32_t state, const Matrix& matrix);
  Result GetTransform(uint32_t state, Matrix& matrix);
  Result SetRenderState(uint32_t state, uint32_t value);
  Result GetRenderState(uint32_t state, uint32_t& value);
  Result SetTextureStageState(uint32_t stage, uint32_t state, uint32_t value);
  Result GetTextureStageState(uint32_t stage, uint32_t state, uint32_t& value);
  // A texture surface, or null to leave the stage without a texture (a stage above 0 without a
  // texture is off; stage 0 without one draws as if a white texture were bound).
  Result SetTexture(uint32_t stage, const std::shared_ptr<Surface>& texture);
  Result GetTexture(uint32_t stage, std::shared_ptr<Surface>& texture);
  // Hands a texture to the device before it is drawn, so that its first draw does not wait for
  // the upload; true when anything was sent.
  bool PreLoad(const std::shared_ptr<Surface>& texture);
  Result SetMaterial(const Material& material);
  Result GetMaterial(Material& material);
  Result SetLight(uint32_t index, const Light& light);
  Result GetLight(uint32_t index, Light& light);
  Result LightEnable(uint32_t index, bool enable);

  // Draws `index_count` indices (2 or 4 bytes each, `index_size`) into `vertices` of the flexible
  // vertex format `fvf`. D3DPT_TRIANGLELIST and D3DPT_TRIANGLESTRIP (and the line and point
  // types). An index at or beyond `vertex_count` refuses the whole draw with DDERR_INVALIDPARAMS.
  Result DrawIndexedPrimitive(uint32_t primitive, uint32_t fvf, const void* vertices,
                              uint32_t vertex_count, const void* indices, uint32_t index_count,
                              uint32_t index_size, uint32_t flags);

  const DeviceState& State() const { return m_state; }
  const std::shared_ptr<Surface>& RenderTarget() const { return m_target; }

 private:
  bool TargetLost() const;

  std::shared_ptr<DirectDraw> m_owner;
  std::shared_ptr<detail::Backend> m_backend;
  DeviceDesc m_desc;
  std::shared_ptr<Surface> m_target;
  DeviceState m_state;
  std::shared_ptr<Surface> m_textures[kMaxTextureStages];
  bool m_in_scene = false;
};

// Bytes a vertex of a flexible vertex format; 0 when the format is not one the devices draw
// (it must have an untransformed position, D3DFVF_XYZ).
uint32_t VertexStride(uint32_t fvf);

}  // namespace gfx
