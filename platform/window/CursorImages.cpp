#include "platform/window/CursorImages.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace window {
namespace {

constexpr int kSize = 32;

struct Rgba {
  uint8_t r, g, b, a;
};

constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kOutline{34, 24, 16, 255};
constexpr Rgba kGold{240, 200, 96, 255};
constexpr Rgba kIvory{252, 246, 226, 255};
constexpr Rgba kGlass{170, 215, 240, 150};
constexpr Rgba kWood{128, 78, 38, 255};

// A canvas whose painted pixels get a one-pixel dark outline at the end.
class Canvas {
 public:
  Canvas() : m_pixels(kSize * kSize, kClear) {}

  // Paints every pixel whose centre the shape contains.
  void Fill(const std::function<bool(float, float)>& inside, Rgba colour) {
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (inside(x + 0.5f, y + 0.5f)) m_pixels[y * kSize + x] = colour;
      }
    }
  }

  void Outline() {
    const std::vector<Rgba> painted = m_pixels;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (painted[y * kSize + x].a != 0) continue;
        if (TouchesPaint(painted, x, y)) m_pixels[y * kSize + x] = kOutline;
      }
    }
  }

  CursorImage Image(int hot_x, int hot_y) const {
    CursorImage image{kSize, kSize, hot_x, hot_y, {}};
    image.rgba.reserve(kSize * kSize * 4);
    for (const Rgba& p : m_pixels) image.rgba.insert(image.rgba.end(), {p.r, p.g, p.b, p.a});
    return image;
  }

 private:
  static bool TouchesPaint(const std::vector<Rgba>& painted, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const int nx = x + dx, ny = y + dy;
        if (nx >= 0 && ny >= 0 && nx < kSize && ny < kSize && painted[ny * kSize + nx].a != 0) return true;
      }
    }
    return false;
  }

  std::vector<Rgba> m_pixels;
};

struct Point {
  float x, y;
};

// Even-odd rule.
std::function<bool(float, float)> Polygon(std::vector<Point> points) {
  return [points = std::move(points)](float x, float y) {
    bool inside = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const Point& a = points[i];
      const Point& b = points[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
  };
}

std::function<bool(float, float)> Ellipse(float cx, float cy, float rx, float ry) {
  return [=](float x, float y) {
    const float u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1.0f;
  };
}

// A segment `width` wide.
std::function<bool(float, float)> Stroke(Point a, Point b, float width) {
  return [=](float x, float y) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    const float px = a.x + t * dx - x, py = a.y + t * dy - y;
    return px * px + py * py <= width * width * 0.25f;
  };
}

CursorImage Arrow() {
  Canvas canvas;
  canvas.Fill(Polygon({{1, 1}, {1, 22}, {6, 17}, {10, 26}, {14, 24}, {10, 16}, {17, 16}}), kGold);
  canvas.Outline();
  return canvas.Image(1, 1);
}

CursorImage Bubble() {
  Canvas canvas;
  canvas.Fill(Ellipse(17.5f, 12.0f, 13.0f, 9.0f), kIvory);
  canvas.Fill(Polygon({{8, 17}, {15, 19}, {3, 29}}), kIvory);
  canvas.Outline();
  for (float cx : {12.0f, 17.5f, 23.0f}) canvas.Fill(Ellipse(cx, 12.0f, 1.6f, 1.6f), kOutline);
  return canvas.Image(3, 29);
}

CursorImage Clock() {
  Canvas canvas;
  canvas.Fill(Ellipse(16, 16, 13, 13), kIvory);
  canvas.Outline();
  canvas.Fill(Stroke({16, 16}, {16, 7}, 2.0f), kOutline);
  canvas.Fill(Stroke({16, 16}, {23, 16}, 2.0f), kOutline);
  return canvas.Image(16, 16);
}

CursorImage Lens() {
  Canvas canvas;
  canvas.Fill(Stroke({18, 18}, {29, 29}, 5.0f), kWood);
  canvas.Fill(Ellipse(12, 12, 10, 10), kGold);
  canvas.Fill(Ellipse(12, 12, 7.5f, 7.5f), kGlass);
  canvas.Outline();
  return canvas.Image(12, 12);
}

CursorImage Empty() { return Canvas().Image(0, 0); }

}  // namespace

CursorImage DrawCursorImage(int resource_id) {
  switch (resource_id) {
    case 113: return Arrow();
    case 114: return Bubble();
    case 115: return Clock();
    case 116: return Lens();
    case 117: return Empty();
    default: return CursorImage{};
  }
}

}  // namespace window
