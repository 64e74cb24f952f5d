#include "source/render/ScreenCover.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <iterator>

namespace {

// Enough for a page, its facing page, a board and a frame; more only costs time.
constexpr std::size_t kMaxOccluders = 8;
// A sixth of a 1024 x 768 screen.
constexpr int64_t kMinCutArea = 128 * 1024;

struct Occluder {
  PixelRect rect;
  int painters[kMaxPainters] = {-1, -1, -1, -1};
};

// Two rectangles of one height that touch or overlap side by side (or of one width, stacked) are
// one: the diary's facing pages and the spine over their edges. So long as their draws are few
// enough to be named.
bool MergeInto(Occluder& into, const Occluder& other) {
  const PixelRect& a = into.rect;
  const PixelRect& b = other.rect;
  const bool side_by_side = a.top == b.top && a.bottom == b.bottom && a.left <= b.right && b.left <= a.right;
  const bool stacked = a.left == b.left && a.right == b.right && a.top <= b.bottom && b.top <= a.bottom;
  if (!side_by_side && !stacked) return false;
  int free = 0;
  while (free < kMaxPainters && into.painters[free] >= 0) ++free;
  int needed = 0;
  while (needed < kMaxPainters && other.painters[needed] >= 0) ++needed;
  if (free + needed > kMaxPainters) return false;
  for (int k = 0; k < needed; ++k) into.painters[free + k] = other.painters[k];
  into.rect = PixelRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                        std::max(a.bottom, b.bottom)};
  return true;
}

void CopyPainters(const Occluder& from, DrawPlan& plan) {
  std::copy(std::begin(from.painters), std::end(from.painters), std::begin(plan.painters));
}

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
        plan.kind = DrawPlan::kHidden;
        CopyPainters(occluders[k], plan);
        break;
      }
      const int64_t hidden = Intersection(occluders[k].rect, cover.bounds).Area();
      if (hidden > most_hidden) most = k, most_hidden = hidden;
    }
    if (plan.kind == DrawPlan::kHidden) continue;
    // Drawing a layer in parts costs a draw a part: worth it for a large layer mostly hidden.
    const int64_t area = cover.bounds.Area();
    if (most < count && area >= kMinCutArea && most_hidden * 2 >= area) {
      plan.kind = DrawPlan::kCut;
      CopyPainters(occluders[most], plan);
      plan.hole = Intersection(occluders[most].rect, cover.bounds);
    }
    if (cover.opaque.Empty()) continue;
    Occluder added{cover.opaque, {static_cast<int>(i), -1, -1, -1}};
    bool merged = false;
    for (std::size_t k = 0; k < count && !merged; ++k) merged = MergeInto(occluders[k], added);
    if (merged) continue;
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
