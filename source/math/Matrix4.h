#pragma once
// The engine's 4x4 float matrix. Row-major and used with row vectors: a point is transformed
// as v x M, the translation sits in elements 12, 13 and 14, and a product a x b applies a first.

#include "source/math/Vector.h"

struct Matrix4 {
  float m[16];

  // A new matrix is the identity.
  constexpr Matrix4() : m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1} {}
  constexpr Matrix4(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7,
                    float m8, float m9, float m10, float m11, float m12, float m13, float m14,
                    float m15)
      : m{m0, m1, m2, m3, m4, m5, m6, m7, m8, m9, m10, m11, m12, m13, m14, m15} {}

  float& operator[](int i) { return m[i]; }
  float operator[](int i) const { return m[i]; }
  bool operator==(const Matrix4&) const = default;

  // Identity with (x, y, z) as the translation.
  static Matrix4 MakeTranslation(float x, float y, float z);
  // Identity with rows 0, 1 and 2 multiplied by x, y and z.
  static Matrix4 MakeScale(float x, float y, float z);

  void SetIdentity();
  // Rows 0-2 multiplied by the matching scale component, the translation set, element 15 = 1.
  void SetScaleTranslation(const Vector3& scale, const Vector3& translation);
  // Rows 0-2 become the identity's; the translation row is kept.
  void ResetRotation();
  // Adds v to the translation.
  void Translate(const Vector3& v);
  // v x M without the division by w (the matrices placed here are affine).
  Vector3 TransformPoint(const Vector3& v) const;

  // out = a x b. out may be one of the inputs: the product is formed before it is stored.
  static void Multiply(Matrix4& out, const Matrix4& a, const Matrix4& b);
  // m = m x b.
  static void MultiplyInPlace(Matrix4& m, const Matrix4& b);

  void Transpose();
  // Inverts in place. A singular matrix (determinant 0, or a determinant or result that is not
  // finite) is left unchanged and the answer is false.
  bool Inverse();

  // m = m x R for a rotation of angle radians about the X, Y or Z axis, or about any axis
  // (normalised here).
  void RotateX(float angle);
  void RotateY(float angle);
  void RotateZ(float angle);
  void RotateAxis(const Vector3& axis, float angle);

  // Normalises rows 0-2 and multiplies each by the matching component of s.
  void SetScale(const Vector3& s);
};

// The one identity matrix the program shares.
inline constexpr Matrix4 g_identity_matrix{};
