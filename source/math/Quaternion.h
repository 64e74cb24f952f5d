#pragma once
// A rotation as a quaternion (x, y, z, w), as the animation keys store it.

#include "source/math/Matrix4.h"

struct Quaternion {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float w = 1.0f;

  constexpr Quaternion() = default;
  constexpr Quaternion(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

  bool operator==(const Quaternion&) const = default;

  // The Hamilton product a b.
  static Quaternion Multiply(const Quaternion& a, const Quaternion& b);
  // The rotation matrix for row vectors, laid out as Matrix4::RotateAxis lays out the same
  // rotation; the quaternion need not be of unit length.
  Matrix4 ToMatrix() const;
  // Spherical interpolation from a (t = 0) to b (t = 1) along the shorter arc; the result is
  // not normalised.
  static Quaternion Slerp(const Quaternion& a, const Quaternion& b, float t);
};
