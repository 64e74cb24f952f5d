#include <algorithm>
#include <chrono>
#include <iterator>

#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/wins/WinHands.h"

namespace e2e {
namespace {

constexpr int kBalls = 12;
// Balls 0 to 5 lie on the red field, 6 to 11 on the blue one, two a row from the top.
Point Ball(int i) { return {(i < 6 ? 252.0f : 612.0f) + 160.0f * (i % 2), 390.0f - 120.0f * ((i % 6) / 2)}; }

enum class Glow { kDark, kPlain, kRed, kBlue };

// The colour at the ball's centre and on the ring about it, where a glow shows its kind.
struct Look4 {
  Rgb centre, ring;
};
Look4 LookAt(const GameScreen& screen, const WindowPixels& pixels, Point at) {
  Look4 seen{ColourAt(screen, pixels, at, 5.0f), {}};
  for (Point d : {Point{18, 0}, Point{-18, 0}, Point{0, 18}, Point{0, -18}}) {
    const Rgb c = ColourAt(screen, pixels, {at.x + d.x, at.y + d.y}, 2.0f);
    seen.ring.r += c.r / 4;
    seen.ring.g += c.g / 4;
    seen.ring.b += c.b / 4;
  }
  return seen;
}
// A glow is judged by what it adds to its dark ball, once it has risen far enough (its white
// centre well above the ball) for its ring to show the kind.
Glow GlowOf(const Look4& now, const Look4& dark) {
  const int lift = now.centre.r + now.centre.g + now.centre.b - dark.centre.r - dark.centre.g - dark.centre.b;
  if (lift < 200) return Glow::kDark;
  const int r = now.ring.r - dark.ring.r, g = now.ring.g - dark.ring.g, b = now.ring.b - dark.ring.b;
  if (r > 2 * g && r > 2 * b) return Glow::kRed;
  if (b > r + r / 2) return Glow::kBlue;
  return Glow::kPlain;
}
// The clock's four seven-segment digits (minutes, seconds): the left edge of each, and where its
// segments a to g lie from it (a top, b and c right, d bottom, e and f left, g middle).
constexpr float kDigitLeft[4] = {407.0f, 461.0f, 530.0f, 583.0f};
constexpr Point kSegment[7] = {{16.5f, 632.5f}, {30.5f, 621.0f}, {30.5f, 596.0f}, {16.5f, 584.5f},
                               {2.5f, 596.0f},   {2.5f, 621.0f},  {16.5f, 608.5f}};
// The segments lit for 0 to 9, bit 0 for a.
constexpr int kDigitSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
// The seconds the clock shows; -1 when a digit reads as none (the clock hidden or between two
// readings).
int SecondsLeft(const GameScreen& screen, const WindowPixels& pixels) {
  int digits[4];
  for (int d = 0; d < 4; ++d) {
    int lit = 0;
    for (int s = 0; s < 7; ++s) {
      const Rgb c = ColourAt(screen, pixels, {kDigitLeft[d] + kSegment[s].x, kSegment[s].y}, 1.5f);
      if (c.r > 200 && c.g > 100) lit |= 1 << s;
    }
    const int* found = std::find(std::begin(kDigitSegments), std::end(kDigitSegments), lit);
    if (found == std::end(kDigitSegments)) return -1;
    digits[d] = static_cast<int>(found - std::begin(kDigitSegments));
  }
  return (digits[0] * 10 + digits[1]) * 60 + digits[2] * 10 + digits[3];
}
// Below this the game may end before a click reaches it, and the click would fall on the scene
// beneath: the boat there sails on with the pearl and ends the stage.
constexpr int kLastClickSeconds = 4;
// A stretch of the board's left side, which no play changes: gone, the game has ended. (Away from
// the edges of the screen, where the panel or a line of text may stand.)
constexpr Area kCorner{128.0f, 250.0f, 155.0f, 450.0f};

}  // namespace

// Balls light one a second and the clock, starting at 20 s, gains 2 s for each that burns out:
// every lit ball is put out at once, but a red or blue one lit on the other colour's field would
// cost more clicked than burnt out and is left.
bool WinSignalling(GameScreen& screen) {
  const WindowPixels start = Settled(screen, "signalling-board", {122.0f, 110.0f, 902.0f, 670.0f});
  Look4 dark[kBalls];
  for (int i = 0; i < kBalls; ++i) dark[i] = LookAt(screen, start, Ball(i));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(150);
  // While the game runs a ball lights every second of its time: none for long, it has ended.
  auto last_lit = std::chrono::steady_clock::now();
  bool kept = false, kept_special = false;
  while (std::chrono::steady_clock::now() < deadline) {
    const WindowPixels now = Look(screen);
    if (now.width == 0) continue;
    if (!screen.Same(now, start, kCorner) || std::chrono::steady_clock::now() - last_lit > std::chrono::seconds(8)) {
      screen.Keep("signalling-ended", now);
      return true;
    }
    const int left = SecondsLeft(screen, now);
    const bool may_click = left < 0 || left >= kLastClickSeconds;
    std::string clicks;
    for (int i = 0; i < kBalls; ++i) {
      const Look4 c = LookAt(screen, now, Ball(i));
      const Glow glow = GlowOf(c, dark[i]);
      if ((glow == Glow::kRed || glow == Glow::kBlue) && !kept_special) {
        screen.Keep("signalling-special", now);
        kept_special = true;
      }
      if (glow != Glow::kDark) last_lit = std::chrono::steady_clock::now();
      if (!may_click || glow == Glow::kDark || (glow == Glow::kRed && i >= 6) || (glow == Glow::kBlue && i < 6))
        continue;
      if (!kept) {
        screen.Keep("signalling-lit", now);
        kept = true;
      }
      clicks += screen.Move(Ball(i)) + " sleep 0.1 mousedown 1 sleep 0.12 mouseup 1 sleep 0.05 ";
    }
    if (!clicks.empty()) screen.Xdotool(clicks);
  }
  screen.Snap("signalling-still-running");
  return false;
}

}  // namespace e2e
