#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "source/math/Vector.h"
#include "tests/source/math/MathExpect.h"

TEST(Vector3, LengthAndNormalize) {
  Vector3 v(3.0f, 4.0f, 0.0f);
  EXPECT_FLOAT_EQ(v.Length(), 5.0f);
  v.Normalize();
  ExpectNear(v, Vector3(0.6f, 0.8f, 0.0f));
  EXPECT_FLOAT_EQ(v.Length(), 1.0f);
}

TEST(Vector3, NormalizeLeavesVectorsShorterThanTheThresholdAlone) {
  Vector3 zero;
  zero.Normalize();
  EXPECT_EQ(zero, Vector3(0.0f, 0.0f, 0.0f));
  Vector3 tiny(1e-6f, 0.0f, 0.0f);
  tiny.Normalize();
  EXPECT_EQ(tiny, Vector3(1e-6f, 0.0f, 0.0f));
}

TEST(Vector3, DotAndCrossFollowTheRightHand) {
  const Vector3 x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
  EXPECT_EQ(Cross(x, y), z);
  EXPECT_EQ(Cross(y, x), -z);
  EXPECT_FLOAT_EQ(Dot(Vector3(1, 2, 3), Vector3(4, -5, 6)), 12.0f);
}

TEST(Vector3, AngleBetweenIsInRadians) {
  EXPECT_NEAR(AngleBetween(Vector3(1, 0, 0), Vector3(0, 2, 0)), std::numbers::pi / 2, 1e-6);
  EXPECT_NEAR(AngleBetween(Vector3(1, 1, 0), Vector3(1, 0, 0)), std::numbers::pi / 4, 1e-6);
  EXPECT_NEAR(AngleBetween(Vector3(1, 0, 0), Vector3(-3, 0, 0)), std::numbers::pi, 1e-6);
}

TEST(Vector3, AngleBetweenNeverGivesNaN) {
  // The rounded cosine of a vector with itself can land just above 1.
  for (float f = 0.1f; f < 3.0f; f += 0.37f) {
    const Vector3 v(f, f * 1.7f, f * 0.3f);
    const float angle = AngleBetween(v, v);
    EXPECT_FALSE(std::isnan(angle));
    EXPECT_NEAR(angle, 0.0f, 1e-3f);
    EXPECT_NEAR(AngleBetween(v, -v), std::numbers::pi, 1e-3);
  }
  EXPECT_EQ(AngleBetween(Vector3(), Vector3(1, 0, 0)), 0.0f);
}

TEST(Vector2, ComparisonsNeedBothCoordinates) {
  EXPECT_TRUE(Vector2::IsLessOrEqual(Vector2(1, 2), Vector2(1, 2)));
  EXPECT_TRUE(Vector2::IsLessOrEqual(Vector2(0, 2), Vector2(1, 3)));
  EXPECT_FALSE(Vector2::IsLessOrEqual(Vector2(0, 4), Vector2(1, 3)));
  EXPECT_TRUE(Vector2::IsGreater(Vector2(2, 3), Vector2(1, 2)));
  EXPECT_FALSE(Vector2::IsGreater(Vector2(2, 2), Vector2(1, 2)));
}
