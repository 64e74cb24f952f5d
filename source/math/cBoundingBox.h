#pragma once
// The axis-aligned box every model, render object, particle system and GUI window carries: a
// local box, the matrix that places it, and the world box with the centre, half extents, size
// and radius that culling, picking and window hit tests read.

#include "source/math/Matrix4.h"
#include "source/math/Vector.h"

class cBoundingBox {
 public:
  // Makes the local box empty: its minimum is the largest float and its maximum the lowest,
  // so that the first point added to it becomes both.
  cBoundingBox();
  cBoundingBox(const Vector3& minimum, const Vector3& maximum);
  cBoundingBox(const cBoundingBox&) = default;
  cBoundingBox& operator=(const cBoundingBox& other) { return CopyFrom(other); }

  // Copies every field, the size included.
  cBoundingBox& CopyFrom(const cBoundingBox& other);

  // Sets the local box and makes the world box equal to it (Update(false)).
  void Set(const Vector3& minimum, const Vector3& maximum);
  // Places the box by a matrix and recomputes the world box (Update(true)).
  void SetMatrix(const Matrix4& matrix);
  // With transform, the world box encloses the eight local corners carried by the matrix;
  // without, both matrices become the identity and the world box is the local one. The centre,
  // half extents, size and radius follow in both cases.
  void Update(bool transform);

  // The world boxes meet; boxes that touch overlap.
  bool Overlaps(const cBoundingBox& other) const;
  // The segment from origin to origin + vector meets the world box (a separating-axis test;
  // touching counts as meeting).
  bool IntersectsSegment(const Vector3& origin, const Vector3& vector) const;

  Vector3 m_local_min;
  Vector3 m_local_max;
  Matrix4 m_matrix;
  // Kept, copied and reset together with m_matrix; no box operation reads it.
  Matrix4 m_second_matrix;
  Vector3 m_world_min;
  Vector3 m_world_max;
  Vector3 m_centre;
  Vector3 m_half_extents;
  Vector3 m_size;
  float m_radius = 0.0f;
};

// The box is 54 floats, a layout that code copying boxes in bulk relies on.
static_assert(sizeof(cBoundingBox) == 54 * sizeof(float));
