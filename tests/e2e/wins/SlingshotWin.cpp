// The four tin targets are shot down one by one. The rubber is pulled with the button held, the
// pointer's move while pulling turns the slingshot (a fifth of a degree a pixel, down aims up) and
// the release shoots; the aim stays between shots, so each shot moves it by the difference to the
// next target's. A target counts once its look has changed and stays changed.

#include <cmath>
#include <string>

#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/wins/WinHands.h"

namespace e2e {
namespace {

constexpr float kPixelsPerRadian = 200.0f;
constexpr float kDegree = 3.14159265f / 180.0f;
// Where the pointer pulls from: clear of every target, with room to move either way.
constexpr Point kPull{512, 600};

struct Target {
  Area look;   // inside its tin, clear of its trembling rim
  float turn;  // degrees the slingshot turns to it, leftward positive
  float tilt;  // degrees it tilts up to it
};
constexpr Target kTargets[] = {
    {{495, 450, 535, 490}, 0.0f, 25.6f},     // the middle one, straight up the yard first
    {{360, 410, 400, 450}, 15.7f, 21.6f},    // the left one
    {{630, 410, 670, 450}, -15.7f, 21.6f},   // the right one
    {{580, 310, 620, 350}, -9.8f, 8.8f},     // the low one on the right
};

}  // namespace

bool WinSlingshot(GameScreen& screen) {
  float turn = 0.0f, tilt = 0.0f;
  const WindowPixels first = Settled(screen, "slingshot-wall", kTargets[0].look, 10000);
  for (const Target& target : kTargets) {
    const std::string name = "slingshot-target-" + std::to_string(&target - kTargets + 1);
    bool hit = false;
    for (int shot = 0; shot < 3 && !hit; ++shot) {
      const WindowPixels before = Settled(screen, "slingshot-aim", target.look, 10000);
      const float dx = (target.turn - turn) * kDegree * kPixelsPerRadian;
      const float dy = (target.tilt - tilt) * kDegree * kPixelsPerRadian;
      const Point to{kPull.x + dx, kPull.y - dy};  // the GUI's y is upward, the pull's downward
      screen.Xdotool(screen.Move(kPull) + " sleep 0.4 mousedown 1 sleep 0.5 " + screen.Move({kPull.x + dx / 2, kPull.y - dy / 2}) +
                     " sleep 0.1 " + screen.Move(to) + " sleep 0.5 mouseup 1 sleep 0.2");
      turn = target.turn;
      tilt = target.tilt;
      int changed = 0;
      hit = screen.WaitFor(name, 5000, [&](const WindowPixels& pixels) {
        changed = screen.Same(pixels, before, target.look) ? 0 : changed + 1;
        // The last hit ends the game at once: it closes, or starts afresh with the first target whole.
        const bool ended = &target != kTargets && screen.Same(pixels, first, kTargets[0].look);
        return changed >= 3 || ended;
      });
    }
    if (!hit) return false;
  }
  return true;
}

}  // namespace e2e
