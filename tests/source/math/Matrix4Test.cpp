#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "source/math/Matrix4.h"
#include "tests/source/math/MathExpect.h"

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2;

Matrix4 RotationZ(float angle) {
  Matrix4 m;
  m.RotateZ(angle);
  return m;
}

}  // namespace

TEST(Matrix4, TranslationSitsInElements12To14) {
  const Matrix4 t = Matrix4::MakeTranslation(5, 6, 7);
  EXPECT_EQ(t[12], 5.0f);
  EXPECT_EQ(t[13], 6.0f);
  EXPECT_EQ(t[14], 7.0f);
  EXPECT_EQ(t[3], 0.0f);
  ExpectNear(t.TransformPoint(Vector3(1, 2, 3)), Vector3(6, 8, 10));
}

TEST(Matrix4, TransformPointUsesRowVectors) {
  const Matrix4 m(1, 2, 3, 0,   //
                  4, 5, 6, 0,   //
                  7, 8, 9, 0,   //
                  10, 11, 12, 1);
  // (1, 2, 3) x M: x row0 + y row1 + z row2 + row3.
  ExpectNear(m.TransformPoint(Vector3(1, 2, 3)), Vector3(1 + 8 + 21 + 10, 2 + 10 + 24 + 11, 3 + 12 + 27 + 12));
}

TEST(Matrix4, ProductAppliesTheFirstMatrixFirst) {
  Matrix4 out;
  Matrix4::Multiply(out, Matrix4::MakeTranslation(1, 2, 3), Matrix4::MakeScale(2, 2, 2));
  // Translate, then scale.
  ExpectNear(out.TransformPoint(Vector3(1, 1, 1)), Vector3(4, 6, 8));
  Matrix4::Multiply(out, Matrix4::MakeScale(2, 2, 2), Matrix4::MakeTranslation(1, 2, 3));
  ExpectNear(out.TransformPoint(Vector3(1, 1, 1)), Vector3(3, 4, 5));
  // Translate (1, 2, 3), then turn 90 degrees about Z: the translation row becomes (-2, 1, 3).
  Matrix4::Multiply(out, Matrix4::MakeTranslation(1, 2, 3), RotationZ(kHalfPi));
  ExpectNear(out, Matrix4(0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, -2, 1, 3, 1));
}

