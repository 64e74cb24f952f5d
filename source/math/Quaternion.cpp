#include "source/math/Quaternion.h"

#include <cmath>

Quaternion Quaternion::Multiply(const Quaternion& a, const Quaternion& b) {
  return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
          a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
          a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w,
          a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

Matrix4 Quaternion::ToMatrix() const {
  Matrix4 result;
  const float norm = x * x + y * y + z * z + w * w;
  // A zero quaternion describes no rotation; the identity is the harmless answer.
  if (norm == 0.0f) return result;
  const float s = 2.0f / norm;
  const float xx = x * x * s, yy = y * y * s, zz = z * z * s;
  const float xy = x * y * s, xz = x * z * s, yz = y * z * s;
  const float wx = w * x * s, wy = w * y * s, wz = w * z * s;
  result.m[0] = 1.0f - (yy + zz);
  result.m[1] = xy + wz;
  result.m[2] = xz - wy;
  result.m[4] = xy - wz;
  result.m[5] = 1.0f - (xx + zz);
  result.m[6] = yz + wx;
  result.m[8] = xz + wy;
  result.m[9] = yz - wx;
  result.m[10] = 1.0f - (xx + yy);
  return result;
}

Quaternion Quaternion::Slerp(const Quaternion& a, const Quaternion& b, float t) {
  float d = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
  Quaternion to = b;
  if (d < 0.0f) {
    d = -d;
    to = Quaternion(-b.x, -b.y, -b.z, -b.w);
  }
  float weight_a = 1.0f - t;
  float weight_b = t;
  // Nearly equal rotations would divide by a vanishing sine; they blend linearly instead.
  if (1.0f - d > 1e-6f) {
    const float theta = std::acos(d);
    const float sine = std::sin(theta);
    weight_a = std::sin((1.0f - t) * theta) / sine;
    weight_b = std::sin(t * theta) / sine;
  }
  return {a.x * weight_a + to.x * weight_b, a.y * weight_a + to.y * weight_b,
          a.z * weight_a + to.z * weight_b, a.w * weight_a + to.w * weight_b};
}
