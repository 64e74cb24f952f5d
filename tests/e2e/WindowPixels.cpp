#include "tests/e2e/WindowPixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <zlib.h>

#include <cstdio>

namespace {

void PutU32(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutU32(out, static_cast<uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  PutU32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

// The channel of a pixel value under an X visual mask, as 8 bits.
uint8_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  const unsigned long max = mask >> shift;
  return static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / max);
}

}  // namespace

uint32_t WindowPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  const uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
  return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

WindowPixels ReadWindowPixels(unsigned long window) {
  WindowPixels pixels;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return pixels;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) != 0) {
    XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (image != nullptr) {
      pixels.width = attributes.width;
      pixels.height = attributes.height;
      pixels.rgb.reserve(static_cast<std::size_t>(pixels.width) * pixels.height * 3);
      for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
          const unsigned long pixel = XGetPixel(image, x, y);
          pixels.rgb.push_back(Channel(pixel, image->red_mask));
          pixels.rgb.push_back(Channel(pixel, image->green_mask));
          pixels.rgb.push_back(Channel(pixel, image->blue_mask));
        }
      }
      XDestroyImage(image);
    }
  }
  XCloseDisplay(display);
  return pixels;
}

bool WritePngFile(const std::string& path, const WindowPixels& pixels) {
  if (pixels.width <= 0 || pixels.height <= 0) return false;
  std::string raw;
  const std::size_t row = static_cast<std::size_t>(pixels.width) * 3;
  for (int y = 0; y < pixels.height; ++y) {
    raw.push_back('\0');  // no filter
    raw.append(reinterpret_cast<const char*>(&pixels.rgb[y * row]), row);
  }
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packed_size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size, reinterpret_cast<const Bytef*>(raw.data()),
                static_cast<uLong>(raw.size()), 6) != Z_OK) {
    return false;
  }
  packed.resize(packed_size);
  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  PutU32(header, static_cast<uint32_t>(pixels.width));
  PutU32(header, static_cast<uint32_t>(pixels.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", "");
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
}
