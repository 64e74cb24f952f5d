#pragma once
// Moves a point along a polyline of 3D points by a distance each frame, reports markers on the
// way as they are passed and tells when the end is reached. The path's owner builds the points,
// the total length and the markers.

#include <cstdint>
#include <vector>

#include "source/math/Vector.h"

class PathMover {
 public:
  struct Marker {
    Vector3 point;
    bool passed = false;
    // The segment the point lies on (points[segment] to points[segment + 1]).
    uint32_t segment = 0;
  };

  // Moves the position by advance along the path: the covered distance grows (up to
  // m_total_length), the position lands in the segment that distance falls in, markers behind it
  // become passed and the heading follows the step. Past the last segment the position is the
  // last point, every marker is passed and m_finished is set.
  void MoveAlongPath(float advance);

  std::vector<Vector3> m_points;
  // The cap of m_covered; set by the path's owner.
  float m_total_length = 0.0f;
  // Radians, 0..pi: the angle between the last step and the +X axis.
  float m_heading = 0.0f;
  Vector3 m_position;
  std::vector<Marker> m_markers;
  float m_covered = 0.0f;
  // Distance travelled inside the current segment.
  float m_segment_travel = 0.0f;
  uint32_t m_segment = 0;
  bool m_finished = false;

 private:
  void UpdateHeading(float old_x, float old_y);
  void PassMarkers();
  void Finish();
};
