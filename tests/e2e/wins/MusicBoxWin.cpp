#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/wins/WinHands.h"

namespace e2e {
namespace {

constexpr int kLamps = 4;
// The big lamps beside the ring's colour lamps, in the order the light passes them (top, right,
// bottom, left), and the answer buttons by colour: blue, red, yellow, green.
constexpr Point kBig[kLamps] = {{512, 694}, {738, 468}, {512, 242}, {286, 468}};
constexpr Point kButton[kLamps] = {{326, 118}, {452, 118}, {578, 118}, {704, 118}};
// The ring's twelve lamps from the top on, clockwise; the first stands lit alone (its big lamp
// dark) while the box waits for the answer.
constexpr Point kRing[12] = {{512, 618}, {587, 598}, {642, 543}, {662, 468}, {642, 393}, {587, 338},
                             {512, 318}, {437, 338}, {382, 393}, {362, 468}, {382, 543}, {437, 598}};
// The dark glass of an unlit lamp's socket.
constexpr Rgb kGlass{42, 34, 32};
// A stretch of the box's left frame, which no play changes: gone, the game has ended. (Away from
// the edges of the screen, where the panel or a line of text may stand.)
constexpr Area kCorner{192.0f, 150.0f, 212.0f, 380.0f};

// A lamp's ring, where its light shows its colour; its centre is white whatever the colour.
Rgb RingOf(const GameScreen& screen, const WindowPixels& pixels, Point at, float radius) {
  Rgb ring;
  for (Point d : {Point{radius, 0}, Point{-radius, 0}, Point{0, radius}, Point{0, -radius}}) {
    const Rgb c = ColourAt(screen, pixels, {at.x + d.x, at.y + d.y}, 2.0f);
    ring.r += c.r / 4;
    ring.g += c.g / 4;
    ring.b += c.b / 4;
  }
  return ring;
}

// The colour a lit lamp shows against its dark glass: 0 blue, 1 red, 2 yellow, 3 green; -1 dark.
int ColourOf(const Rgb& now, const Rgb& dark) {
  const int r = now.r - dark.r, g = now.g - dark.g, b = now.b - dark.b;
  if (r + g + b < 220) return -1;
  if (b > r + 40 && b > g) return 0;
  if (g > r + 40 && g > b + 30) return 3;
  if (r > g + 50 && r > b + 50) return 1;
  if (r > b + 60 && g > b + 60) return 2;
  return -1;
}

}  // namespace

// Each stage the light runs round the ring and lights the big lamps one after another with the
// notes of the tune; frames are read as fast as they come and each lamp's lightings are kept in
// order, so the tune is the lamps' notes taken round the ring. When the first ring lamp stands
// lit with its big lamp dark, the box waits for the answer, and the tune is played back on the
// buttons. A stage lost is played again with a new tune; after the last the box is gone.
bool WinMusicBox(GameScreen& screen) {
  // The lamps are already running: only the box's corner is taken as it stands.
  const WindowPixels start = Settled(screen, "musicbox-box", kCorner);
  const auto lift = [&](const WindowPixels& p, Point at) {
    const Rgb c = ColourAt(screen, p, at, 6.0f);
    return c.r + c.g + c.b - kGlass.r - kGlass.g - kGlass.b;
  };
  std::vector<Area> glanced{kCorner, Around(kRing[0], 8.0f)};
  for (Point big : kBig) glanced.push_back(Around(big, 26.0f));
  const auto big_colour = [&](const WindowPixels& p, int l) { return ColourOf(RingOf(screen, p, kBig[l], 22.0f), kGlass); };
  // Dark is no light at all: a big lamp lit part way shows no colour yet.
  const auto bigs_dark = [&](const WindowPixels& p) {
    return std::all_of(std::begin(kBig), std::end(kBig), [&](Point big) { return lift(p, big) < 100; });
  };
  for (int tune = 0; tune < 8; ++tune) {
    std::array<std::vector<int>, kLamps> lightings;
    std::array<int, kLamps> shown{-1, -1, -1, -1};
    bool answering = false;
    WindowPixels first;  // kept once the tune is known: writing a frame takes longer than a note shows
    auto waiting_since = std::chrono::steady_clock::time_point::max();  // the box seen waiting
    // A slow machine slows the box's clock too: the last result may stand a minute before the
    // tune; each note seen gives the rest of the tune more time.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (std::chrono::steady_clock::now() < deadline) {
      const WindowPixels now = Glance(screen, glanced);
      if (now.width == 0) continue;
      if (!screen.Same(now, start, kCorner)) {
        screen.Keep("musicbox-ended", now);
        return true;
      }
      int notes = 0;
      for (int l = 0; l < kLamps; ++l) {
        const int colour = big_colour(now, l);
        if (colour >= 0 && shown[l] < 0) {
          lightings[l].push_back(colour);
          deadline = std::max(deadline, std::chrono::steady_clock::now() + std::chrono::seconds(60));
          if (first.width == 0) first = now;
        }
        shown[l] = colour;
        notes += static_cast<int>(lightings[l].size());
      }
      // Lit nearly full with every big lamp dark: a demonstration's first lamp lights its big lamp
      // with it, as bright. Standing so with no note seen, the tune went by
      // unseen (the box ran on while the last result was watched): an answer of one note ends the
      // stage, and the next tune is watched whole.
      const auto at = std::chrono::steady_clock::now();
      waiting_since = lift(now, kRing[0]) > 450 && bigs_dark(now) ? std::min(waiting_since, at) : at;
      if (waiting_since < at && (notes > 0 || at - waiting_since > std::chrono::seconds(5))) {
        screen.Keep("musicbox-tune-" + std::to_string(tune + 1), first.width > 0 ? first : now);
        screen.Keep("musicbox-answer-" + std::to_string(tune + 1), now);
        answering = true;
        break;
      }
    }
    if (!answering) {
      screen.Snap("musicbox-no-answer");
      return false;
    }
    // The tune lights the colour lamps in turn from the first, so a lamp lit tells that those
    // before it had their notes too, seen or not (a slow glance misses one: most often the first,
    // played while the box was first looked at). A note unseen is guessed blue.
    int notes = 1;
    for (int l = 0; l < kLamps; ++l) {
      if (!lightings[l].empty()) notes = std::max(notes, kLamps * static_cast<int>(lightings[l].size() - 1) + l + 1);
    }
    for (int i = 0; i < notes; ++i) {
      const std::vector<int>& lamp = lightings[i % kLamps];
      const int colour = static_cast<std::size_t>(i / kLamps) < lamp.size() ? lamp[i / kLamps] : 0;
      screen.Click(kButton[colour]);
    }
    // While the box takes the answer the light stands or runs on the ring; the stage's result
    // stands with every lamp dark until the next tune begins. A wrong guess ends the stage, which
    // is played again; a right one leaves the box waiting, its light standing on a lamp, for the
    // notes after it: it is given another guess until the result shows.
    const auto judged = [&](const WindowPixels& p) {
      if (!screen.Same(p, start, kCorner)) return true;
      if (!bigs_dark(p)) return false;
      for (Point lamp : kRing) {
        if (lift(p, lamp) > 200) return false;
      }
      return true;
    };
    const std::string result = "musicbox-result-" + std::to_string(tune + 1);
    bool over = screen.WaitFor(result, 10000, judged);
    for (int guess = 0; guess < 3 * kLamps && !over; ++guess) {
      screen.Click(kButton[0]);
      over = screen.WaitFor(result + "-after-guess-" + std::to_string(guess + 1), 10000, judged);
    }
    if (!over) return false;
  }
  return false;
}

}  // namespace e2e
