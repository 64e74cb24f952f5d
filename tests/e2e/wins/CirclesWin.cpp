// The circles' rings are turned home one by one. The carving's red arrow points straight up when
// every ring is home, and each ring carries a piece of it: the angle of that piece, read around a
// circle within the ring, says how far the ring must turn (it turns half again as far as the
// pointer). A ring is turned until its piece points up; the last one home completes the carving.

#include <cmath>
#include <optional>

#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/wins/WinHands.h"

namespace e2e {
namespace {

constexpr Point kCentre{512, 400};
constexpr float kGearing = 1.5f;
constexpr float kReach = 250.0f;  // where the pointer turns, wide for fine steps
// A ring is home a little either side of straight up, a little more clockwise than anticlockwise.
constexpr float kHome = 0.36f, kTolerance = 0.8f;

struct Ring {
  float arrow;  // a radius crossing the ring's piece of the arrow
  float press;  // a radius on the ring, where it is taken
};
constexpr Ring kRings[] = {{65.5f, 60.0f}, {105.0f, 105.0f}, {175.0f, 175.0f}, {240.0f, 246.0f}};

// The middle of the red seen around the circle of `radius`, in degrees clockwise from up.
std::optional<float> ArrowAngle(GameScreen& screen, const WindowPixels& pixels, float radius) {
  double x = 0.0, y = 0.0;
  int count = 0;
  for (float a = 0.0f; a < 360.0f; a += 0.25f) {
    const Point p = OnCircle(kCentre, radius, a);
    const uint32_t c = pixels.At(screen.X(p.x), screen.Y(p.y));
    if (!Red((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF)) continue;
    x += std::sin(a * 3.14159265 / 180.0);
    y += std::cos(a * 3.14159265 / 180.0);
    ++count;
  }
  if (count < 3) return std::nullopt;
  return static_cast<float>(std::atan2(x, y) * 180.0 / 3.14159265);
}

float Off(float angle) { return std::remainder(angle - kHome, 360.0f); }

}  // namespace

bool WinCircles(GameScreen& screen) {
  for (const Ring& ring : kRings) {
    const std::string name = "circles-ring-" + std::to_string(&ring - kRings + 1);
    bool home = false;
    for (int attempt = 0; attempt < 8 && !home; ++attempt) {
      const std::optional<float> angle = ArrowAngle(screen, ReadWindowPixels(screen.window), ring.arrow);
      if (!angle) return false;
      home = std::fabs(Off(*angle)) <= kTolerance;
      if (home) break;
      // Taken straight above the centre and turned back to up: the game reads a pointer pixel at
      // its lower corner, which shifts a point beside the centre by a degree about it (and the
      // ring by half as much again each turn) but one above it only along its own ray.
      TurnAbout(screen, kCentre, ring.press, 0.0f, -Off(*angle) / kGearing, kReach);
      // Until it is home, or has come to rest short of it and is turned again.
      std::optional<float> last;
      int still = 0;
      bool ended = false;
      screen.WaitFor(name, 8000, [&](const WindowPixels& pixels) {
        const std::optional<float> now = ArrowAngle(screen, pixels, ring.arrow);
        home = now && std::fabs(Off(*now)) <= kTolerance;
        // The last ring home ends the game: it closes, or starts afresh with the first ring turned.
        const std::optional<float> first = ArrowAngle(screen, pixels, kRings[0].arrow);
        ended = &ring == std::end(kRings) - 1 && !home && (!first || std::fabs(Off(*first)) > kTolerance);
        if (ended) return true;
        still = now && last && std::fabs(*now - *last) < 0.1f ? still + 1 : 0;
        last = now;
        return home || still >= 3;
      });
      if (ended) return true;
    }
    if (!home) return false;
  }
  return true;
}

}  // namespace e2e
