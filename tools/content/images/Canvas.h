#pragma once
// A painting surface for the content tool's pictures: straight-alpha colours, positions in pixels
// from the top-left corner, every shape painted over what is there with smooth edges. The same
// strokes always give the same pixels.

#include <cstdint>
#include <vector>

#include "source/math/Vector.h"

class Image;

class Canvas {
 public:
  // Starts fully transparent black.
  Canvas(uint32_t width, uint32_t height);

  uint32_t Width() const { return m_width; }
  uint32_t Height() const { return m_height; }

  void Fill(const Vector4& color);
  // A band from row `top` to row `bottom`, blending from `top_color` to `bottom_color`.
  void Gradient(float top, float bottom, const Vector4& top_color, const Vector4& bottom_color);
  // A disc; `soft` pixels of glow outside its edge fading to nothing.
  void Circle(float x, float y, float radius, const Vector4& color, float soft = 0.0f);
  void Ellipse(float x, float y, float radius_x, float radius_y, const Vector4& color);
  void Rect(float x, float y, float width, float height, const Vector4& color);
  // A closed polygon (x, y pairs), filled even-odd.
  void Polygon(const std::vector<float>& points, const Vector4& color);
  // A ridge: everything below y(x) = base + a sum of three waves whose phases come from `seed`.
  void Hills(float base, float amplitude, float wavelength, uint32_t seed, const Vector4& color);
  // `count` short horizontal strokes at random places inside the rectangle (light on water,
  // grass, wood grain).
  void Streaks(float x, float y, float width, float height, uint32_t count, float length, uint32_t seed,
               const Vector4& color);
  // Every pixel's colour moved by up to +-amount, the same for its three channels (paper grain).
  void Grain(float amount, uint32_t seed);

  // Another picture painted over this one with its top-left corner at (x, y), each of its colours
  // multiplied by `tint` (a look-alike of a thing in another colour or half seen).
  void Stamp(const Canvas& picture, int x, int y, const Vector4& tint);

  // The picture as an image of 24 or 32 bits, bottom row first.
  Image ToImage(uint32_t bits) const;

 private:
  // Paints `color` over pixel (x, y) with `coverage` of it.
  void Blend(int x, int y, const Vector4& color, float coverage);

  uint32_t m_width;
  uint32_t m_height;
  std::vector<Vector4> m_pixels;  // row by row from the top
};

// The smallest power of two at least `side`.
uint32_t PaddedSide(uint32_t side);

// The picture (rows bottom first) laid into the bottom-left corner of a power-of-two image, its
// last row and column repeated into the rest. A model or window whose texture coordinates take
// only the painted part shows every pixel as painted, with no resampling, and nothing of the rest
// bleeds in at its edges.
Image PadToPowerOfTwo(const Image& painted);
