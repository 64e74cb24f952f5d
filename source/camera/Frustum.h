#pragma once
// The six planes of a camera's view volume (right, left, bottom, top, far, near), normals pointing
// inwards, used to cull objects by their bounding spheres.

#include "source/math/Matrix4.h"
#include "source/math/Plane.h"
#include "source/math/Vector.h"

class Frustum {
 public:
  enum Side { kRight = 0, kLeft, kBottom, kTop, kFar, kNear, kSideCount };

  // Takes the planes from view x projection.
  void SetFromMatrices(const Matrix4& view, const Matrix4& projection);
  // False when the sphere lies wholly outside one plane (touching it from outside counts as
  // outside).
  bool TestSphere(const Vector3& centre, float radius) const;

  const Plane& GetPlane(int side) const { return m_planes[side]; }

 private:
  Plane m_planes[kSideCount];
};
