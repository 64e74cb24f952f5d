#include "source/render/ScreenCover.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace {

// Enough for a page, its facing page, a board and a frame; more only costs time.
constexpr std::size_t kMaxOccluders = 8;
// A sixth of a 1024 x 768 screen.
constexpr int64_t kMinCutArea = 128 * 1024;

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

PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
  return PixelRect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                   std::min(a.bottom, b.bottom)};
}

int PartsAround(const PixelRect& bounds, const PixelRect& hole, PixelRect parts[4]) {
  const PixelRect h = Intersection(bounds, hole);
  if (h.Empty()) {
    parts[0] = bounds;
    return bounds.Empty() ? 0 : 1;
  }
  const PixelRect all[4] = {{bounds.left, bounds.top, bounds.right, h.top},
                            {bounds.left, h.bottom, bounds.right, bounds.bottom},
                            {bounds.left, h.top, h.left, h.bottom},
                            {h.right, h.top, bounds.right, h.bottom}};
  int count = 0;
  for (const PixelRect& part : all) {
    if (!part.Empty()) parts[count++] = part;
  }
  return count;
}

void PlanDraws(const std::vector<ScreenCover>& covers, std::vector<DrawPlan>& plans) {
  plans.assign(covers.size(), DrawPlan{});
  std::array<Occluder, kMaxOccluders> occluders;
  std::size_t count = 0;
  for (std::size_t i = covers.size(); i-- > 0;) {
    const ScreenCover& cover = covers[i];
    if (!cover.known) continue;
    DrawPlan& plan = plans[i];
    std::size_t most = count;
    int64_t most_hidden = 0;
    for (std::size_t k = 0; k < count; ++k) {
      if (occluders[k].rect.Contains(cover.bounds)) {
        plan.hidden_by = occluders[k].index;
        break;
      }
      const int64_t hidden = Intersection(occluders[k].rect, cover.bounds).Area();
      if (hidden > most_hidden) most = k, most_hidden = hidden;
    }
    if (plan.hidden_by >= 0) continue;
    // Drawing a layer in parts costs a draw a part: worth it for a large layer mostly hidden.
    const int64_t area = cover.bounds.Area();
    if (most < count && area >= kMinCutArea && most_hidden * 2 >= area) {
      plan.cut_by = occluders[most].index;
      plan.hole = Intersection(occluders[most].rect, cover.bounds);
    }
    if (cover.opaque.Empty()) continue;
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
