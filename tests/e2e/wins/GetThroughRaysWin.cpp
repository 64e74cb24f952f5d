#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/wins/WinHands.h"

namespace e2e {
namespace {

// The tiles (row by row from the top left, 5 a row) the arrows lead over from the start tile
// (22) to the goal (2).
constexpr int kPath[] = {17, 15, 20, 23, 13, 14, 24, 19, 9, 4, 3, 18, 16, 21, 11, 10, 0, 1, 6, 5, 8, 7, 12, 2};

Point TileCentre(int tile) { return {324.0f + 96.0f * (tile % 5), 576.0f - 96.0f * (tile / 5)}; }

}  // namespace

// A second click on an uncovered tile would be a wrong step that ends the game: each tile is
// clicked again only when a long wait saw it stay covered.
bool WinGetThroughRays(GameScreen& screen) {
  Settled(screen, "get_through_rays-board", {248.0f, 116.0f, 784.0f, 652.0f});
  for (int tile : kPath) {
    const Point at = TileCentre(tile);
    if (!ClickUntilChanged(screen, "get_through_rays-tile-" + std::to_string(tile), at, Around(at, 30.0f), 2, 15000)) {
      return false;
    }
  }
  return true;
}

}  // namespace e2e
