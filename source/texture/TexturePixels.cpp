#include "source/texture/TexturePixels.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "source/texture/Image.h"

namespace {

struct Channel {
  uint32_t mask = 0;
  uint32_t shift = 0;
  uint32_t width = 0;
  explicit Channel(uint32_t m) : mask(m), shift(m ? std::countr_zero(m) : 0), width(std::popcount(m)) {}
  uint32_t Pack(uint8_t byte) const { return width == 0 ? 0 : ((uint32_t{byte} >> (8 - std::min(width, 8u))) << shift) & mask; }
};

struct Packer {
  Channel r, g, b, a;
  explicit Packer(const gfx::PixelFormat& f) : r(f.r_mask), g(f.g_mask), b(f.b_mask), a(f.a_mask) {}
  uint32_t Pack(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) const {
    return r.Pack(red) | g.Pack(green) | b.Pack(blue) | a.Pack(alpha);
  }
};

// The 8-bit-a-channel formats with red in bits 16-23 (A8R8G8B8, X8R8G8B8): bytes B, G, R, A.
bool IsByteOrderBGRA(const gfx::PixelFormat& f) {
  return f.bit_count == 32 && f.r_mask == 0x00FF0000 && f.g_mask == 0x0000FF00 && f.b_mask == 0x000000FF &&
         (f.a_mask == 0xFF000000 || f.a_mask == 0);
}

void PackRowBGRA(const uint8_t* in, uint32_t bytes, uint32_t width, uint8_t* out) {
  for (uint32_t x = 0; x < width; ++x, in += bytes, out += 4) {
    out[0] = bytes == 1 ? in[0] : in[2];
    out[1] = bytes == 1 ? in[0] : in[1];
    out[2] = in[0];
    out[3] = bytes == 4 ? in[3] : 255;
  }
}

}  // namespace

void PackPixels(const Image& image, const gfx::PixelFormat& format, void* memory, int32_t pitch) {
  const uint32_t w = image.GetWidth(), h = image.GetHeight(), bytes = image.GetBytesPerPixel();
  auto* base = static_cast<uint8_t*>(memory);
  const bool fast = IsByteOrderBGRA(format);
  const Packer packer(format);
  for (uint32_t y = 0; y < h; ++y) {
    const uint8_t* in = image.Row(y);
    uint8_t* out = base + static_cast<std::ptrdiff_t>(y) * pitch;
    if (fast) {
      PackRowBGRA(in, bytes, w, out);
      continue;
    }
    for (uint32_t x = 0; x < w; ++x, in += bytes) {
      const uint8_t red = in[0];
      const uint8_t green = bytes == 1 ? in[0] : in[1];
      const uint8_t blue = bytes == 1 ? in[0] : in[2];
      const uint32_t value = packer.Pack(red, green, blue, bytes == 4 ? in[3] : 255);
      if (format.bit_count == 32) {
        std::memcpy(out + x * 4, &value, 4);
      } else {
        const uint16_t narrow = static_cast<uint16_t>(value);
        std::memcpy(out + x * 2, &narrow, 2);
      }
    }
  }
}

void FillWhite(uint32_t width, uint32_t height, const gfx::PixelFormat& format, void* memory, int32_t pitch) {
  const uint32_t white = Packer(format).Pack(255, 255, 255, 255);
  auto* base = static_cast<uint8_t*>(memory);
  const uint32_t bytes = format.bit_count / 8;
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* out = base + static_cast<std::ptrdiff_t>(y) * pitch;
    for (uint32_t x = 0; x < width; ++x) std::memcpy(out + x * bytes, &white, bytes);
  }
}
