#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <cmath>
#include <numbers>

#include "source/math/cBoundingBox.h"
#include "tests/source/math/MathExpect.h"

namespace {

const Vector3 kOnes(1, 1, 1);

Matrix4 RotationZ(float angle) {
  Matrix4 m;
  m.RotateZ(angle);
  return m;
}

}  // namespace

TEST(BoundingBox, StartsEmpty) {
  cBoundingBox box;
  EXPECT_EQ(box.m_local_min, Vector3(FLT_MAX, FLT_MAX, FLT_MAX));
  EXPECT_EQ(box.m_local_max, Vector3(-FLT_MAX, -FLT_MAX, -FLT_MAX));
  box.Update(false);
  EXPECT_EQ(box.m_world_min, Vector3(FLT_MAX, FLT_MAX, FLT_MAX));
  EXPECT_EQ(box.m_world_max, Vector3(-FLT_MAX, -FLT_MAX, -FLT_MAX));
}

TEST(BoundingBox, SetDerivesCentreExtentsSizeAndRadius) {
  const cBoundingBox box(Vector3(1, 2, 3), Vector3(3, 6, 11));
  EXPECT_EQ(box.m_world_min, Vector3(1, 2, 3));
  EXPECT_EQ(box.m_world_max, Vector3(3, 6, 11));
  EXPECT_EQ(box.m_half_extents, Vector3(1, 2, 4));
  EXPECT_EQ(box.m_centre, Vector3(2, 4, 7));
  EXPECT_EQ(box.m_size, Vector3(2, 4, 8));
  EXPECT_FLOAT_EQ(box.m_radius, std::sqrt(21.0f));
}

TEST(BoundingBox, SizeIsAbsoluteForAnInvertedBox) {
  cBoundingBox box;
  box.Set(Vector3(2, 0, 0), Vector3(0, 1, 1));
  EXPECT_EQ(box.m_size, Vector3(2, 1, 1));
  EXPECT_EQ(box.m_half_extents, Vector3(-1, 0.5f, 0.5f));
}

TEST(BoundingBox, RotatedBoxEnclosesItsCorners) {
  cBoundingBox box(-kOnes, kOnes);
  box.SetMatrix(RotationZ(std::numbers::pi_v<float> / 4));
  const float r = std::sqrt(2.0f);
  ExpectNear(box.m_world_min, Vector3(-r, -r, -1));
  ExpectNear(box.m_world_max, Vector3(r, r, 1));
  ExpectNear(box.m_centre, Vector3(0, 0, 0));
  EXPECT_NEAR(box.m_radius, std::sqrt(5.0f), 1e-5f);
  // The local box is untouched.
  EXPECT_EQ(box.m_local_min, -kOnes);
}

TEST(BoundingBox, TranslatedAndScaledBox) {
  cBoundingBox box(Vector3(0, 0, 0), kOnes);
  Matrix4 m = Matrix4::MakeScale(2, 3, 4);
  m.Translate(Vector3(10, 20, 30));
  box.SetMatrix(m);
  ExpectNear(box.m_world_min, Vector3(10, 20, 30));
  ExpectNear(box.m_world_max, Vector3(12, 23, 34));
  ExpectNear(box.m_centre, Vector3(11, 21.5f, 32));
  ExpectNear(box.m_size, Vector3(2, 3, 4));
}

TEST(BoundingBox, UpdateWithoutTransformResetsBothMatrices) {
  cBoundingBox box(-kOnes, kOnes);
  box.m_second_matrix = Matrix4::MakeScale(2, 2, 2);
  box.SetMatrix(Matrix4::MakeTranslation(5, 0, 0));
  box.Update(false);
  EXPECT_EQ(box.m_matrix, g_identity_matrix);
  EXPECT_EQ(box.m_second_matrix, g_identity_matrix);
  EXPECT_EQ(box.m_world_min, -kOnes);
}

