#include <array>
#include <cstdlib>
#include <map>
#include <queue>

#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/PlayerHands.h"
#include "tests/e2e/wins/WinHands.h"

namespace e2e {
namespace {

constexpr int kChips = 7, kButtons = 6;
// Which chip lies where: [0] the centre, [k] the ring point k (1 at the top, on clockwise); solved,
// every chip lies on its own point.
using Board = std::array<int, kChips>;
constexpr Board kSolved{0, 1, 2, 3, 4, 5, 6};

constexpr Point kPlace[kChips] = {{512, 384}, {512, 554}, {659, 469}, {659, 299}, {512, 214}, {365, 299}, {365, 469}};
constexpr Point kButton[kButtons] = {{648, 620}, {784, 384}, {648, 148}, {376, 148}, {240, 384}, {376, 620}};
// The colour each chip's emblem shows, its edges blended with the stone: a sun and a star in two
// golds, then blue, salmon, green, purple and cream.
constexpr Rgb kEmblem[kChips] = {{222, 186, 88},  {212, 160, 65},  {123, 184, 215}, {226, 125, 104},
                                 {152, 218, 119}, {203, 133, 219}, {214, 204, 178}};

// Button b carries the centre chip to ring point b + 1, that one to the next point and that one
// to the centre.
Board Turn(const Board& board, int button) {
  const int a = 0, b = button + 1, c = button == kButtons - 1 ? 1 : button + 2;
  Board next = board;
  next[b] = board[a];
  next[c] = board[b];
  next[a] = board[c];
  return next;
}

// The fewest turns from the board to the solution (the turns reach every even arrangement).
std::vector<int> Solve(const Board& from) {
  std::map<Board, std::pair<Board, int>> came;
  std::queue<Board> open;
  open.push(from);
  came[from] = {from, -1};
  while (!open.empty()) {
    const Board board = open.front();
    open.pop();
    if (board == kSolved) {
      std::vector<int> turns;
      for (Board at = board; at != from; at = came[at].first) turns.insert(turns.begin(), came[at].second);
      return turns;
    }
    for (int button = 0; button < kButtons; ++button) {
      const Board next = Turn(board, button);
      if (came.emplace(next, std::make_pair(board, button)).second) open.push(next);
    }
  }
  return {};
}

// Each chip is known by the mean colour of its emblem: the pixels about the place that are far
// from the grey stone, matched to the nearest emblem colour.
int ChipAt(const GameScreen& screen, const WindowPixels& pixels, Point at) {
  long r = 0, g = 0, b = 0, n = 0;
  for (float dy = -24; dy <= 24; dy += 2) {
    for (float dx = -24; dx <= 24; dx += 2) {
      const Rgb c = ColourAt(screen, pixels, {at.x + dx, at.y + dy}, 0.5f);
      if (std::abs(c.r - 92) + std::abs(c.g - 82) + std::abs(c.b - 73) < 150) continue;
      r += c.r, g += c.g, b += c.b, ++n;
    }
  }
  if (n == 0) return -1;
  int best = 0, best_distance = 1 << 30;
  for (int chip = 0; chip < kChips; ++chip) {
    const int d = std::abs(static_cast<int>(r / n) - kEmblem[chip].r) + std::abs(static_cast<int>(g / n) - kEmblem[chip].g) +
                  std::abs(static_cast<int>(b / n) - kEmblem[chip].b);
    if (d < best_distance) best = chip, best_distance = d;
  }
  return best;
}

bool ReadBoard(const GameScreen& screen, const WindowPixels& pixels, Board* board) {
  std::array<bool, kChips> seen{};
  for (int place = 0; place < kChips; ++place) {
    const int chip = ChipAt(screen, pixels, kPlace[place]);
    if (chip < 0 || seen[chip]) return false;
    seen[chip] = true;
    (*board)[place] = chip;
  }
  return true;
}

constexpr Area kBoard{182.0f, 54.0f, 842.0f, 714.0f};

}  // namespace

// The board is read from the still frame, solved by the fewest turns and played a turn at a
// time; after each turn it is read again, so a lost click or a misread is only a detour. The turn
// that solves it may close the game before a still frame shows the solved board: the game gone
// from the front after that turn is the win.
bool WinRoundPuzzle(GameScreen& screen) {
  bool solving_turn = false;
  for (int step = 0; step < 60; ++step) {
    if (solving_turn && FrontScreen(screen.Log()) != "minigame/round_puzzle") return true;
    const WindowPixels still = Settled(screen, "round_puzzle-still", kBoard);
    Board board{};
    if (!ReadBoard(screen, still, &board)) continue;  // a chip still on its way, read again
    if (board == kSolved) return true;
    const std::vector<int> turns = Solve(board);
    if (turns.empty()) return false;
    solving_turn = turns.size() == 1;
    ClickUntilChanged(screen, "round_puzzle-turn-" + std::to_string(turns.front()), kButton[turns.front()], kBoard, 3, 8000);
  }
  return false;
}

}  // namespace e2e
