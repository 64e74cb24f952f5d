#include "source/math/Vector.h"

#include <cmath>

float Vector3::Length() const { return std::sqrt(x * x + y * y + z * z); }

Vector3& Vector3::Normalize() {
  const float length = Length();
  if (length >= 1e-5f) {
    x /= length;
    y /= length;
    z /= length;
  }
  return *this;
}

float AngleBetween(const Vector3& a, const Vector3& b) {
  const float lengths = a.Length() * b.Length();
  // A zero vector has no direction; answer 0 rather than NaN.
  if (lengths == 0.0f) return 0.0f;
  // Rounding can push the cosine of (anti)parallel vectors just past 1, where acos gives NaN.
  float cosine = Dot(a, b) / lengths;
  if (cosine > 1.0f) cosine = 1.0f;
  if (cosine < -1.0f) cosine = -1.0f;
  return std::acos(cosine);
}
