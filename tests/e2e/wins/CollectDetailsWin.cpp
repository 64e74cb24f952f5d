// The picture of collect details is put together ring by ring about its centre piece, so each
// piece has a neighbour in place when it lands. The loose pieces lie where the game's form heaps
// them; each is carried to its place in one move (a lost move leaves it on its heap, to be tried
// again), and a ring is done when its pieces have left their heaps and show on the board.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/wins/WinHands.h"
#include "tools/content/minigames/CollectDetailsLayout.h"

namespace e2e {
namespace {

using namespace collect_details;

// The middles of the loose pieces, by their place in the picture.
std::array<Point, kPieces> HeapCentres() {
  std::array<Point, kPieces> centres{};
  int n = 0;
  for (int k : Shuffled()) {
    if (k == kCentre) continue;
    float x = 0, y = 0;
    HeapSpot(n++, x, y);
    centres[k] = {x + kPiece / 2, y + kPiece / 2};
  }
  return centres;
}

Point PlaceCentre(int k) {
  return {kBoardLeft + kPiece * static_cast<float>(k % kSide) + kPiece / 2,
          kBoardTop - kPiece * static_cast<float>(k / kSide) - kPiece / 2};
}

Area Inside(Point c) { return {c.x - 24, c.y - 24, c.x + 24, c.y + 24}; }

// Carries the piece from its heap to its place in one move, each press and release standing
// still long enough that a slow frame sees it apart from the move.
void Carry(GameScreen& screen, Point from, Point to) {
  screen.Xdotool(screen.Move(from) + " sleep 0.25 mousedown 1 sleep 0.25 " + screen.Move(to) + " sleep 0.25 mouseup 1 sleep 0.1");
}

}  // namespace

bool WinCollectDetails(GameScreen& screen) {
  const std::array<Point, kPieces> heap = HeapCentres();
  const WindowPixels start = Settled(screen, "collect_details-heaps", {12, 130, 1016, 640}, 10000);
  for (int ring = 1; ring <= kSide / 2; ++ring) {
    std::vector<int> loose;
    for (int k = 0; k < kPieces; ++k) {
      if (std::max(std::abs(k / kSide - kCentre / kSide), std::abs(k % kSide - kCentre % kSide)) == ring) loose.push_back(k);
    }
    for (int attempt = 0; attempt < 4 && !loose.empty(); ++attempt) {
      for (int k : loose) Carry(screen, heap[k], PlaceCentre(k));
      bool ended = false;
      screen.WaitFor("collect_details-ring-" + std::to_string(ring), 8000, [&](const WindowPixels& pixels) {
        // The last piece ends the game: it closes, or starts afresh with the first ring's places empty.
        ended = ring == kSide / 2 && screen.Same(pixels, start, Inside(PlaceCentre(kCentre + 1)));
        if (ended) return true;
        // In place: gone from its heap and shown over the empty board.
        std::erase_if(loose, [&](int k) {
          return !screen.Same(pixels, start, Inside(heap[k])) && !screen.Same(pixels, start, Inside(PlaceCentre(k)));
        });
        return loose.empty();
      });
      if (ended) return true;
    }
    if (!loose.empty()) return false;
  }
  return true;
}

}  // namespace e2e
