#pragma once
// What a draw can touch on the screen and what it surely paints over, in whole pixels of the
// render target, and the pass that finds the draws later opaque rectangles hide wholly. The draw
// list leaves those out: under the diary or the map most of the place is never seen.

#include <cstdint>
#include <vector>

// Pixels [left, right) x [top, bottom), rows from the top.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;

  bool Empty() const { return right <= left || bottom <= top; }
  bool Contains(const PixelRect& r) const {
    return r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom;
  }
  int64_t Area() const { return Empty() ? 0 : int64_t{right - left} * (bottom - top); }
};

struct ScreenCover {
  // Whether the figures below can be trusted; a draw that cannot tell is never left out.
  bool known = false;
  // Every pixel the draw may touch.
  PixelRect bounds;
  // Pixels it paints over with no regard to what lies beneath (empty unless it is one opaque
  // quad lying square on the screen).
  PixelRect opaque;
};

PixelRect Intersection(const PixelRect& a, const PixelRect& b);

// Pixels whose centres a quad spanning x0..x1, y0..y1 surely covers, whatever the rasteriser's
// rule for centres on an edge; and every pixel a draw within that span can touch.
PixelRect PixelsSurelyInside(float x0, float y0, float x1, float y1);
PixelRect PixelsTouched(float x0, float y0, float x1, float y1);

// An opaque rectangle of the screen is painted by at most this many draws (side by side).
inline constexpr int kMaxPainters = 4;

// How the draw list draws one object.
struct DrawPlan {
  enum Kind { kWhole, kHidden, kCut };
  Kind kind = kWhole;
  // With kCut, a large layer mostly hidden is drawn only around `hole`.
  PixelRect hole;
  // The later draws that paint opaquely all of it (kHidden) or all of its hole (kCut); -1 after.
  int painters[kMaxPainters] = {-1, -1, -1, -1};
};

// For each draw, in drawing order, its plan. A handful of the largest opaque rectangles are kept:
// the walk stays linear.
void PlanDraws(const std::vector<ScreenCover>& covers, std::vector<DrawPlan>& plans);

// The parts of `bounds` around `hole` (within it): a band above, one below, and the two sides
// between; returns how many are not empty.
int PartsAround(const PixelRect& bounds, const PixelRect& hole, PixelRect parts[4]);
