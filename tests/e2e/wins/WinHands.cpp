#include "tests/e2e/wins/WinHands.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cmath>

namespace e2e {

WindowPixels Look(GameScreen& screen) {
  WindowPixels pixels = ReadWindowPixels(screen.window);
  if (pixels.width > 0) {
    screen.width = pixels.width;
    screen.height = pixels.height;
  }
  return pixels;
}

namespace {

uint8_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  return static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / (mask >> shift));
}

}  // namespace

WindowPixels Glance(GameScreen& screen, const std::vector<Area>& areas) {
  WindowPixels pixels;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return pixels;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, screen.window, &attributes) != 0 && attributes.width > 0 && attributes.height > 0) {
    pixels.width = screen.width = attributes.width;
    pixels.height = screen.height = attributes.height;
    pixels.rgb.assign(static_cast<std::size_t>(pixels.width) * pixels.height * 3, 0);
    for (const Area& a : areas) {
      const int x0 = std::clamp(screen.X(a.x0), 0, pixels.width - 1), x1 = std::clamp(screen.X(a.x1), 0, pixels.width - 1);
      const int y0 = std::clamp(screen.Y(a.y1), 0, pixels.height - 1), y1 = std::clamp(screen.Y(a.y0), 0, pixels.height - 1);
      XImage* image = XGetImage(display, screen.window, x0, y0, static_cast<unsigned>(x1 - x0 + 1),
                                static_cast<unsigned>(y1 - y0 + 1), AllPlanes, ZPixmap);
      if (image == nullptr) continue;
      for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
          const unsigned long pixel = XGetPixel(image, x - x0, y - y0);
          uint8_t* to = &pixels.rgb[(static_cast<std::size_t>(y) * pixels.width + x) * 3];
          to[0] = Channel(pixel, image->red_mask);
          to[1] = Channel(pixel, image->green_mask);
          to[2] = Channel(pixel, image->blue_mask);
        }
      }
      XDestroyImage(image);
    }
  }
  XCloseDisplay(display);
  return pixels;
}

WindowPixels Settled(GameScreen& screen, const std::string& name, Area a, int timeout_ms) {
  WindowPixels before = Look(screen), now;
  screen.WaitFor(name, timeout_ms, [&](const WindowPixels& pixels) {
    now = pixels;
    const bool same = screen.Same(pixels, before, a);
    before = pixels;
    return same;
  });
  return now.width > 0 ? now : before;
}

Rgb ColourAt(const GameScreen& screen, const WindowPixels& pixels, Point at, float half) {
  const Area a = Around(at, half);
  long r = 0, g = 0, b = 0, n = 0;
  for (int y = screen.Y(a.y1); y <= screen.Y(a.y0); ++y) {
    for (int x = screen.X(a.x0); x <= screen.X(a.x1); ++x, ++n) {
      const uint32_t c = pixels.At(x, y);
      r += (c >> 16) & 0xFF;
      g += (c >> 8) & 0xFF;
      b += c & 0xFF;
    }
  }
  if (n == 0) return {};
  return {static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)};
}

void QuickClick(GameScreen& screen, Point at) {
  screen.Xdotool(screen.Move(at) + " sleep 0.12 mousedown 1 sleep 0.15 mouseup 1 sleep 0.05");
}

bool ClickUntilChanged(GameScreen& screen, const std::string& name, Point at, Area watch, int tries, int timeout_ms) {
  const WindowPixels before = Look(screen);
  for (int i = 0; i < tries; ++i) {
    screen.Click(at);
    if (screen.WaitFor(name, timeout_ms, [&](const WindowPixels& now) { return !screen.Same(now, before, watch); })) {
      return true;
    }
  }
  return false;
}

namespace {

constexpr float kDegree = 3.14159265f / 180.0f;
constexpr float kTurnStep = 3.0f;  // degrees a move: a slow frame still sees far less than a quarter turn

}  // namespace

Point OnCircle(Point centre, float radius, float degrees) {
  return {centre.x + radius * std::sin(degrees * kDegree), centre.y + radius * std::cos(degrees * kDegree)};
}

void TurnAbout(GameScreen& screen, Point centre, float radius, float degrees, float turn, float reach) {
  std::string steps = screen.Move(OnCircle(centre, radius, degrees)) + " sleep 0.4 mousedown 1 sleep 0.4";
  if (reach > 0.0f) {
    steps.append(" ").append(screen.Move(OnCircle(centre, reach, degrees))).append(" sleep 0.2");
    radius = reach;
  }
  const int count = std::max(1, static_cast<int>(std::ceil(std::fabs(turn) / kTurnStep)));
  for (int i = 1; i <= count; ++i) {
    const float at = degrees + turn * static_cast<float>(i) / static_cast<float>(count);
    steps.append(" ").append(screen.Move(OnCircle(centre, radius, at))).append(" sleep 0.04");
  }
  screen.Xdotool(steps + " sleep 0.4 mouseup 1 sleep 0.3");
}

void PacedDrag(GameScreen& screen, Point from, Point to, int steps) {
  std::string line = screen.Move(from) + " sleep 0.4 mousedown 1 sleep 0.4";
  for (int i = 1; i <= steps; ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(steps);
    line.append(" ").append(screen.Move({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t})).append(" sleep 0.04");
  }
  screen.Xdotool(line + " sleep 0.4 mouseup 1 sleep 0.3");
}

bool DarkHand(int r, int g, int b) { return r + g + b < 300 && b < 140 && r < 2 * g; }
bool Red(int r, int g, int b) { return r > 110 && r > 2 * g && r > 2 * b; }

}  // namespace e2e
