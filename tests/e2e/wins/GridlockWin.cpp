// The gridlock is opened for the red block: the blocks in its row are drawn aside, each as far as
// it goes, and the red block is drawn out through the gap. Every block's track and first place
// come with the game's form, so the moves are known; each is checked on the board before the next.

#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/wins/WinHands.h"

namespace e2e {
namespace {

constexpr float kCell = 72.0f, kLeft = 296.0f, kTop = 616.0f;  // the board's cells, from its upper left

constexpr Point Cell(int row, int column) { return {kLeft + kCell * (column + 0.5f), kTop - kCell * (row + 0.5f)}; }
constexpr Area CellArea(int row, int column) {
  const Point c = Cell(row, column);
  return {c.x - 20, c.y - 20, c.x + 20, c.y + 20};
}

struct Move {
  const char* name;
  Point press;    // on the block where it stands
  Point pull_to;  // far past where it stops, so that a fast frame still carries it all the way
  int row, column;  // a cell that shows otherwise only once the block has gone all the way
};

// Rows and columns from the top left: the red block lies in row 2 at the left, the upright block
// in column 2 and the one in column 4 bar its way; the lower row's block and the top row's block
// make room for them.
constexpr Move kMoves[] = {
    {"gridlock-bottom-left", Cell(5, 2), {2, Cell(5, 2).y}, 5, 0},
    {"gridlock-column-down", Cell(0, 2), {Cell(0, 2).x, 2}, 5, 2},
    {"gridlock-top-left", Cell(0, 4), {2, Cell(0, 4).y}, 0, 0},
    {"gridlock-column-up", Cell(2, 4), {Cell(2, 4).x, 765}, 2, 4},
    {"gridlock-red-out", Cell(2, 1), {1021, Cell(2, 1).y}, 2, 5},
};

}  // namespace

bool WinGridlock(GameScreen& screen) {
  const WindowPixels start = Settled(screen, "gridlock-board", {kLeft, kTop - 6 * kCell, kLeft + 6 * kCell, kTop}, 10000);
  for (const Move& move : kMoves) {
    const WindowPixels before = ReadWindowPixels(screen.window);
    bool moved = false;
    for (int attempt = 0; attempt < 3 && !moved; ++attempt) {
      PacedDrag(screen, move.press, move.pull_to, 30);
      moved = screen.WaitFor(move.name, 8000, [&](const WindowPixels& pixels) {
        return !screen.Same(pixels, before, CellArea(move.row, move.column));
      });
    }
    if (!moved) return false;
  }
  // The red block is out when its row shows no red; soon after, the game ends: the board goes, or
  // (alone in the driver) comes back as it was at the start, its bottom left cell empty again.
  const Area red_row{kLeft + 4, Cell(2, 0).y - 20, kLeft + 6 * kCell - 4, Cell(2, 0).y + 20};
  return screen.WaitFor("gridlock-open", kTimeout, [&](const WindowPixels& pixels) {
    const bool board = screen.Same(pixels, start, CellArea(4, 3));
    return !board || screen.Count(pixels, red_row, Red) < 40 || screen.Same(pixels, start, CellArea(5, 0));
  });
}

}  // namespace e2e
