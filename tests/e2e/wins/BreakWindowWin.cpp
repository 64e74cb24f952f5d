// The back window is broken with three stones thrown at full power: the arrow aimed up at the
// angle whose arc, from the stone's start, passes through the middle of the window, and the button
// held until the gauge is full. A throw counts when the window's look changes; a lost one (the
// press came while the last burst still showed) is thrown again.

#include <cmath>

#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/wins/WinHands.h"

namespace e2e {
namespace {

constexpr Point kStart{150, 220};
constexpr float kAim = 37.34f;  // degrees above level: at full power the arc meets the window's middle
constexpr Area kWindow{730, 460, 890, 565};
constexpr int kHits = 3;  // the looks after the whole one

}  // namespace

bool WinBreakWindow(GameScreen& screen) {
  const float a = kAim * 3.14159265f / 180.0f;
  const Point aim{kStart.x + 300.0f * std::cos(a), kStart.y + 300.0f * std::sin(a)};
  int hits = 0;
  for (int throws = 0; throws < 10 && hits < kHits; ++throws) {
    const WindowPixels before = Settled(screen, "break_window-aim", kWindow, 10000);
    // Full power: the gauge fills in a second and a half, and is held full.
    screen.Xdotool(screen.Move(aim) + " sleep 0.5 mousedown 1 sleep 3 mouseup 1");
    const bool hit = screen.WaitFor("break_window-throw-" + std::to_string(throws + 1), 8000, [&](const WindowPixels& pixels) {
      return !screen.Same(pixels, before, kWindow);
    });
    if (!hit) continue;
    ++hits;
    // The burst over the window goes before the next throw is aimed.
    WindowPixels last = ReadWindowPixels(screen.window);
    int still = 0;
    screen.WaitFor("break_window-hit-" + std::to_string(hits), 8000, [&](const WindowPixels& pixels) {
      still = screen.Same(pixels, last, kWindow) ? still + 1 : 0;
      last = pixels;
      return still >= 4;
    });
  }
  return hits == kHits;
}

}  // namespace e2e
