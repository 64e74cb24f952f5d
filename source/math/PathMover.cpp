#include "source/math/PathMover.h"

#include <cmath>

void PathMover::MoveAlongPath(float advance) {
  m_covered += advance;
  if (m_covered > m_total_length) m_covered = m_total_length;

  const float old_x = m_position.x;
  const float old_y = m_position.y;
  // Sizes as 64-bit so an empty path does not wrap "n - 1" around.
  const int64_t last = static_cast<int64_t>(m_points.size()) - 1;
  if (m_points.empty()) {
    // Nothing to walk on: the path is over where the mover stands.
    m_finished = true;
    m_covered = m_total_length;
    return;
  }

  if (m_segment < last) {
    const float s = advance + m_segment_travel;
    float accumulated = 0.0f;
    for (int64_t i = m_segment; i < last; ++i) {
      const Vector3& from = m_points[i];
      const Vector3& to = m_points[i + 1];
      const float length = (to - from).Length();
      accumulated += length;
      if (s < accumulated) {
        m_segment_travel = s - (accumulated - length);
        Vector3 direction = to - from;
        direction.Normalize();
        m_position = from + direction * m_segment_travel;
        PassMarkers();
        UpdateHeading(old_x, old_y);
        return;
      }
      m_segment = static_cast<uint32_t>(i + 1);
    }
  }
  m_position = m_points.back();
  UpdateHeading(old_x, old_y);
  Finish();
}

void PathMover::PassMarkers() {
  const Vector3& start = m_points[m_segment];
  const float travelled = (m_position - start).Length();
  for (Marker& marker : m_markers) {
    if (marker.passed) continue;
    if (m_segment > marker.segment) {
      marker.passed = true;
    } else if (m_segment == marker.segment && travelled >= (marker.point - start).Length()) {
      marker.passed = true;
    }
  }
}

void PathMover::Finish() {
  m_finished = true;
  m_covered = m_total_length;
  // At the end of the path every marker lies behind the mover, including one on the last point
  // or in the last segment that a large step jumped over.
  for (Marker& marker : m_markers) marker.passed = true;
}

void PathMover::UpdateHeading(float old_x, float old_y) {
  // The z of the position itself (not of the step) takes part, as the walking code expects.
  Vector3 step(m_position.x - old_x, m_position.y - old_y, m_position.z);
  step.Normalize();
  // Rounding can leave |x| a hair above 1, where acos gives NaN.
  float cosine = step.x;
  if (cosine > 1.0f) cosine = 1.0f;
  if (cosine < -1.0f) cosine = -1.0f;
  m_heading = std::acos(cosine);
}
