#pragma once
// Ray helpers of the picking code: carrying a ray into another space and the inside test of a
// point against a triangle.

#include "source/math/Matrix4.h"
#include "source/math/Vector.h"

// Carries a ray through a matrix: the origin as a point, the direction as the difference of the
// carried end (origin + direction) and the carried origin, so that translation does not touch it.
void TransformRay(Vector3& origin, Vector3& direction, const Matrix4& matrix);

// For a point on the plane of triangle (v0, v1, v2): whether it lies inside or on an edge. The
// test runs in 2D on the two axes left when the normal's largest axis is dropped. A degenerate
// triangle contains nothing.
bool PointInTriangle(const Vector3& point, const Vector3& v0, const Vector3& v1, const Vector3& v2);
