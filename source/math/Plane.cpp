#include "source/math/Plane.h"

#include <cmath>

void Plane::FromPoints(const Vector3& p0, const Vector3& p1, const Vector3& p2) {
  const Vector3 n = Cross(p1 - p0, p2 - p0);
  a = n.x;
  b = n.y;
  c = n.z;
  d = -Dot(n, p0);
  Normalize();
}

void Plane::FromPointNormal(const Vector3& point, const Vector3& normal) {
  a = normal.x;
  b = normal.y;
  c = normal.z;
  d = -Dot(normal, point);
}

void Plane::Normalize() {
  const float length = std::sqrt(a * a + b * b + c * c);
  if (length < 1e-5f) return;
  a /= length;
  b /= length;
  c /= length;
  d /= length;
}

float Plane::Distance(const Vector3& point) const { return a * point.x + b * point.y + c * point.z + d; }

bool Plane::IntersectRay(const Vector3& origin, const Vector3& direction, float& t) const {
  const float along = Dot(Normal(), direction);
  if (std::fabs(along) < 1e-5f) return false;
  const float hit = -Distance(origin) / along;
  if (!(hit > 0.0f)) return false;
  t = hit;
  return true;
}

bool Plane::IntersectSegment(const Vector3& origin, const Vector3& vector, float& t) const {
  float hit = 0.0f;
  if (!IntersectRay(origin, vector, hit) || hit > 1.0f) return false;
  t = hit;
  return true;
}
