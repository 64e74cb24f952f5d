#pragma once
// Tolerant comparisons of vectors and matrices for the maths tests.

#include <gtest/gtest.h>

#include "source/math/Matrix4.h"
#include "source/math/Vector.h"

inline void ExpectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

inline void ExpectNear(const Matrix4& actual, const Matrix4& expected, float tolerance = 1e-5f) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
}
