// The clock is set to seven: the minute hand is turned aside off the hour hand, the hour hand is
// turned to seven, and the minute hand is turned back through twelve, where it stops.

#include <cmath>
#include <optional>

#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/wins/WinHands.h"

namespace e2e {
namespace {

constexpr Point kPivot{512, 400};
constexpr float kMinuteReach = 180.0f;  // past the hour hand's tip
constexpr float kHourReach = 100.0f;
constexpr float kGearing = 1.5f;       // a hand turns this much farther than the pointer
constexpr float kSeven = 208.4f;       // degrees of the hour hand at seven
constexpr float kTolerance = 2.5f;

// The angle of the hand seen crossing the circle of `radius`, the one nearest `expected`.
std::optional<float> HandAngle(GameScreen& screen, const WindowPixels& pixels, float radius, float expected) {
  std::optional<float> best;
  float run_start = -1.0f;
  for (float a = 0.0f; a <= 360.5f; a += 0.5f) {
    const Point p = OnCircle(kPivot, radius, a);
    const uint32_t c = pixels.At(screen.X(p.x), screen.Y(p.y));
    const bool dark = a < 360.0f && DarkHand((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
    if (dark && run_start < 0.0f) run_start = a;
    if (!dark && run_start >= 0.0f) {
      const float middle = (run_start + a - 0.5f) / 2.0f;
      const auto off = [expected](float angle) { return std::fabs(std::remainder(angle - expected, 360.0f)); };
      if (!best || off(middle) < off(*best)) best = middle;
      run_start = -1.0f;
    }
  }
  return best;
}

// Turns the hand crossing `radius` until it stands within the tolerance of `target`.
bool TurnHandTo(GameScreen& screen, const std::string& name, float radius, float from, float target) {
  float at = from;
  for (int attempt = 0; attempt < 5; ++attempt) {
    const float turn = std::remainder(target - at, 360.0f);
    if (std::fabs(turn) <= kTolerance && attempt > 0) return true;
    TurnAbout(screen, kPivot, radius, at, turn / kGearing);
    std::optional<float> seen;
    screen.WaitFor(name, 10000, [&](const WindowPixels& pixels) {
      seen = HandAngle(screen, pixels, radius, target);
      return seen && std::fabs(std::remainder(*seen - target, 360.0f)) <= kTolerance;
    });
    if (!seen) return false;
    at = *seen;
  }
  return std::fabs(std::remainder(target - at, 360.0f)) <= kTolerance;
}

}  // namespace

bool WinClock(GameScreen& screen) {
  // Both hands start at twelve, the minute hand over the hour hand.
  if (!TurnHandTo(screen, "clock-minute-aside", kMinuteReach, 0.0f, 90.0f)) return false;
  if (!TurnHandTo(screen, "clock-hour-at-seven", kHourReach, 0.0f, kSeven)) return false;
  // Back past twelve: the hand stops at twelve as the clock shows seven.
  TurnAbout(screen, kPivot, kMinuteReach, 90.0f, -100.0f / kGearing);
  return screen.WaitFor("clock-seven", kTimeout, [&](const WindowPixels& pixels) {
    const std::optional<float> minute = HandAngle(screen, pixels, kMinuteReach, 0.0f);
    return minute && std::fabs(std::remainder(*minute, 360.0f)) <= kTolerance;
  });
}

}  // namespace e2e
