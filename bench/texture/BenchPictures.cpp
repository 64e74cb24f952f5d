#include "bench/texture/BenchPictures.h"

#include <cmath>
#include <cstring>

#include "source/stream/cMemoryStream.h"
#include "source/texture/JpegWriter.h"

Image BenchScene(uint32_t width, uint32_t height) {
  Image image;
  image.Allocate(width, height, 24);
  uint32_t noise = 7;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t* p = image.Row(y) + x * 3;
      // Flat bands (long runs) in the lower half, a soft sky with a sun and grain above.
      const bool sky = y > height / 2;
      const float dx = static_cast<float>(x) - width * 0.7f, dy = static_cast<float>(y) - height * 0.7f;
      const float sun = std::max(0.0f, 1.0f - std::sqrt(dx * dx + dy * dy) / 120.0f);
      noise = noise * 1664525u + 1013904223u;
      const int grain = sky ? static_cast<int>((noise >> 28) & 3) : 0;
      const uint32_t band = (y / 24 + (x / 160)) % 5;
      p[0] = static_cast<uint8_t>(sky ? std::min(255.0f, 90 + y * 0.2f + sun * 150 + grain) : 60 + band * 20);
      p[1] = static_cast<uint8_t>(sky ? std::min(255.0f, 70 + y * 0.1f + sun * 120 + grain) : 40 + band * 12);
      p[2] = static_cast<uint8_t>(sky ? 140 - y * 0.05f + grain : 30 + band * 8);
    }
  }
  return image;
}

std::vector<uint8_t> BenchJpeg(const Image& image) {
  cMemoryStream out;
  JpegSettings settings;
  settings.quality = 90;
  WriteJpeg(image, out, settings);
  return std::vector<uint8_t>(out.GetData(), out.GetData() + out.GetSize());
}

std::vector<uint8_t> BenchRunLengthTga(const Image& image) {
  const uint32_t w = image.GetWidth(), h = image.GetHeight();
  std::vector<uint8_t> file = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8),
                               24, 0};
  const auto bgr = [&image](std::size_t i, uint8_t* out) {
    const uint8_t* p = image.GetPixels() + i * 3;
    out[0] = p[2], out[1] = p[1], out[2] = p[0];
  };
  const std::size_t count = std::size_t{w} * h;
  std::size_t i = 0;
  while (i < count) {
    std::size_t run = 1;
    while (i + run < count && run < 128 && std::memcmp(image.GetPixels() + i * 3, image.GetPixels() + (i + run) * 3, 3) == 0) ++run;
    uint8_t pixel[3];
    if (run > 1) {
      file.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
      bgr(i, pixel);
      file.insert(file.end(), pixel, pixel + 3);
      i += run;
      continue;
    }
    std::size_t raw = 1;
    while (i + raw < count && raw < 128 &&
           std::memcmp(image.GetPixels() + (i + raw - 1) * 3, image.GetPixels() + (i + raw) * 3, 3) != 0) {
      ++raw;
    }
    file.push_back(static_cast<uint8_t>(raw - 1));
    for (std::size_t k = 0; k < raw; ++k) {
      bgr(i + k, pixel);
      file.insert(file.end(), pixel, pixel + 3);
    }
    i += raw;
  }
  return file;
}
