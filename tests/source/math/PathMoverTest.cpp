#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "source/math/PathMover.h"
#include "tests/source/math/MathExpect.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// An L-shaped walk: 10 units along +X, then 10 along +Y.
PathMover LShape() {
  PathMover mover;
  mover.m_points = {Vector3(0, 0, 0), Vector3(10, 0, 0), Vector3(10, 10, 0)};
  mover.m_total_length = 20;
  mover.m_markers = {{Vector3(5, 0, 0), false, 0}, {Vector3(10, 5, 0), false, 1}};
  return mover;
}

}  // namespace

TEST(PathMover, WalksTheSegmentsAndPassesMarkersInOrder) {
  PathMover mover = LShape();
  mover.MoveAlongPath(3);
  ExpectNear(mover.m_position, Vector3(3, 0, 0));
  EXPECT_EQ(mover.m_segment, 0u);
  EXPECT_FLOAT_EQ(mover.m_segment_travel, 3);
  EXPECT_FLOAT_EQ(mover.m_heading, 0);
  EXPECT_FALSE(mover.m_markers[0].passed);

  mover.MoveAlongPath(3);
  ExpectNear(mover.m_position, Vector3(6, 0, 0));
  EXPECT_TRUE(mover.m_markers[0].passed);
  EXPECT_FALSE(mover.m_markers[1].passed);

  mover.MoveAlongPath(6);
  ExpectNear(mover.m_position, Vector3(10, 2, 0));
  EXPECT_EQ(mover.m_segment, 1u);
  EXPECT_FLOAT_EQ(mover.m_segment_travel, 2);
  EXPECT_FLOAT_EQ(mover.m_covered, 12);
  // The step went from (6, 0) to (10, 2).
  EXPECT_NEAR(mover.m_heading, std::acos(4 / std::sqrt(20.0f)), 1e-5f);
  EXPECT_FALSE(mover.m_markers[1].passed);

  mover.MoveAlongPath(4);
  ExpectNear(mover.m_position, Vector3(10, 6, 0));
  EXPECT_TRUE(mover.m_markers[1].passed);
  EXPECT_NEAR(mover.m_heading, kPi / 2, 1e-6f);
  EXPECT_FALSE(mover.m_finished);
}

TEST(PathMover, MarkerOnTheSpotIsPassed) {
  PathMover mover = LShape();
  mover.MoveAlongPath(5);
  EXPECT_TRUE(mover.m_markers[0].passed);
}

TEST(PathMover, ReachingTheEndPassesEveryRemainingMarker) {
  PathMover mover = LShape();
  mover.m_markers.push_back({Vector3(10, 10, 0), false, 1});  // on the last point itself
  mover.MoveAlongPath(25);
  EXPECT_TRUE(mover.m_finished);
  ExpectNear(mover.m_position, Vector3(10, 10, 0));
  EXPECT_FLOAT_EQ(mover.m_covered, 20);
  for (const PathMover::Marker& marker : mover.m_markers) EXPECT_TRUE(marker.passed);
}

TEST(PathMover, TheLastPointIsReachedByExactSteps) {
  PathMover mover = LShape();
  mover.m_markers.push_back({Vector3(10, 10, 0), false, 1});
  mover.MoveAlongPath(10);
  mover.MoveAlongPath(10);
  EXPECT_TRUE(mover.m_finished);
  EXPECT_TRUE(mover.m_markers.back().passed);
}

TEST(PathMover, ALongStepSkipsShortSegmentsInOneCall) {
  PathMover mover;
  mover.m_points = {Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(2, 0, 0), Vector3(3, 0, 0),
                    Vector3(4, 0, 0), Vector3(10, 0, 0)};
  mover.m_total_length = 10;
  for (uint32_t i = 0; i < 4; ++i) mover.m_markers.push_back({Vector3(i + 0.5f, 0, 0), false, i});
  mover.m_markers.push_back({Vector3(6, 0, 0), false, 4});
  mover.MoveAlongPath(4.5f);
  EXPECT_EQ(mover.m_segment, 4u);
  EXPECT_FLOAT_EQ(mover.m_segment_travel, 0.5f);
  ExpectNear(mover.m_position, Vector3(4.5f, 0, 0));
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(mover.m_markers[i].passed) << i;
  EXPECT_FALSE(mover.m_markers[4].passed);
  EXPECT_FALSE(mover.m_finished);
}

TEST(PathMover, CoveredNeverPassesTheTotalLength) {
  PathMover mover = LShape();
  mover.m_total_length = 4;  // the owner's figure caps it even mid-path
  mover.MoveAlongPath(6);
  EXPECT_FLOAT_EQ(mover.m_covered, 4);
  ExpectNear(mover.m_position, Vector3(6, 0, 0));
}

TEST(PathMover, AfterTheEndEveryCallStaysOnTheLastPoint) {
  PathMover mover = LShape();
  mover.MoveAlongPath(30);
  mover.m_covered = 3;
  mover.MoveAlongPath(1);
  EXPECT_TRUE(mover.m_finished);
  ExpectNear(mover.m_position, Vector3(10, 10, 0));
  EXPECT_FLOAT_EQ(mover.m_covered, 20);
  // No step in x or y with z = 0: the heading is acos(0).
  EXPECT_FLOAT_EQ(mover.m_heading, kPi / 2);
}

TEST(PathMover, HeadingIsTheAngleToPlusX) {
  PathMover mover;
  mover.m_points = {Vector3(10, 0, 0), Vector3(0, 0, 0)};
  mover.m_position = Vector3(10, 0, 0);
  mover.m_total_length = 10;
  mover.MoveAlongPath(2);
  EXPECT_FLOAT_EQ(mover.m_heading, kPi);
}

TEST(PathMover, APathOfOnePointOrNoneFinishesAtOnceWithoutMoving) {
  PathMover one;
  one.m_points = {Vector3(3, 4, 0)};
  one.m_total_length = 0;
  one.MoveAlongPath(1);
  EXPECT_TRUE(one.m_finished);
  ExpectNear(one.m_position, Vector3(3, 4, 0));
  PathMover none;
  none.m_position = Vector3(1, 2, 3);
  none.MoveAlongPath(1);
  EXPECT_TRUE(none.m_finished);
  EXPECT_EQ(none.m_position, Vector3(1, 2, 3));
}

TEST(PathMover, ZeroLengthSegmentsAreWalkedOver) {
  PathMover mover;
  mover.m_points = {Vector3(0, 0, 0), Vector3(0, 0, 0), Vector3(4, 0, 0)};
  mover.m_total_length = 4;
  mover.MoveAlongPath(1);
  EXPECT_EQ(mover.m_segment, 1u);
  ExpectNear(mover.m_position, Vector3(1, 0, 0));
}
