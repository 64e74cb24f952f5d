#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "source/math/Quaternion.h"
#include "tests/source/math/MathExpect.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// The unit quaternion of a rotation by angle about a unit axis.
Quaternion AboutAxis(const Vector3& axis, float angle) {
  const float s = std::sin(angle / 2);
  return {axis.x * s, axis.y * s, axis.z * s, std::cos(angle / 2)};
}

void ExpectNear(const Quaternion& actual, const Quaternion& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
  EXPECT_NEAR(actual.w, expected.w, 1e-5f);
}

}  // namespace

TEST(Quaternion, ProductIsHamiltons) {
  const Quaternion i(1, 0, 0, 0), j(0, 1, 0, 0), k(0, 0, 1, 0);
  EXPECT_EQ(Quaternion::Multiply(i, j), k);
  EXPECT_EQ(Quaternion::Multiply(j, i), Quaternion(0, 0, -1, 0));
  EXPECT_EQ(Quaternion::Multiply(i, i), Quaternion(0, 0, 0, -1));
  const Quaternion q(0.1f, 0.2f, 0.3f, 0.9f);
  EXPECT_EQ(Quaternion::Multiply(Quaternion(), q), q);
  // Two quarter turns about Z make a half turn.
  const Quaternion quarter = AboutAxis(Vector3(0, 0, 1), kPi / 2);
  ExpectNear(Quaternion::Multiply(quarter, quarter), AboutAxis(Vector3(0, 0, 1), kPi));
}

TEST(Quaternion, ToMatrixOfAQuarterTurnAboutZ) {
  const float h = std::sqrt(0.5f);
  const Matrix4 m = Quaternion(0, 0, h, h).ToMatrix();
  ExpectNear(m, Matrix4(0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
  ExpectNear(m.TransformPoint(Vector3(1, 0, 0)), Vector3(0, 1, 0));
}

TEST(Quaternion, ToMatrixMatchesRotateAxisAndIgnoresLength) {
  const Vector3 axis = Vector3(1, -2, 3).Normalize();
  Matrix4 expected;
  expected.RotateAxis(axis, 1.1f);
  const Quaternion q = AboutAxis(axis, 1.1f);
  ExpectNear(q.ToMatrix(), expected);
  ExpectNear(Quaternion(q.x * 3, q.y * 3, q.z * 3, q.w * 3).ToMatrix(), expected);
  EXPECT_EQ(Quaternion(0, 0, 0, 0).ToMatrix(), g_identity_matrix);
}

TEST(Quaternion, SlerpOfEqualQuaternionsIsThatQuaternion) {
  const Quaternion q = AboutAxis(Vector3(0, 1, 0), 0.8f);
  for (float t : {0.0f, 0.3f, 0.5f, 1.0f, 1.7f}) {
    ExpectNear(Quaternion::Slerp(q, q, t), q);
    EXPECT_FALSE(std::isnan(Quaternion::Slerp(q, q, t).w));
  }
}

TEST(Quaternion, SlerpFollowsTheShorterArc) {
  const Quaternion from;
  const Quaternion to = AboutAxis(Vector3(0, 0, 1), kPi / 2);
  ExpectNear(Quaternion::Slerp(from, to, 0.0f), from);
  ExpectNear(Quaternion::Slerp(from, to, 1.0f), to);
  ExpectNear(Quaternion::Slerp(from, to, 0.5f), AboutAxis(Vector3(0, 0, 1), kPi / 4));
  ExpectNear(Quaternion::Slerp(from, to, 0.25f), AboutAxis(Vector3(0, 0, 1), kPi / 8));
  // -q is the same rotation as q; the blend must not swing round the long way.
  const Quaternion negated(-to.x, -to.y, -to.z, -to.w);
  ExpectNear(Quaternion::Slerp(from, negated, 0.5f), AboutAxis(Vector3(0, 0, 1), kPi / 4));
}
