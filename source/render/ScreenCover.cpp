#include "source/render/ScreenCover.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace {

// Enough for a page, its facing page, a board and a frame; more only costs time.
constexpr std::size_t kMaxOccluders = 8;

struct Occluder {
  PixelRect rect;
  int index = -1;
};

int Floor(float v) { return static_cast<int>(std::floor(v)); }
int Ceil(float v) { return static_cast<int>(std::ceil(v)); }

}  // namespace

PixelRect PixelsSurelyInside(float x0, float y0, float x1, float y1) {
  // Centres k + 0.5 strictly between the edges.
  return PixelRect{Floor(x0 - 0.5f) + 1, Floor(y0 - 0.5f) + 1, Ceil(x1 - 0.5f), Ceil(y1 - 0.5f)};
}

PixelRect PixelsTouched(float x0, float y0, float x1, float y1) {
  return PixelRect{Floor(x0), Floor(y0), Ceil(x1), Ceil(y1)};
}

void FindHiddenDraws(const std::vector<ScreenCover>& covers, std::vector<int>& hidden_by) {
  hidden_by.assign(covers.size(), -1);
  std::array<Occluder, kMaxOccluders> occluders;
  std::size_t count = 0;
  for (std::size_t i = covers.size(); i-- > 0;) {
    const ScreenCover& cover = covers[i];
    if (!cover.known) continue;
    bool hidden = false;
    for (std::size_t k = 0; k < count && !hidden; ++k) {
      if (occluders[k].rect.Contains(cover.bounds)) {
        hidden_by[i] = occluders[k].index;
        hidden = true;
      }
    }
    if (hidden || cover.opaque.Empty()) continue;
    const Occluder added{cover.opaque, static_cast<int>(i)};
    if (count < kMaxOccluders) {
      occluders[count++] = added;
      continue;
    }
    std::size_t smallest = 0;
    for (std::size_t k = 1; k < count; ++k) {
      if (occluders[k].rect.Area() < occluders[smallest].rect.Area()) smallest = k;
    }
    if (occluders[smallest].rect.Area() < added.rect.Area()) occluders[smallest] = added;
  }
}
