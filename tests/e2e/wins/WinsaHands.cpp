#include "tests/e2e/wins/WinsaHands.h"

#include <cmath>

namespace e2e {
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

WindowPixels SettledFrame(GameScreen& screen, const std::string& name, Area area) {
  WindowPixels last = ReadWindowPixels(screen.window);
  screen.WaitFor(name, 10000, [&](const WindowPixels& pixels) {
    const bool settled = screen.Same(pixels, last, area);
    last = pixels;
    return settled;
  });
  return last;
}

bool DarkHand(int r, int g, int b) { return r + g + b < 300 && b < 140 && r < 2 * g; }
bool Red(int r, int g, int b) { return r > 110 && r > 2 * g && r > 2 * b; }

}  // namespace e2e
