#include "tests/e2e/wins/WinsbHands.h"

namespace e2e {

WindowPixels Look(GameScreen& screen) {
  WindowPixels pixels = ReadWindowPixels(screen.window);
  if (pixels.width > 0) {
    screen.width = pixels.width;
    screen.height = pixels.height;
  }
  return pixels;
}

WindowPixels Settled(GameScreen& screen, const std::string& name, Area a) {
  WindowPixels before = Look(screen), now;
  screen.WaitFor(name, kTimeout, [&](const WindowPixels& pixels) {
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

}  // namespace e2e
