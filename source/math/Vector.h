#pragma once
// The engine's small float vectors: Vector2 for screen and texture positions, Vector3 for
// points and directions, Vector4 for homogeneous values and RGBA colours (x, y, z, w = r, g, b, a).

struct Vector2 {
  float x = 0.0f;
  float y = 0.0f;

  constexpr Vector2() = default;
  constexpr Vector2(float x_, float y_) : x(x_), y(y_) {}

  // Both coordinates of a are not greater than those of b.
  static bool IsLessOrEqual(const Vector2& a, const Vector2& b) { return a.x <= b.x && a.y <= b.y; }
  // Both coordinates of a are greater than those of b.
  static bool IsGreater(const Vector2& a, const Vector2& b) { return a.x > b.x && a.y > b.y; }

  bool operator==(const Vector2&) const = default;
  Vector2 operator+(const Vector2& o) const { return {x + o.x, y + o.y}; }
  Vector2 operator-(const Vector2& o) const { return {x - o.x, y - o.y}; }
  Vector2 operator*(float s) const { return {x * s, y * s}; }
};

struct Vector3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  constexpr Vector3() = default;
  constexpr Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

  float Length() const;
  // Scales to unit length; a vector shorter than 1e-5 is left as it is, so a zero vector
  // never turns into NaNs.
  Vector3& Normalize();

  bool operator==(const Vector3&) const = default;
  Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vector3 operator-() const { return {-x, -y, -z}; }
  Vector3 operator*(float s) const { return {x * s, y * s, z * s}; }
  Vector3 operator/(float s) const { return {x / s, y / s, z / s}; }
  Vector3& operator+=(const Vector3& o) { x += o.x; y += o.y; z += o.z; return *this; }
  Vector3& operator-=(const Vector3& o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
  Vector3& operator*=(float s) { x *= s; y *= s; z *= s; return *this; }
};

struct Vector4 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float w = 0.0f;

  constexpr Vector4() = default;
  constexpr Vector4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

  bool operator==(const Vector4&) const = default;
  Vector4 operator+(const Vector4& o) const { return {x + o.x, y + o.y, z + o.z, w + o.w}; }
  Vector4 operator-(const Vector4& o) const { return {x - o.x, y - o.y, z - o.z, w - o.w}; }
  Vector4 operator*(float s) const { return {x * s, y * s, z * s, w * s}; }
};

inline float Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vector3 Cross(const Vector3& a, const Vector3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The angle between two directions in radians, 0..pi.
float AngleBetween(const Vector3& a, const Vector3& b);
