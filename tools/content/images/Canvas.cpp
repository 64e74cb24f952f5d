#include "tools/content/images/Canvas.h"

#include <algorithm>
#include <cmath>

#include "source/texture/Image.h"

namespace {

constexpr int kSamples = 4;  // 4 x 4 samples a pixel for polygon edges
constexpr float kTwoPi = 6.2831853f;

// The content tool's own generator: the same numbers on every machine.
class Dice {
 public:
  explicit Dice(uint32_t seed) : m_state(seed * 2654435761u + 12345u) {}
  float Next() {  // 0..1
    m_state = m_state * 1664525u + 1013904223u;
    return static_cast<float>(m_state >> 8) / 16777216.0f;
  }

 private:
  uint32_t m_state;
};

float Clamp01(float v) { return std::min(std::max(v, 0.0f), 1.0f); }

Vector4 Mix(const Vector4& a, const Vector4& b, float t) { return a * (1.0f - t) + b * t; }

}  // namespace

Canvas::Canvas(uint32_t width, uint32_t height)
    : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width) * height) {}

void Canvas::Blend(int x, int y, const Vector4& color, float coverage) {
  if (x < 0 || y < 0 || x >= static_cast<int>(m_width) || y >= static_cast<int>(m_height)) return;
  const float a = Clamp01(color.w * coverage);
  if (a <= 0.0f) return;
  Vector4& d = m_pixels[static_cast<std::size_t>(y) * m_width + x];
  const float out_alpha = a + d.w * (1.0f - a);
  const float keep = d.w * (1.0f - a);
  d.x = (color.x * a + d.x * keep) / out_alpha;
  d.y = (color.y * a + d.y * keep) / out_alpha;
  d.z = (color.z * a + d.z * keep) / out_alpha;
  d.w = out_alpha;
}

void Canvas::Stamp(const Canvas& picture, int x, int y, const Vector4& tint) {
  for (uint32_t row = 0; row < picture.m_height; ++row) {
    for (uint32_t column = 0; column < picture.m_width; ++column) {
      const Vector4& c = picture.m_pixels[static_cast<std::size_t>(row) * picture.m_width + column];
      Blend(x + static_cast<int>(column), y + static_cast<int>(row),
            Vector4(c.x * tint.x, c.y * tint.y, c.z * tint.z, c.w * tint.w), 1.0f);
    }
  }
}

void Canvas::Fill(const Vector4& color) {
  for (uint32_t y = 0; y < m_height; ++y) {
    for (uint32_t x = 0; x < m_width; ++x) Blend(x, y, color, 1.0f);
  }
}

void Canvas::Gradient(float top, float bottom, const Vector4& top_color, const Vector4& bottom_color) {
  const float span = bottom - top;
  if (!(span > 0.0f)) return;
  const uint32_t first = static_cast<uint32_t>(std::max(0.0f, std::floor(top)));
  const uint32_t last = static_cast<uint32_t>(std::min(static_cast<float>(m_height), std::ceil(bottom)));
  for (uint32_t y = first; y < last; ++y) {
    const float centre = static_cast<float>(y) + 0.5f;
    const float t = Clamp01((centre - top) / span);
    // Rows the band only partly covers are painted in part, so bands meet without a seam.
    const float coverage = Clamp01(std::min(centre + 0.5f - top, bottom - (centre - 0.5f)));
    const Vector4 color = Mix(top_color, bottom_color, t);
    for (uint32_t x = 0; x < m_width; ++x) Blend(static_cast<int>(x), static_cast<int>(y), color, coverage);
  }
}

void Canvas::Circle(float cx, float cy, float radius, const Vector4& color, float soft) {
  const float reach = radius + soft + 1.0f;
  const int x0 = static_cast<int>(std::floor(cx - reach)), x1 = static_cast<int>(std::ceil(cx + reach));
  const int y0 = static_cast<int>(std::floor(cy - reach)), y1 = static_cast<int>(std::ceil(cy + reach));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float d = std::hypot(static_cast<float>(x) + 0.5f - cx, static_cast<float>(y) + 0.5f - cy);
      float coverage = Clamp01(radius + 0.5f - d);
      if (soft > 0.0f && d > radius) {
        const float glow = 1.0f - Clamp01((d - radius) / soft);
        coverage = std::max(coverage, glow * glow * 0.6f);
      }
      Blend(x, y, color, coverage);
    }
  }
}

void Canvas::Ellipse(float cx, float cy, float rx, float ry, const Vector4& color) {
  if (rx <= 0.0f || ry <= 0.0f) return;
  const int x0 = static_cast<int>(std::floor(cx - rx - 1)), x1 = static_cast<int>(std::ceil(cx + rx + 1));
  const int y0 = static_cast<int>(std::floor(cy - ry - 1)), y1 = static_cast<int>(std::ceil(cy + ry + 1));
  const float scale = std::min(rx, ry);
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float dx = (static_cast<float>(x) + 0.5f - cx) / rx, dy = (static_cast<float>(y) + 0.5f - cy) / ry;
      const float d = std::sqrt(dx * dx + dy * dy);
      Blend(x, y, color, Clamp01((1.0f - d) * scale + 0.5f));
    }
  }
}

void Canvas::Rect(float x, float y, float width, float height, const Vector4& color) {
  Polygon({x, y, x + width, y, x + width, y + height, x, y + height}, color);
}