TEST(BoundingBox, CopiesCarryEveryField) {
  cBoundingBox source(Vector3(0, 0, 0), Vector3(2, 4, 6));
  source.m_second_matrix = Matrix4::MakeScale(3, 3, 3);
  source.SetMatrix(Matrix4::MakeTranslation(1, 1, 1));

  cBoundingBox target(Vector3(-9, -9, -9), Vector3(9, 9, 9));
  target.CopyFrom(source);
  EXPECT_EQ(std::memcmp(&target, &source, sizeof(cBoundingBox)), 0);
  EXPECT_EQ(target.m_size, Vector3(2, 4, 6));

  cBoundingBox assigned;
  assigned = source;
  EXPECT_EQ(assigned.m_size, Vector3(2, 4, 6));
  EXPECT_EQ(assigned.m_second_matrix, source.m_second_matrix);
  const cBoundingBox constructed(source);
  EXPECT_EQ(std::memcmp(&constructed, &source, sizeof(cBoundingBox)), 0);
}

TEST(BoundingBox, BoxesThatTouchOverlap) {
  const cBoundingBox a(Vector3(0, 0, 0), kOnes);
  EXPECT_TRUE(a.Overlaps(cBoundingBox(Vector3(1, 0, 0), Vector3(2, 1, 1))));
  EXPECT_TRUE(a.Overlaps(cBoundingBox(Vector3(0.5f, 0.5f, 0.5f), Vector3(3, 3, 3))));
  EXPECT_TRUE(a.Overlaps(cBoundingBox(Vector3(0.2f, 0.2f, 0.2f), Vector3(0.3f, 0.3f, 0.3f))));
  EXPECT_FALSE(a.Overlaps(cBoundingBox(Vector3(1.1f, 0, 0), Vector3(2, 1, 1))));
  EXPECT_FALSE(a.Overlaps(cBoundingBox(Vector3(0, -2, 0), Vector3(1, -0.1f, 1))));
  EXPECT_FALSE(a.Overlaps(cBoundingBox(Vector3(0, 0, 1.5f), Vector3(1, 1, 2))));
}

TEST(BoundingBox, SegmentsThatReachTheBoxIntersectAndThoseThatStopShortOrPassBesideMiss) {
  const cBoundingBox box(-kOnes, kOnes);
  const struct {
    Vector3 start, delta;
    bool hits;
  } cases[] = {
      {Vector3(-5, 0, 0), Vector3(10, 0, 0), true},  // straight through
      {Vector3(-5, 0, 0), Vector3(4, 0, 0), true},   // ending on the face
      {Vector3(0.5f, 0.5f, 0.5f), Vector3(0, 0, 0), true},  // of zero length inside
      {Vector3(0.5f, -0.5f, -100), Vector3(0, 0, 1100), true},  // the GUI's picking ray
      {Vector3(-5, 0, 0), Vector3(3, 0, 0), false},
      {Vector3(2, 0, 0), Vector3(5, 0, 0), false},
      {Vector3(-5, 1.5f, 0), Vector3(10, 0, 0), false},
      // Beside the corner (1, 1): only the cross axis of the segment separates them.
      {Vector3(2.5f, 0, 0), Vector3(-2.5f, 2.5f, 0), false},
      {Vector3(1.9f, 0, 0), Vector3(-1.9f, 1.9f, 0), true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(box.IntersectsSegment(c.start, c.delta), c.hits)
        << c.start.x << "," << c.start.y << "," << c.start.z << " + " << c.delta.x << "," << c.delta.y;
  }
}

TEST(BoundingBox, SegmentTestUsesTheWorldBox) {
  cBoundingBox box(-kOnes, kOnes);
  box.SetMatrix(Matrix4::MakeTranslation(10, 0, 0));
  EXPECT_FALSE(box.IntersectsSegment(Vector3(0, 0, -5), Vector3(0, 0, 10)));
  EXPECT_TRUE(box.IntersectsSegment(Vector3(10, 0, -5), Vector3(0, 0, 10)));
}
