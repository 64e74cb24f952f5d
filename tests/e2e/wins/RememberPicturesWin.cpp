#include <algorithm>
#include <bitset>
#include <cstdlib>
#include <optional>
#include <vector>

#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/wins/WinHands.h"

namespace e2e {
namespace {

constexpr int kIcons = 10, kShown = 3, kGrid = 24;
using Emblem = std::bitset<kGrid * kGrid>;

// An emblem's cell of 128 texels, drawn in a square of `side` GUI units whose top left is `corner`.
struct Cell {
  Point corner;
  float side;
};
Cell Icon(int i) { return {{202.0f + 130.0f * (i % 5), (i < 5 ? 350.0f : 220.0f)}, 100.0f}; }
Cell Picture(int k) { return {{292.0f + 155.0f * k, 660.0f}, 130.0f}; }
Area AreaOf(const Cell& c) { return {c.corner.x + 8, c.corner.y - c.side + 8, c.corner.x + c.side - 8, c.corner.y - 8}; }
constexpr Area kNiche{300.0f, 540.0f, 740.0f, 650.0f};

// The picture corners, among the six at `v` texels down the cells, that show the pictures' light
// ground.
int LightCorners(const GameScreen& screen, const WindowPixels& pixels, float v) {
  int light = 0;
  for (int k = 0; k < kShown; ++k) {
    const Cell c = Picture(k);
    for (float u : {16.0f, 112.0f}) {
      const Rgb ground = ColourAt(screen, pixels, {c.corner.x + u * c.side / 128.0f, c.corner.y - v * c.side / 128.0f}, 2.0f);
      if (ground.r + ground.g + ground.b >= 540) ++light;
    }
  }
  return light;
}

// The cover slides up off the pictures, their tops last: every picture shows its light ground at
// its top corners only once the cover is all the way open (a slow frame read twice mid-way shows
// the same cover twice, and half a picture matches the wrong icon).
bool Uncovered(const GameScreen& screen, const WindowPixels& pixels) { return LightCorners(screen, pixels, 16.0f) == 2 * kShown; }

// The cover stands shut over all three pictures: not even their bottom corners, which it leaves
// first as it opens and covers last as it shuts, show their light ground. A board read while the
// cover moves is no reference for a shut one.
bool Covered(const GameScreen& screen, const WindowPixels& pixels) { return LightCorners(screen, pixels, 112.0f) == 0; }

// The emblem's shape, wherever it is drawn and in whatever colours: the points of a grid over the
// middle of the cell darker than the ground, which the grid's corners show.
Emblem ShapeOf(const GameScreen& screen, const WindowPixels& pixels, const Cell& cell) {
  Rgb seen[kGrid * kGrid];
  for (int v = 0; v < kGrid; ++v) {
    for (int u = 0; u < kGrid; ++u) {
      const float tu = 26.0f + 76.0f * (u + 0.5f) / kGrid, tv = 26.0f + 76.0f * (v + 0.5f) / kGrid;
      seen[v * kGrid + u] =
          ColourAt(screen, pixels, {cell.corner.x + tu * cell.side / 128.0f, cell.corner.y - tv * cell.side / 128.0f}, 0.5f);
    }
  }
  Rgb ground;
  for (int i : {0, kGrid - 1, kGrid * (kGrid - 1), kGrid * kGrid - 1}) {
    ground.r += seen[i].r / 4;
    ground.g += seen[i].g / 4;
    ground.b += seen[i].b / 4;
  }
  // The emblems are drawn darker than their ground, on the pictures and on the unlit icons alike
  // (a lamp's light aside); a dim icon's only a little: the split is where the cell's own contrast
  // puts it.
  const int ground_lum = ground.r + ground.g + ground.b;
  int dark[kGrid * kGrid], most = 1;
  for (int i = 0; i < kGrid * kGrid; ++i) {
    dark[i] = ground_lum - (seen[i].r + seen[i].g + seen[i].b);
    most = std::max(most, dark[i]);
  }
  Emblem shape;
  for (int i = 0; i < kGrid * kGrid; ++i) shape[i] = dark[i] * 3 > most;
  return shape;
}

}  // namespace

// Each turn the cover opens on three pictures for three seconds: their emblems are matched by
// shape to the icons, and once the cover has shut again the icons are clicked. When every icon is
// lit the game is won.
bool WinRememberPictures(GameScreen& screen) {
  constexpr Area kBoard{112.0f, 44.0f, 912.0f, 724.0f};
  WindowPixels shut = Settled(screen, "remember_pictures-board", kBoard);
  // On a slow start the cover may already be opening, or stand open for its three seconds, when
  // the board first settles (a frame read twice looks settled mid-way): the first turn's pictures
  // are taken once it stands open, and the board once it has shut again.
  std::optional<WindowPixels> first_open;
  if (!Covered(screen, shut)) {
    WindowPixels before = shut;
    if (!screen.WaitFor("remember_pictures-first-open", 40000, [&](const WindowPixels& p) {
          const bool open = Uncovered(screen, p) && screen.Same(p, before, kNiche);
          before = p;
          return open;
        })) {
      return false;
    }
    first_open = before;
    if (!screen.WaitFor("remember_pictures-first-shut", 40000, [&](const WindowPixels& p) { return Covered(screen, p); })) {
      return false;
    }
    shut = Settled(screen, "remember_pictures-board-shut", kBoard);
    if (!Covered(screen, shut)) return false;
  }
  Emblem icons[kIcons];
  for (int i = 0; i < kIcons; ++i) icons[i] = ShapeOf(screen, shut, Icon(i));
  const auto all_lit = [&](const WindowPixels& p) {
    for (int i = 0; i < kIcons; ++i) {
      if (screen.Same(p, shut, AreaOf(Icon(i)))) return false;
    }
    return true;
  };
  for (int turn = 0; turn < 12; ++turn) {
    const std::string name = "remember_pictures-turn-" + std::to_string(turn + 1);
    // The pictures, once the cover stands all the way open in two frames in a row.
    WindowPixels before = Look(screen), open;
    bool won = false;
    if (turn == 0 && first_open) {
      open = *first_open;
    } else if (!screen.WaitFor(name + "-open", 40000, [&](const WindowPixels& p) {
          won = turn >= kIcons / kShown && all_lit(p);  // no sooner: a late board is not a won one
          const bool shown = !screen.Same(p, shut, kNiche) && screen.Same(p, before, kNiche) && Uncovered(screen, p);
          before = p;
          open = p;
          return won || shown;
        })) {
      return false;
    }
    if (won) return true;
    // The pictures are drawn from the icons still unlit, each once.
    std::vector<int> chosen;
    for (int k = 0; k < kShown; ++k) {
      const Emblem shown = ShapeOf(screen, open, Picture(k));
      int best = -1;
      for (int i = 0; i < kIcons; ++i) {
        if (!screen.Same(open, shut, AreaOf(Icon(i))) || std::find(chosen.begin(), chosen.end(), i) != chosen.end()) continue;
        if (best < 0 || (icons[i] ^ shown).count() < (icons[best] ^ shown).count()) best = i;
      }
      if (best < 0) return false;
      chosen.push_back(best);
    }
    if (!screen.WaitForSame(name + "-shut", shut, kNiche, 40000)) return false;
    for (int icon : chosen) {
      const Cell cell = Icon(icon);
      // A click on an icon already taken is let by, so a late frame costs only a second click. A
      // click taken for a wrong one begins a new turn at once: the cover opens, and its pictures
      // are looked at next.
      bool taken = false, new_turn = false;
      for (int tries = 0; tries < 3 && !taken && !new_turn; ++tries) {
        screen.Click({cell.corner.x + 50.0f, cell.corner.y - 50.0f});
        screen.WaitFor(name + "-icon-" + std::to_string(icon), 5000, [&](const WindowPixels& p) {
          taken = !screen.Same(p, shut, AreaOf(cell));
          new_turn = !screen.Same(p, shut, kNiche);
          return taken || new_turn;
        });
      }
      if (new_turn) break;
    }
  }
  return false;
}

}  // namespace e2e