void Canvas::Polygon(const std::vector<float>& p, const Vector4& color) {
  const std::size_t n = p.size() / 2;
  if (n < 3) return;
  float top = p[1], bottom = p[1];
  for (std::size_t i = 0; i < n; ++i) {
    top = std::min(top, p[2 * i + 1]);
    bottom = std::max(bottom, p[2 * i + 1]);
  }
  const int y0 = std::max(0, static_cast<int>(std::floor(top)));
  const int y1 = std::min(static_cast<int>(m_height) - 1, static_cast<int>(std::ceil(bottom)));
  std::vector<float> coverage(m_width);
  std::vector<float> crossings;
  for (int y = y0; y <= y1; ++y) {
    std::fill(coverage.begin(), coverage.end(), 0.0f);
    for (int s = 0; s < kSamples; ++s) {
      const float sy = static_cast<float>(y) + (static_cast<float>(s) + 0.5f) / kSamples;
      crossings.clear();
      for (std::size_t i = 0; i < n; ++i) {
        const float ax = p[2 * i], ay = p[2 * i + 1];
        const float bx = p[2 * ((i + 1) % n)], by = p[2 * ((i + 1) % n) + 1];
        if ((ay <= sy) == (by <= sy)) continue;
        crossings.push_back(ax + (sy - ay) * (bx - ax) / (by - ay));
      }
      std::sort(crossings.begin(), crossings.end());
      for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
        const int first = std::max(0, static_cast<int>(std::floor(crossings[k] * kSamples)));
        const int last = std::min(static_cast<int>(m_width) * kSamples, static_cast<int>(std::ceil(crossings[k + 1] * kSamples)) + 1);
        for (int sx = first; sx < last; ++sx) {
          const float fx = (static_cast<float>(sx) + 0.5f) / kSamples;
          if (fx >= crossings[k] && fx < crossings[k + 1]) coverage[sx / kSamples] += 1.0f / (kSamples * kSamples);
        }
      }
    }
    for (uint32_t x = 0; x < m_width; ++x) {
      if (coverage[x] > 0.0f) Blend(static_cast<int>(x), y, color, coverage[x]);
    }
  }
}

void Canvas::Hills(float base, float amplitude, float wavelength, uint32_t seed, const Vector4& color) {
  Dice dice(seed);
  float phase[3], weight[3];
  for (int i = 0; i < 3; ++i) {
    phase[i] = dice.Next() * kTwoPi;
    weight[i] = 0.3f + dice.Next() * 0.7f;
  }
  const float total = weight[0] + weight[1] + weight[2];
  for (uint32_t x = 0; x < m_width; ++x) {
    const float fx = static_cast<float>(x) + 0.5f;
    float wave = 0.0f;
    for (int i = 0; i < 3; ++i) wave += weight[i] * std::sin(fx * kTwoPi * static_cast<float>(i + 1) / wavelength + phase[i]);
    const float ridge = base - amplitude * wave / total;
    for (uint32_t y = static_cast<uint32_t>(std::max(0.0f, std::floor(ridge))); y < m_height; ++y) {
      Blend(static_cast<int>(x), static_cast<int>(y), color, Clamp01(static_cast<float>(y) + 1.0f - ridge));
    }
  }
}

void Canvas::Streaks(float x, float y, float width, float height, uint32_t count, float length, uint32_t seed,
                     const Vector4& color) {
  Dice dice(seed);
  for (uint32_t i = 0; i < count; ++i) {
    const float sx = x + dice.Next() * width, sy = y + dice.Next() * height;
    const float l = length * (0.4f + dice.Next() * 0.6f);
    Polygon({sx, sy, sx + l, sy, sx + l * 0.9f, sy + 1.6f, sx + l * 0.1f, sy + 1.6f}, color);
  }
}

void Canvas::Grain(float amount, uint32_t seed) {
  Dice dice(seed);
  for (Vector4& p : m_pixels) {
    const float shift = (dice.Next() * 2.0f - 1.0f) * amount;
    p.x = Clamp01(p.x + shift);
    p.y = Clamp01(p.y + shift);
    p.z = Clamp01(p.z + shift);
  }
}

Image Canvas::ToImage(uint32_t bits) const {
  Image image;
  image.Allocate(m_width, m_height, bits);
  const uint32_t b = bits / 8;
  for (uint32_t y = 0; y < m_height; ++y) {
    uint8_t* row = image.Row(m_height - 1 - y);
    for (uint32_t x = 0; x < m_width; ++x) {
      const Vector4& p = m_pixels[static_cast<std::size_t>(y) * m_width + x];
      const float channels[4] = {p.x, p.y, p.z, p.w};
      for (uint32_t k = 0; k < b; ++k) row[x * b + k] = static_cast<uint8_t>(std::lround(Clamp01(channels[k]) * 255.0f));
    }
  }
  return image;
}

uint32_t PaddedSide(uint32_t side) {
  uint32_t power = 1;
  while (power < side) power *= 2;
  return power;
}

Image PadToPowerOfTwo(const Image& painted) {
  const uint32_t width = painted.GetWidth(), height = painted.GetHeight(), bytes = painted.GetBytesPerPixel();
  Image padded;
  if (painted.IsEmpty() || !padded.Allocate(PaddedSide(width), PaddedSide(height), painted.GetBitsPerPixel())) {
    return painted;
  }
  for (uint32_t y = 0; y < padded.GetHeight(); ++y) {
    const uint8_t* from = painted.Row(std::min(y, height - 1));
    uint8_t* to = padded.Row(y);
    std::copy_n(from, std::size_t{width} * bytes, to);
    for (uint32_t x = width; x < padded.GetWidth(); ++x) std::copy_n(from + (width - 1) * bytes, bytes, to + x * bytes);
  }
  return padded;
}
