#include "source/camera/Camera_D3D7.h"

#include <algorithm>

#include "platform/gfx/gfx.h"
#include "source/render/DDErrorText.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/render/RenderWindow.h"

namespace {

const char kSource[] = "source\\camera\\Camera_D3D7";

// Toward zero; negative and NaN give 0 and anything beyond any real window stops at a bound the
// device's integer fields hold, rather than wrapping around.
constexpr float kLargestViewportEdge = 1073741824.0f;  // 2^30
uint32_t Truncate(float value) {
  if (!(value > 0.0f)) return 0u;
  return static_cast<uint32_t>(std::min(value, kLargestViewportEdge));
}

float SafeRatio(float a, float b) { return b != 0.0f ? a / b : 1.0f; }

gfx::Matrix ToDevice(const Matrix4& m) {
  gfx::Matrix out;
  std::copy(m.m, m.m + 16, out.m);
  return out;
}

}  // namespace

CameraViewport ComputeCameraViewport(const Camera& c, uint32_t client_width, uint32_t client_height) {
  if (client_width == 0 || client_height == 0) return CameraViewport{};  // minimised: no area
  // A camera without extent maps onto nothing (and must not divide by zero).
  if (!(c.m_width > 0.0f) || !(c.m_height > 0.0f)) return CameraViewport{};
  const float W = static_cast<float>(client_width);
  const float H = static_cast<float>(client_height);
  const float sy = H / c.m_height;
  float x, width;
  if (W / H > 1.5f) {
    // A centred 4:3 area; the rectangle is placed in it with one scale, so sub-rectangles keep
    // their place and size relative to the area.
    const float margin = (W - H * 4.0f / 3.0f) * 0.5f;
    const float s = (W - 2.0f * margin) / c.m_width;
    x = margin + s * c.m_x0;
    width = s * (c.m_x1 - c.m_x0);
  } else {
    const float sx = W / c.m_width;
    x = sx * c.m_x0;
    width = sx * (c.m_x1 - c.m_x0);
  }
  CameraViewport v;
  v.x = Truncate(x);
  v.width = Truncate(width);
  v.y = Truncate(sy * (c.m_height - c.m_y1));
  v.height = Truncate(sy * (c.m_y1 - c.m_y0));
  return v;
}

Matrix4 ComputeDeviceView(const Camera& c) {
  Matrix4 v = c.m_view;
  v.m[2] = -v.m[2];
  v.m[6] = -v.m[6];
  v.m[10] = -v.m[10];
  const float sx = SafeRatio(c.m_width, c.m_x1 - c.m_x0);
  const float sy = SafeRatio(c.m_height, c.m_y1 - c.m_y0);
  for (int i = 0; i < 3; ++i) {
    v.m[i] *= sx;
    v.m[4 + i] *= sy;
  }
  v.m[12] = -c.m_x0 * sx;
  v.m[13] = -c.m_y0 * sy;
  return v;
}

void Camera_D3D7::SetAspect(float aspect) {
  ComputeMatrices();
  m_proj = DeviceProjection(m_far);
  m_proj_z_biased = m_projection_z_biased;
}

void Camera_D3D7::Apply(bool z_biased) {
  uint32_t client_width = 0, client_height = 0;
  GetRenderClientSize(client_width, client_height);
  if (!m_viewport_set) {
    m_x0 = 0.0f;
    m_y0 = 0.0f;
    m_x1 = m_width;
    m_y1 = m_height;
  }
  gfx::Device* m_device = RenderSystem_D3D7::GetDevice();
  if (m_device == nullptr || client_width == 0 || client_height == 0) return;

  const CameraViewport area = ComputeCameraViewport(*this, client_width, client_height);
  gfx::Viewport viewport;
  m_device->GetViewport(viewport);
  viewport.x = area.x;
  viewport.y = area.y;
  viewport.width = area.width;
  viewport.height = area.height;
  viewport.min_z = 0.0f;
  viewport.max_z = 1.0f;
  m_device->SetViewport(viewport);
  m_device->SetTransform(gfx::D3DTRANSFORMSTATE_VIEW, ToDevice(ComputeDeviceView(*this)));
  if (z_biased) {
    DDErrorText("m_device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, m_proj_z_biased)",
                m_device->SetTransform(gfx::D3DTRANSFORMSTATE_PROJECTION, ToDevice(m_proj_z_biased)), kSource,
                __LINE__);
  } else {
    DDErrorText("m_device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, m_proj)",
                m_device->SetTransform(gfx::D3DTRANSFORMSTATE_PROJECTION, ToDevice(m_proj)), kSource, __LINE__);
  }
}
