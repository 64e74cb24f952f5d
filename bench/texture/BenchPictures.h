#pragma once
// The pictures the image benchmarks read: a 1024 x 768 painted-looking scene (bands, soft
// shapes, grain), as a baseline JPEG and as a run-length TGA whose packets mix runs and raw
// pixels the way painted art does.

#include <cstdint>
#include <vector>

#include "source/texture/Image.h"

Image BenchScene(uint32_t width, uint32_t height);
std::vector<uint8_t> BenchJpeg(const Image& image);
// 24-bit run-length TGA (type 10), origin at the bottom.
std::vector<uint8_t> BenchRunLengthTga(const Image& image);
