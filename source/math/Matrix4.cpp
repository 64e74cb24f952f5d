#include "source/math/Matrix4.h"

#include <cmath>

Matrix4 Matrix4::MakeTranslation(float x, float y, float z) {
  Matrix4 result;
  result.m[12] = x;
  result.m[13] = y;
  result.m[14] = z;
  return result;
}

Matrix4 Matrix4::MakeScale(float x, float y, float z) {
  Matrix4 result;
  result.m[0] = x;
  result.m[5] = y;
  result.m[10] = z;
  return result;
}

void Matrix4::SetIdentity() { *this = g_identity_matrix; }

void Matrix4::SetScaleTranslation(const Vector3& scale, const Vector3& translation) {
  const float factors[3] = {scale.x, scale.y, scale.z};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) m[row * 4 + column] *= factors[row];
  }
  m[12] = translation.x;
  m[13] = translation.y;
  m[14] = translation.z;
  m[15] = 1.0f;
}

void Matrix4::ResetRotation() {
  for (int i = 0; i < 12; ++i) m[i] = g_identity_matrix.m[i];
}

void Matrix4::Translate(const Vector3& v) {
  m[12] += v.x;
  m[13] += v.y;
  m[14] += v.z;
}

Vector3 Matrix4::TransformPoint(const Vector3& v) const {
  return {v.x * m[0] + v.y * m[4] + v.z * m[8] + m[12],
          v.x * m[1] + v.y * m[5] + v.z * m[9] + m[13],
          v.x * m[2] + v.y * m[6] + v.z * m[10] + m[14]};
}

void Matrix4::Multiply(Matrix4& out, const Matrix4& a, const Matrix4& b) {
  Matrix4 product;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      product.m[row * 4 + column] = a.m[row * 4 + 0] * b.m[0 + column] +
                                    a.m[row * 4 + 1] * b.m[4 + column] +
                                    a.m[row * 4 + 2] * b.m[8 + column] +
                                    a.m[row * 4 + 3] * b.m[12 + column];
    }
  }
  out = product;
}

void Matrix4::MultiplyInPlace(Matrix4& m, const Matrix4& b) { Multiply(m, m, b); }

void Matrix4::Transpose() {
  for (int row = 0; row < 4; ++row) {
    for (int column = row + 1; column < 4; ++column) {
      const float t = m[row * 4 + column];
      m[row * 4 + column] = m[column * 4 + row];
      m[column * 4 + row] = t;
    }
  }
}

bool Matrix4::Inverse() {
  // 2x2 determinants of the upper two rows (a) and of the lower two rows (b); the 4x4
  // determinant and every cofactor are built from them.
  const float* e = m;
  const float a0 = e[0] * e[5] - e[1] * e[4];
  const float a1 = e[0] * e[6] - e[2] * e[4];
  const float a2 = e[0] * e[7] - e[3] * e[4];
  const float a3 = e[1] * e[6] - e[2] * e[5];
  const float a4 = e[1] * e[7] - e[3] * e[5];
  const float a5 = e[2] * e[7] - e[3] * e[6];
  const float b0 = e[8] * e[13] - e[9] * e[12];
  const float b1 = e[8] * e[14] - e[10] * e[12];
  const float b2 = e[8] * e[15] - e[11] * e[12];
  const float b3 = e[9] * e[14] - e[10] * e[13];
  const float b4 = e[9] * e[15] - e[11] * e[13];
  const float b5 = e[10] * e[15] - e[11] * e[14];
  const float det = a0 * b5 - a1 * b4 + a2 * b3 + a3 * b2 - a4 * b1 + a5 * b0;
  // Only a truly singular matrix is refused: a small determinant is no sign of one (a scale
  // of 0.01 on every axis gives 1e-6 and inverts exactly).
  if (det == 0.0f || !std::isfinite(det)) return false;

  Matrix4 inverse;
  float* r = inverse.m;
  r[0] = e[5] * b5 - e[6] * b4 + e[7] * b3;
  r[1] = -e[1] * b5 + e[2] * b4 - e[3] * b3;
  r[2] = e[13] * a5 - e[14] * a4 + e[15] * a3;
  r[3] = -e[9] * a5 + e[10] * a4 - e[11] * a3;
  r[4] = -e[4] * b5 + e[6] * b2 - e[7] * b1;
  r[5] = e[0] * b5 - e[2] * b2 + e[3] * b1;
  r[6] = -e[12] * a5 + e[14] * a2 - e[15] * a1;
  r[7] = e[8] * a5 - e[10] * a2 + e[11] * a1;
  r[8] = e[4] * b4 - e[5] * b2 + e[7] * b0;
  r[9] = -e[0] * b4 + e[1] * b2 - e[3] * b0;
  r[10] = e[12] * a4 - e[13] * a2 + e[15] * a0;
  r[11] = -e[8] * a4 + e[9] * a2 - e[11] * a0;
  r[12] = -e[4] * b3 + e[5] * b1 - e[6] * b0;
  r[13] = e[0] * b3 - e[1] * b1 + e[2] * b0;
  r[14] = -e[12] * a3 + e[13] * a1 - e[14] * a0;
  r[15] = e[8] * a3 - e[9] * a1 + e[10] * a0;
  const float scale = 1.0f / det;
  for (float& value : inverse.m) {
    value *= scale;
    // A determinant too small for its reciprocal overflows; keep the matrix rather than
    // hand out infinities.
    if (!std::isfinite(value)) return false;
  }
  *this = inverse;
  return true;
}

void Matrix4::RotateX(float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  Matrix4 r;
  r.m[5] = c;
  r.m[6] = s;
  r.m[9] = -s;
  r.m[10] = c;
  MultiplyInPlace(*this, r);
}

void Matrix4::RotateY(float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  Matrix4 r;
  r.m[0] = c;
  r.m[2] = -s;
  r.m[8] = s;
  r.m[10] = c;
  MultiplyInPlace(*this, r);
}

void Matrix4::RotateZ(float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  Matrix4 r;
  r.m[0] = c;
  r.m[1] = s;
  r.m[4] = -s;
  r.m[5] = c;
  MultiplyInPlace(*this, r);
}

void Matrix4::RotateAxis(const Vector3& axis, float angle) {
  Vector3 n = axis;
  n.Normalize();
  const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
  Matrix4 r;
  r.m[0] = t * n.x * n.x + c;
  r.m[1] = t * n.x * n.y + s * n.z;
  r.m[2] = t * n.x * n.z - s * n.y;
  r.m[4] = t * n.x * n.y - s * n.z;
  r.m[5] = t * n.y * n.y + c;
  r.m[6] = t * n.y * n.z + s * n.x;
  r.m[8] = t * n.x * n.z + s * n.y;
  r.m[9] = t * n.y * n.z - s * n.x;
  r.m[10] = t * n.z * n.z + c;
  MultiplyInPlace(*this, r);
}

void Matrix4::SetScale(const Vector3& s) {
  const float factors[3] = {s.x, s.y, s.z};
  for (int row = 0; row < 3; ++row) {
    Vector3 axis(m[row * 4], m[row * 4 + 1], m[row * 4 + 2]);
    axis.Normalize();
    axis *= factors[row];
    m[row * 4] = axis.x;
    m[row * 4 + 1] = axis.y;
    m[row * 4 + 2] = axis.z;
  }
}
