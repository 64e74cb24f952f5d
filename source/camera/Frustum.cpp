#include "source/camera/Frustum.h"

namespace {

Plane Combine(const Matrix4& m, int column, float sign) {
  // Column 3 plus or minus the given column, as the plane (a, b, c, d).
  return Plane(m.m[3] + sign * m.m[column], m.m[7] + sign * m.m[4 + column], m.m[11] + sign * m.m[8 + column],
               m.m[15] + sign * m.m[12 + column]);
}

}  // namespace

void Frustum::SetFromMatrices(const Matrix4& view, const Matrix4& projection) {
  Matrix4 m;
  Matrix4::Multiply(m, view, projection);
  m_planes[kRight] = Combine(m, 0, -1.0f);
  m_planes[kLeft] = Combine(m, 0, 1.0f);
  m_planes[kBottom] = Combine(m, 1, 1.0f);
  m_planes[kTop] = Combine(m, 1, -1.0f);
  m_planes[kFar] = Combine(m, 2, -1.0f);
  m_planes[kNear] = Combine(m, 2, 1.0f);
  for (Plane& plane : m_planes) plane.Normalize();
}

bool Frustum::TestSphere(const Vector3& centre, float radius) const {
  for (const Plane& plane : m_planes) {
    const float d = plane.a * centre.x + plane.b * centre.y + plane.c * centre.z + plane.d;
    if (d <= -radius) return false;
  }
  return true;
}
