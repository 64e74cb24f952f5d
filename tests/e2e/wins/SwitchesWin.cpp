#include <chrono>

#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/wins/WinHands.h"

namespace e2e {
namespace {

constexpr int kSwitches = 6;
Point Lever(int i) { return {248.0f + 104.0f * i, 332.0f}; }
Point Lamp(int i) { return {248.0f + 104.0f * i, 492.0f}; }
bool Red(const Rgb& c) { return c.r > 170 && c.r > c.g + 50; }

}  // namespace

// The red lamp jumps on at intervals down to two thirds of a second: each frame read is answered
// at once with a quick click on the marked lever, until every lever shows itself pulled.
bool WinSwitches(GameScreen& screen) {
  const WindowPixels on = Settled(screen, "switches-board", {152.0f, 184.0f, 872.0f, 440.0f});
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (std::chrono::steady_clock::now() < deadline) {
    const WindowPixels now = Look(screen);
    if (now.width == 0) continue;
    int pulled = 0, marked = -1;
    for (int i = 0; i < kSwitches; ++i) {
      const bool off = !screen.Same(now, on, Around(Lever(i), 30.0f));
      pulled += off ? 1 : 0;
      if (!off && Red(ColourAt(screen, now, Lamp(i), 10.0f))) marked = i;
    }
    if (pulled == kSwitches) {
      screen.Keep("switches-all-off", now);
      return true;
    }
    if (marked >= 0) QuickClick(screen, Lever(marked));
  }
  screen.Snap("switches-left-on");
  return false;
}

}  // namespace e2e
