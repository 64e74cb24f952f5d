#pragma once
// A plane a x + b y + c z + d = 0: the faces of the view frustum and the triangles that
// picking tests.

#include "source/math/Vector.h"

class Plane {
 public:
  float a = 0.0f;
  float b = 0.0f;
  float c = 0.0f;
  float d = 0.0f;

  constexpr Plane() = default;
  constexpr Plane(float a_, float b_, float c_, float d_) : a(a_), b(b_), c(c_), d(d_) {}
  Plane(const Plane&) = default;
  Plane& operator=(const Plane&) = default;
  virtual ~Plane() = default;

  Vector3 Normal() const { return {a, b, c}; }

  // The plane through three points, normal (p1 - p0) x (p2 - p0), normalised.
  void FromPoints(const Vector3& p0, const Vector3& p1, const Vector3& p2);
  // The plane through a point with the given normal (not normalised here).
  void FromPointNormal(const Vector3& point, const Vector3& normal);
  // Divides a, b, c, d by the length of the normal unless it is below 1e-5.
  void Normalize();
  // Signed distance of a point (in units of the normal's length).
  float Distance(const Vector3& point) const;

  // The ray origin + t direction meets the plane ahead of the origin (t > 0). A ray nearly
  // parallel to the plane (|n . direction| below 1e-5) misses it. t is written only on a hit.
  bool IntersectRay(const Vector3& origin, const Vector3& direction, float& t) const;
  // The segment from origin to origin + vector crosses the plane: as IntersectRay, and
  // t must not pass 1. t is written only on a hit.
  bool IntersectSegment(const Vector3& origin, const Vector3& vector, float& t) const;
};
