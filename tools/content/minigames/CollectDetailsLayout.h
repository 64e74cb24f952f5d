#pragma once
// Where the collect-details form lays its pieces: the 7 x 7 board in the middle and the loose
// pieces in two heaps beside it, in a fixed shuffle. The content tool writes the form from it, and
// the end-to-end steps that put the picture together find the pieces by it.

#include <algorithm>
#include <array>
#include <cstdint>

namespace collect_details {

constexpr int kSide = 7;
constexpr int kPieces = kSide * kSide;
constexpr int kCentre = kPieces / 2;  // the piece that starts in its place
constexpr float kPiece = 64.0f;
constexpr float kBoardLeft = 288.0f, kBoardTop = 598.0f;

// Where the n-th loose piece lies (its bottom-left corner): four columns a side, six rows, a few
// units off the grid.
inline void HeapSpot(int n, float& x, float& y) {
  const int side = n / 24, i = n % 24, column = i % 4, row = i / 4;
  const float jitter_x = static_cast<float>((n * 7) % 5) - 2.0f, jitter_y = static_cast<float>((n * 11) % 5) - 2.0f;
  x = (side == 0 ? 12.0f : 748.0f) + static_cast<float>(column) * 68.0f + jitter_x;
  y = 132.0f + static_cast<float>(row) * 74.0f + jitter_y;
}

// The heap order: a fixed shuffle, so neighbours in the picture rarely lie together.
inline std::array<int, kPieces> Shuffled() {
  std::array<int, kPieces> order{};
  for (int k = 0; k < kPieces; ++k) order[k] = k;
  uint32_t state = 20240611u;
  for (int k = kPieces - 1; k > 0; --k) {
    state = state * 1664525u + 1013904223u;
    std::swap(order[k], order[(state >> 8) % static_cast<uint32_t>(k + 1)]);
  }
  return order;
}

}  // namespace collect_details
