#include "source/math/Geometry.h"

#include <cmath>

void TransformRay(Vector3& origin, Vector3& direction, const Matrix4& matrix) {
  const Vector3 start = matrix.TransformPoint(origin);
  const Vector3 end = matrix.TransformPoint(origin + direction);
  origin = start;
  direction = end - start;
}

namespace {

struct Point2 {
  float u;
  float v;
};

// The point's coordinates on the two axes other than `dropped` (0 = x, 1 = y, 2 = z).
Point2 Project(const Vector3& p, int dropped) {
  if (dropped == 0) return {p.y, p.z};
  if (dropped == 1) return {p.x, p.z};
  return {p.x, p.y};
}

}  // namespace

bool PointInTriangle(const Vector3& point, const Vector3& v0, const Vector3& v1, const Vector3& v2) {
  const Vector3 normal = Cross(v1 - v0, v2 - v0);
  const float nx = std::fabs(normal.x), ny = std::fabs(normal.y), nz = std::fabs(normal.z);
  const int dropped = (nx >= ny && nx >= nz) ? 0 : (ny >= nz ? 1 : 2);

  const Point2 e1 = Project(v1 - v0, dropped);
  const Point2 e2 = Project(v2 - v0, dropped);
  const Point2 w = Project(point - v0, dropped);
  const float det = e1.u * e2.v - e1.v * e2.u;
  if (det == 0.0f) return false;
  // Barycentric weights of v1 (u) and v2 (v) by Cramer's rule.
  const float u = (w.u * e2.v - w.v * e2.u) / det;
  const float v = (e1.u * w.v - e1.v * w.u) / det;
  return u >= 0.0f && v >= 0.0f && u + v <= 1.0f;
}
