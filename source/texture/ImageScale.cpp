// Image::Scale: the 2 x 2 box filter that makes mip levels and the bilinear filter that resizes.
// Both walk the target and clamp every source neighbour to the source, so no size (odd, not a
// power of two, larger than the source, a side of 1) reads outside it.
#include <algorithm>
#include <cstring>

#include "source/texture/Image.h"

namespace {

struct Source {
  const uint8_t* pixels;
  uint32_t width, height, bytes;
  const uint8_t* At(uint32_t x, uint32_t y) const {
    return pixels + (static_cast<std::size_t>(y) * width + x) * bytes;
  }
};

void BoxFilter(const Source& s, Image& target) {
  const uint32_t w = target.GetWidth(), h = target.GetHeight(), b = s.bytes;
  uint8_t* out = target.GetPixels();
  for (uint32_t ty = 0; ty < h; ++ty) {
    const uint32_t y0 = std::min(ty * 2, s.height - 1);
    const uint32_t y1 = std::min(y0 + 1, s.height - 1);
    for (uint32_t tx = 0; tx < w; ++tx) {
      const uint32_t x0 = std::min(tx * 2, s.width - 1);
      const uint32_t x1 = std::min(x0 + 1, s.width - 1);
      const uint8_t* p00 = s.At(x0, y0);
      const uint8_t* p10 = s.At(x1, y0);
      const uint8_t* p01 = s.At(x0, y1);
      const uint8_t* p11 = s.At(x1, y1);
      for (uint32_t c = 0; c < b; ++c) *out++ = static_cast<uint8_t>((p00[c] + p10[c] + p01[c] + p11[c] + 2) >> 2);
    }
  }
}

// The source position of target index i in 1/256 units: the ends of both ranges meet; a target
// side of 1 samples the first row or column.
uint64_t Step(uint32_t source_side, uint32_t target_side, uint32_t i) {
  if (target_side < 2) return 0;
  return (uint64_t{source_side - 1} * i * 256) / (target_side - 1);
}

void BilinearFilter(const Source& s, Image& target) {
  const uint32_t w = target.GetWidth(), h = target.GetHeight(), b = s.bytes;
  std::vector<uint32_t> ix(w), ix1(w), fx(w);
  for (uint32_t x = 0; x < w; ++x) {
    const uint64_t sx = Step(s.width, w, x);
    ix[x] = static_cast<uint32_t>(sx >> 8);
    ix1[x] = std::min(ix[x] + 1, s.width - 1);
    fx[x] = static_cast<uint32_t>(sx & 255);
  }
  uint8_t* out = target.GetPixels();
  for (uint32_t y = 0; y < h; ++y) {
    uint64_t sy = Step(s.height, h, y);
    if (y == h - 1 && sy > 0) --sy;  // the last row blends the last two rows, all of the last
    const uint32_t iy = static_cast<uint32_t>(sy >> 8);
    const uint32_t iy1 = std::min(iy + 1, s.height - 1);
    const uint32_t fy = static_cast<uint32_t>(sy & 255);
    for (uint32_t x = 0; x < w; ++x) {
      const uint8_t* a = s.At(ix[x], iy);
      const uint8_t* a1 = s.At(ix[x], iy1);
      const uint8_t* c = s.At(ix1[x], iy);
      const uint8_t* c1 = s.At(ix1[x], iy1);
      const uint32_t f = fx[x];
      for (uint32_t k = 0; k < b; ++k) {
        const uint32_t right = (256 - fy) * c[k] + fy * c1[k];
        const uint32_t left = fy * a1[k] + (256 - fy) * a[k];
        *out++ = static_cast<uint8_t>((right * f + left * (256 - f)) >> 16);
      }
    }
  }
}

}  // namespace

void Image::Scale(const Image& source, uint32_t width, uint32_t height, uint32_t filter, Image& target) {
  if (source.IsEmpty()) return;
  if (source.m_width == width && source.m_height == height) {
    if (&target != &source) target = source;
    return;
  }
  Image scaled;
  // Both filters write every byte; another filter leaves the pixels zeroed.
  const bool written = filter == kFilterBox || filter == kFilterBilinear;
  if (written ? scaled.AllocateUnfilled(width, height, source.m_bits) : scaled.Allocate(width, height, source.m_bits)) {
    const Source s{source.GetPixels(), source.m_width, source.m_height, source.GetBytesPerPixel()};
    if (filter == kFilterBox) {
      BoxFilter(s, scaled);
    } else if (filter == kFilterBilinear) {
      BilinearFilter(s, scaled);
    }
  }
  target = std::move(scaled);
}
