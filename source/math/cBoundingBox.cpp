#include "source/math/cBoundingBox.h"

#include <cfloat>
#include <cmath>

cBoundingBox::cBoundingBox()
    : m_local_min(FLT_MAX, FLT_MAX, FLT_MAX), m_local_max(-FLT_MAX, -FLT_MAX, -FLT_MAX) {}

cBoundingBox::cBoundingBox(const Vector3& minimum, const Vector3& maximum) { Set(minimum, maximum); }

cBoundingBox& cBoundingBox::CopyFrom(const cBoundingBox& other) {
  m_local_min = other.m_local_min;
  m_local_max = other.m_local_max;
  m_matrix = other.m_matrix;
  m_second_matrix = other.m_second_matrix;
  m_world_min = other.m_world_min;
  m_world_max = other.m_world_max;
  m_centre = other.m_centre;
  m_half_extents = other.m_half_extents;
  m_size = other.m_size;
  m_radius = other.m_radius;
  return *this;
}

void cBoundingBox::Set(const Vector3& minimum, const Vector3& maximum) {
  m_local_min = minimum;
  m_local_max = maximum;
  Update(false);
}

void cBoundingBox::SetMatrix(const Matrix4& matrix) {
  m_matrix = matrix;
  Update(true);
}

void cBoundingBox::Update(bool transform) {
  if (transform) {
    const Vector3& lo = m_local_min;
    const Vector3& hi = m_local_max;
    const Vector3 corners[8] = {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {lo.x, hi.y, lo.z},
                                {hi.x, hi.y, lo.z}, {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z},
                                {lo.x, hi.y, hi.z}, {hi.x, hi.y, hi.z}};
    Vector3 world_min(FLT_MAX, FLT_MAX, FLT_MAX);
    Vector3 world_max(-FLT_MAX, -FLT_MAX, -FLT_MAX);
    for (const Vector3& corner : corners) {
      const Vector3 p = m_matrix.TransformPoint(corner);
      if (p.x < world_min.x) world_min.x = p.x;
      if (p.y < world_min.y) world_min.y = p.y;
      if (p.z < world_min.z) world_min.z = p.z;
      if (p.x > world_max.x) world_max.x = p.x;
      if (p.y > world_max.y) world_max.y = p.y;
      if (p.z > world_max.z) world_max.z = p.z;
    }
    m_world_min = world_min;
    m_world_max = world_max;
  } else {
    m_matrix.SetIdentity();
    m_second_matrix.SetIdentity();
    m_world_min = m_local_min;
    m_world_max = m_local_max;
  }
  const Vector3 extent = m_world_max - m_world_min;
  m_half_extents = extent * 0.5f;
  m_size = Vector3(std::fabs(extent.x), std::fabs(extent.y), std::fabs(extent.z));
  m_centre = m_world_min + m_half_extents;
  m_radius = m_half_extents.Length();
}

bool cBoundingBox::Overlaps(const cBoundingBox& other) const {
  if (m_world_max.x < other.m_world_min.x) return false;
  if (m_world_max.y < other.m_world_min.y) return false;
  if (m_world_max.z < other.m_world_min.z) return false;
  if (m_world_min.x > other.m_world_max.x) return false;
  if (m_world_min.y > other.m_world_max.y) return false;
  if (m_world_min.z > other.m_world_max.z) return false;
  return true;
}

bool cBoundingBox::IntersectsSegment(const Vector3& origin, const Vector3& vector) const {
  const Vector3 mid = origin + vector * 0.5f;
  Vector3 d = vector;
  d.Normalize();
  const float h = vector.Length() * 0.5f;
  const Vector3 t = m_centre - mid;
  const Vector3& e = m_half_extents;
  const Vector3 ad(std::fabs(d.x), std::fabs(d.y), std::fabs(d.z));

  // The box's three axes, then the three cross products of the segment with them.
  if (std::fabs(t.x) > e.x + h * ad.x) return false;
  if (std::fabs(t.y) > e.y + h * ad.y) return false;
  if (std::fabs(t.z) > e.z + h * ad.z) return false;
  if (std::fabs(t.y * d.z - t.z * d.y) > e.y * ad.z + e.z * ad.y) return false;
  if (std::fabs(t.z * d.x - t.x * d.z) > e.x * ad.z + e.z * ad.x) return false;
  if (std::fabs(t.x * d.y - t.y * d.x) > e.x * ad.y + e.y * ad.x) return false;
  return true;
}