TEST(Matrix4, ProductOfGeneralMatrices) {
  const Matrix4 a(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
  const Matrix4 b(2, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1);
  Matrix4 out;
  Matrix4::Multiply(out, a, b);
  // Row 0: (1, 2, 3, 4) x b = (1*2 + 4*1, 3, 2, 4).
  ExpectNear(out, Matrix4(6, 3, 2, 4, 18, 7, 6, 8, 30, 11, 10, 12, 42, 15, 14, 16));
  Matrix4 in_place = a;
  Matrix4::MultiplyInPlace(in_place, b);
  EXPECT_EQ(in_place, out);
}

TEST(Matrix4, RotationsLayOutSineAndCosine) {
  const float angle = 0.5f, c = std::cos(angle), s = std::sin(angle);
  Matrix4 x, y, z;
  x.RotateX(angle);
  y.RotateY(angle);
  z.RotateZ(angle);
  ExpectNear(x, Matrix4(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1));
  ExpectNear(y, Matrix4(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1));
  ExpectNear(z, Matrix4(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
  // A quarter turn about Z carries +X onto +Y.
  ExpectNear(RotationZ(kHalfPi).TransformPoint(Vector3(1, 0, 0)), Vector3(0, 1, 0));
}

TEST(Matrix4, RotationsMultiplyOnTheRight) {
  Matrix4 m = Matrix4::MakeTranslation(1, 2, 3);
  m.RotateZ(kHalfPi);
  ExpectNear(m, Matrix4(0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, -2, 1, 3, 1));
}

TEST(Matrix4, RotateAxisAgreesWithTheAxisRotations) {
  const float angle = 0.7f;
  const struct {
    Vector3 axis;  // normalised first
    void (Matrix4::*rotate)(float);
  } cases[] = {{Vector3(1, 0, 0), &Matrix4::RotateX}, {Vector3(0, 5, 0), &Matrix4::RotateY},
               {Vector3(0, 0, 1), &Matrix4::RotateZ}};
  for (const auto& c : cases) {
    Matrix4 by_name = Matrix4::MakeTranslation(1, -2, 3), by_axis = by_name;
    (by_name.*c.rotate)(angle);
    by_axis.RotateAxis(c.axis, angle);
    ExpectNear(by_axis, by_name);
  }
}

TEST(Matrix4, RotateAxisAboutTheDiagonalCyclesTheAxes) {
  // A third of a turn about (1, 1, 1) carries X to Y, Y to Z and Z to X.
  Matrix4 m;
  m.RotateAxis(Vector3(1, 1, 1), 2.0f * std::numbers::pi_v<float> / 3.0f);
  ExpectNear(m.TransformPoint(Vector3(1, 0, 0)), Vector3(0, 1, 0));
  ExpectNear(m.TransformPoint(Vector3(0, 1, 0)), Vector3(0, 0, 1));
  ExpectNear(m.TransformPoint(Vector3(0, 0, 1)), Vector3(1, 0, 0));
}

TEST(Matrix4, InverseOfTranslationRotationScale) {
  Matrix4 m;
  Matrix4::Multiply(m, Matrix4::MakeScale(2, 4, 8), RotationZ(kHalfPi));
  Matrix4::MultiplyInPlace(m, Matrix4::MakeTranslation(5, 6, 7));
  Matrix4 inverse = m;
  ASSERT_TRUE(inverse.Inverse());

  // By hand: undo the translation, turn back, scale down.
  Matrix4 expected = Matrix4::MakeTranslation(-5, -6, -7);
  Matrix4::MultiplyInPlace(expected, RotationZ(-kHalfPi));
  Matrix4::MultiplyInPlace(expected, Matrix4::MakeScale(0.5f, 0.25f, 0.125f));
  ExpectNear(inverse, expected);
  ExpectNear(inverse, Matrix4(0, -0.25f, 0, 0, 0.5f, 0, 0, 0, 0, 0, 0.125f, 0, -3, 1.25f, -0.875f, 1));

  Matrix4 product;
  Matrix4::Multiply(product, m, inverse);
  ExpectNear(product, g_identity_matrix);
  ExpectNear(inverse.TransformPoint(m.TransformPoint(Vector3(1, 2, 3))), Vector3(1, 2, 3));
}

TEST(Matrix4, InverseOfAGeneralMatrix) {
  const Matrix4 m(2, 1, 0, 0, 1, 3, 1, 0, 0, 1, 4, 1, 0, 0, 1, 5);
  Matrix4 inverse = m;
  ASSERT_TRUE(inverse.Inverse());
  Matrix4 product;
  Matrix4::Multiply(product, inverse, m);
  ExpectNear(product, g_identity_matrix);
}

TEST(Matrix4, InverseOfATinyScaleIsExact) {
  // Determinant 1e-6: small, but nothing singular about it.
  Matrix4 m = Matrix4::MakeScale(0.01f, 0.01f, 0.01f);
  m.Translate(Vector3(1, 2, 3));
  ASSERT_TRUE(m.Inverse());
  ExpectNear(m, Matrix4(100, 0, 0, 0, 0, 100, 0, 0, 0, 0, 100, 0, -100, -200, -300, 1), 1e-3f);
}

// A determinant that is zero, underflows or whose reciprocal overflows would give infinities.
TEST(Matrix4, SingularMatricesAreLeftUnchanged) {
  for (const Matrix4& singular : {Matrix4::MakeScale(1, 0, 1), Matrix4(1, 2, 3, 4, 1, 2, 3, 4, 0, 1, 0, 0, 0, 0, 0, 1),
                                  Matrix4::MakeScale(1e-20f, 1e-20f, 1e-20f), Matrix4::MakeScale(1e-39f, 1, 1)}) {
    Matrix4 m = singular;
    EXPECT_FALSE(m.Inverse());
    EXPECT_EQ(m, singular);
  }
  Matrix4 not_a_number = Matrix4::MakeScale(NAN, 1, 1);
  EXPECT_FALSE(not_a_number.Inverse());
  EXPECT_TRUE(std::isnan(not_a_number[0]));
}

TEST(Matrix4, TransposeSwapsRowsAndColumns) {
  Matrix4 m(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
  m.Transpose();
  EXPECT_EQ(m, Matrix4(1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16));
}

TEST(Matrix4, ScaleTranslationAndRotationReset) {
  Matrix4 m = RotationZ(kHalfPi);
  m[15] = 3.0f;
  m.SetScaleTranslation(Vector3(2, 3, 4), Vector3(7, 8, 9));
  ExpectNear(m, Matrix4(0, 2, 0, 0, -3, 0, 0, 0, 0, 0, 4, 0, 7, 8, 9, 1));

  m.Translate(Vector3(1, 1, 1));
  m.ResetRotation();
  EXPECT_EQ(m, Matrix4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 8, 9, 10, 1));

  EXPECT_EQ(Matrix4::MakeScale(2, 3, 4), Matrix4(2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1));
}

TEST(Matrix4, SetScaleReplacesTheAxisLengths) {
  Matrix4 m;
  Matrix4::Multiply(m, Matrix4::MakeScale(5, 6, 7), RotationZ(kHalfPi));
  m.Translate(Vector3(1, 2, 3));
  m.SetScale(Vector3(2, 1, 3));
  ExpectNear(m, Matrix4(0, 2, 0, 0, -1, 0, 0, 0, 0, 0, 3, 0, 1, 2, 3, 1));
}
