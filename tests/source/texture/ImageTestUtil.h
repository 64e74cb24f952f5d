#pragma once
// Pictures and files made by hand for the image, TGA, JPEG and texture tests.

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "source/stream/cMemoryStream.h"
#include "source/texture/Image.h"

using Bytes = std::vector<uint8_t>;

// A width x height image whose byte k of pixel (x, y) is (x * 37 + y * 91 + k * 53) mod 256.
inline Image Pattern(uint32_t width, uint32_t height, uint32_t bits) {
  Image image;
  image.Allocate(width, height, bits);
  const uint32_t b = bits / 8;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      for (uint32_t k = 0; k < b; ++k) image.Row(y)[x * b + k] = static_cast<uint8_t>((x * 37 + y * 91 + k * 53) & 255);
    }
  }
  return image;
}

inline Image Solid(uint32_t width, uint32_t height, std::initializer_list<uint8_t> pixel) {
  Image image;
  image.Allocate(width, height, static_cast<uint32_t>(pixel.size()) * 8);
  for (std::size_t i = 0; i < image.GetPixelBytes(); i += pixel.size()) {
    std::size_t k = 0;
    for (uint8_t byte : pixel) image.GetPixels()[i + k++] = byte;
  }
  return image;
}

inline Bytes PixelAt(const Image& image, uint32_t x, uint32_t y) {
  const uint32_t b = image.GetBytesPerPixel();
  const uint8_t* p = image.Row(y) + x * b;
  return Bytes(p, p + b);
}

inline cMemoryStream StreamOf(const Bytes& bytes) {
  cMemoryStream stream;
  if (!bytes.empty()) stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  stream.Seek(0, 0);
  return stream;
}

inline Bytes BytesOf(cMemoryStream& stream) {
  return Bytes(stream.GetData(), stream.GetData() + stream.GetSize());
}

// An 18-byte TGA header followed by `body` (ID field, colour map and pixel data as given).
struct TgaFile {
  uint8_t id_length = 0, map_type = 0, type = 2;
  uint16_t map_first = 0, map_length = 0;
  uint8_t map_bits = 0;
  uint16_t width = 1, height = 1;
  uint8_t depth = 24, descriptor = 0;
  Bytes body;

  Bytes Build() const {
    const uint8_t header[18] = {id_length, map_type, type,
                                uint8_t(map_first & 0xFF), uint8_t(map_first >> 8), uint8_t(map_length & 0xFF),
                                uint8_t(map_length >> 8), map_bits, 0, 0, 0, 0,
                                uint8_t(width & 0xFF), uint8_t(width >> 8), uint8_t(height & 0xFF), uint8_t(height >> 8),
                                depth, descriptor};
    Bytes out(18 + body.size());
    std::copy(header, header + 18, out.begin());
    std::copy(body.begin(), body.end(), out.begin() + 18);
    return out;
  }
};
