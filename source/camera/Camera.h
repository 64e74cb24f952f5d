#pragma once
// A camera: its view matrix, the projection its frustum is taken from, and the viewport rectangle
// in camera units. Kind 0 is a perspective camera (always 4:3), any other kind orthographic over
// width x height.

#include <cstdint>

#include "source/camera/Frustum.h"
#include "source/math/Matrix4.h"
#include "source/math/Vector.h"

enum CameraKind : uint32_t { kCameraPerspective = 0, kCameraOrthographic = 1 };

class Camera {
 public:
  explicit Camera(uint32_t kind) : m_kind(kind) {}
  virtual ~Camera() = default;
  // The base recomputes the view direction and the frustum only.
  virtual void SetAspect(float aspect);
  virtual void Apply(bool z_biased) = 0;

  // Recomputes the projections (with far and with far + 1), the view matrix, the view direction
  // and the frustum. The perspective projection always uses the aspect 4/3.
  void ComputeMatrices();

  uint32_t m_kind;
  float m_near = 1.0f;
  float m_far = 1000.0f;
  float m_fov = 90.0f;  // degrees, perspective only
  float m_width = 1.0f;
  float m_height = 1.0f;
  // The viewport in camera units; y grows upwards, y1 is the upper edge. Reset to
  // (0, 0, width, height) at every Apply unless the owner sets m_viewport_set.
  float m_x0 = 0.0f, m_y0 = 0.0f, m_x1 = 1.0f, m_y1 = 1.0f;
  bool m_viewport_set = false;
  float m_pitch = 0.0f;  // radians, about X
  float m_roll = 0.0f;   // kept for the scene files; nothing reads it
  float m_yaw = 0.0f;    // radians, about Z
  Vector3 m_position;
  Matrix4 m_projection;
  Matrix4 m_projection_z_biased;
  Matrix4 m_view;
  Vector3 m_direction;
  Frustum m_frustum;

 protected:
  // The device projection (depth 0 to 1) for the given far plane.
  Matrix4 DeviceProjection(float far_plane) const;
  void ComputeView();
};

// The 4:3 ratio every perspective projection uses, whatever the window's shape.
inline constexpr float kPerspectiveAspect = 1.3333334f;
