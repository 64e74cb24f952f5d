#include "source/camera/Camera.h"

#include <cmath>

namespace {
constexpr float kPi = 3.1415927f;
}

Matrix4 Camera::DeviceProjection(float far_plane) const {
  Matrix4 p;
  const float n = m_near;
  const float f = far_plane;
  if (m_kind == kCameraPerspective) {
    const float t = std::tan(m_fov * kPerspectiveAspect * kPi * 0.5f / 360.0f);
    const float top = t * n;
    const float bottom = -top;
    const float right = top * kPerspectiveAspect;
    const float left = -right;
    p.m[0] = 2.0f * n / (right - left);
    p.m[5] = 2.0f * n / (top - bottom);
    p.m[8] = (right + left) / (left - right);
    p.m[9] = (bottom + top) / (bottom - top);
    p.m[10] = f / (f - n);
    p.m[11] = 1.0f;
    p.m[14] = f * n / (n - f);
    p.m[15] = 0.0f;
  } else {
    p.m[0] = 2.0f / m_width;
    p.m[5] = 2.0f / m_height;
    p.m[10] = 1.0f / (n - f);
    p.m[12] = -1.0f;
    p.m[13] = -1.0f;
    p.m[14] = n / (n - f);
    p.m[15] = 1.0f;
  }
  return p;
}

void Camera::ComputeView() {
  Matrix4 rotation;
  rotation.RotateX(m_pitch);
  rotation.RotateZ(-m_yaw);
  rotation.Transpose();
  const Matrix4 translation = Matrix4::MakeTranslation(m_position.x, m_position.y, m_position.z);
  Matrix4::Multiply(m_view, translation, rotation);
  m_direction = Vector3(m_view.m[8], m_view.m[9], m_view.m[10]);
  m_direction.Normalize();
}

void Camera::ComputeMatrices() {
  if (m_kind == kCameraPerspective) {
    m_projection = DeviceProjection(m_far);
  } else {
    // Depth from -1 to 1 here, so that the frustum's near and far planes are exact.
    m_projection = Matrix4();
    m_projection.m[0] = 2.0f / m_width;
    m_projection.m[5] = 2.0f / m_height;
    m_projection.m[10] = -2.0f / (m_far - m_near);
    m_projection.m[12] = -1.0f;
    m_projection.m[13] = -1.0f;
    m_projection.m[14] = -(m_far + m_near) / (m_far - m_near);
    m_projection.m[15] = 1.0f;
  }
  m_projection_z_biased = DeviceProjection(m_far + 1.0f);
  ComputeView();
  m_frustum.SetFromMatrices(m_view, m_projection);
}

void Camera::SetAspect(float aspect) {
  m_direction = Vector3(m_view.m[8], m_view.m[9], m_view.m[10]);
  m_direction.Normalize();
  m_frustum.SetFromMatrices(m_view, m_projection);
}
