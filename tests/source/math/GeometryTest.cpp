#include <gtest/gtest.h>

#include <numbers>

#include "source/math/Geometry.h"
#include "source/math/Plane.h"
#include "tests/source/math/MathExpect.h"

TEST(Plane, FromPointsIsNormalisedAndFollowsTheWinding) {
  Plane p;
  p.FromPoints(Vector3(0, 0, 5), Vector3(2, 0, 5), Vector3(0, 3, 5));
  EXPECT_FLOAT_EQ(p.a, 0.0f);
  EXPECT_FLOAT_EQ(p.b, 0.0f);
  EXPECT_FLOAT_EQ(p.c, 1.0f);
  EXPECT_FLOAT_EQ(p.d, -5.0f);
  EXPECT_FLOAT_EQ(p.Distance(Vector3(3, 4, 7)), 2.0f);
  EXPECT_FLOAT_EQ(p.Distance(Vector3(3, 4, 1)), -4.0f);

  p.FromPoints(Vector3(0, 0, 5), Vector3(0, 3, 5), Vector3(2, 0, 5));
  EXPECT_FLOAT_EQ(p.c, -1.0f);
  EXPECT_FLOAT_EQ(p.d, 5.0f);
}

TEST(Plane, FromPointNormalKeepsTheNormalsLength) {
  Plane p;
  p.FromPointNormal(Vector3(1, 1, 5), Vector3(0, 0, 2));
  EXPECT_FLOAT_EQ(p.c, 2.0f);
  EXPECT_FLOAT_EQ(p.d, -10.0f);
  EXPECT_FLOAT_EQ(p.Distance(Vector3(0, 0, 6)), 2.0f);
  p.Normalize();
  EXPECT_FLOAT_EQ(p.c, 1.0f);
  EXPECT_FLOAT_EQ(p.d, -5.0f);

  Plane degenerate(0, 0, 1e-6f, 3);
  degenerate.Normalize();
  EXPECT_FLOAT_EQ(degenerate.d, 3.0f);
}

TEST(Plane, RayHitsOnlyAheadOfItsOrigin) {
  Plane p;
  p.FromPointNormal(Vector3(0, 0, 5), Vector3(0, 0, 1));
  float t = -1.0f;
  ASSERT_TRUE(p.IntersectRay(Vector3(1, 1, 0), Vector3(0, 0, 2), t));
  EXPECT_FLOAT_EQ(t, 2.5f);
  // From the far side the direction decides, not the normal.
  ASSERT_TRUE(p.IntersectRay(Vector3(1, 1, 9), Vector3(0, 0, -1), t));
  EXPECT_FLOAT_EQ(t, 4.0f);

  t = -1.0f;
  EXPECT_FALSE(p.IntersectRay(Vector3(1, 1, 0), Vector3(0, 0, -1), t));  // behind
  EXPECT_FALSE(p.IntersectRay(Vector3(1, 1, 0), Vector3(1, 0, 0), t));   // parallel
  EXPECT_FALSE(p.IntersectRay(Vector3(1, 1, 0), Vector3(1, 0, 1e-6f), t));
  EXPECT_EQ(t, -1.0f);
}

TEST(Plane, SegmentMustReachThePlane) {
  Plane p(0, 0, 1, -5);
  float t = -1.0f;
  EXPECT_FALSE(p.IntersectSegment(Vector3(0, 0, 0), Vector3(0, 0, 4), t));
  EXPECT_EQ(t, -1.0f);
  ASSERT_TRUE(p.IntersectSegment(Vector3(0, 0, 0), Vector3(0, 0, 10), t));
  EXPECT_FLOAT_EQ(t, 0.5f);
  ASSERT_TRUE(p.IntersectSegment(Vector3(0, 0, 0), Vector3(0, 0, 5), t));
  EXPECT_FLOAT_EQ(t, 1.0f);
}

TEST(PointInTriangle, InsideOnTheEdgesAndOutside) {
  const Vector3 v0(0, 0, 0), v1(1, 0, 0), v2(0, 1, 0);
  EXPECT_TRUE(PointInTriangle(Vector3(0.25f, 0.25f, 0), v0, v1, v2));
  EXPECT_TRUE(PointInTriangle(Vector3(0.5f, 0.5f, 0), v0, v1, v2));
  EXPECT_TRUE(PointInTriangle(v1, v0, v1, v2));
  EXPECT_FALSE(PointInTriangle(Vector3(0.6f, 0.6f, 0), v0, v1, v2));
  EXPECT_FALSE(PointInTriangle(Vector3(-0.1f, 0.1f, 0), v0, v1, v2));
  EXPECT_FALSE(PointInTriangle(Vector3(0.1f, -0.1f, 0), v0, v1, v2));
  // The winding does not matter.
  EXPECT_TRUE(PointInTriangle(Vector3(0.25f, 0.25f, 0), v0, v2, v1));
}

TEST(PointInTriangle, WorksOnEveryDominantAxis) {
  // Normal along X: the test runs on y and z.
  EXPECT_TRUE(PointInTriangle(Vector3(2, 0.2f, 0.2f), Vector3(2, 0, 0), Vector3(2, 1, 0), Vector3(2, 0, 1)));
  EXPECT_FALSE(PointInTriangle(Vector3(2, 0.8f, 0.8f), Vector3(2, 0, 0), Vector3(2, 1, 0), Vector3(2, 0, 1)));
  // Normal along Y.
  EXPECT_TRUE(PointInTriangle(Vector3(0.2f, 3, 0.2f), Vector3(0, 3, 0), Vector3(1, 3, 0), Vector3(0, 3, 1)));
  // A slanted triangle whose normal is largest in Z.
  EXPECT_TRUE(PointInTriangle(Vector3(0.2f, 0.2f, 0.04f), Vector3(0, 0, 0), Vector3(1, 0, 0.1f),
                              Vector3(0, 1, 0.1f)));
}

TEST(PointInTriangle, ADegenerateTriangleContainsNothing) {
  EXPECT_FALSE(PointInTriangle(Vector3(0.5f, 0, 0), Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(2, 0, 0)));
  EXPECT_FALSE(PointInTriangle(Vector3(0, 0, 0), Vector3(0, 0, 0), Vector3(0, 0, 0), Vector3(0, 0, 0)));
}

TEST(TransformRay, MovesTheOriginButOnlyTurnsTheDirection) {
  Matrix4 m;
  m.RotateZ(std::numbers::pi_v<float> / 2);
  m.Translate(Vector3(10, 20, 30));
  Vector3 origin(1, 0, 0), direction(0, 2, 0);
  TransformRay(origin, direction, m);
  ExpectNear(origin, Vector3(10, 21, 30));
  ExpectNear(direction, Vector3(-2, 0, 0));
}

TEST(TransformRay, RayIntoModelSpaceHitsTheModelsTriangle) {
  // The picking path: carry a world ray into model space by the inverse world matrix, then hit
  // the model's triangle there.
  Matrix4 world = Matrix4::MakeScale(2, 2, 2);
  world.Translate(Vector3(5, 0, 0));
  Matrix4 to_model = world;
  ASSERT_TRUE(to_model.Inverse());
  Vector3 origin(5.5f, 0.5f, -100), direction(0, 0, 1100);
  TransformRay(origin, direction, to_model);

  const Vector3 v0(0, 0, 0), v1(1, 0, 0), v2(0, 1, 0);
  Plane plane;
  plane.FromPoints(v0, v1, v2);
  float t = 0.0f;
  ASSERT_TRUE(plane.IntersectRay(origin, direction, t));
  EXPECT_TRUE(PointInTriangle(origin + direction * t, v0, v1, v2));
}
