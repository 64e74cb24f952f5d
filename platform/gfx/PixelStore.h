#pragma once
// The pixels behind a surface: one level for a plain surface, the whole chain for a texture with mip
// levels. Rows run top to bottom. A backend that keeps the pixels elsewhere too (a GL texture)
// notes its own handle here and uploads the levels marked dirty.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/Types.h"

namespace gfx::detail {

class Backend;

struct PixelLevel {
  uint32_t width = 0;
  uint32_t height = 0;
  int32_t pitch = 0;
  std::vector<uint8_t> pixels;
  bool dirty = true;
};

struct PixelStore {
  PixelStore(std::shared_ptr<Backend> backend, const PixelFormat& format, uint32_t width,
             uint32_t height, uint32_t level_count);
  ~PixelStore();
  PixelStore(const PixelStore&) = delete;
  PixelStore& operator=(const PixelStore&) = delete;

  uint64_t id;
  PixelFormat format;
  uint32_t bytes_per_pixel;
  std::vector<PixelLevel> levels;

  // The backend's copy: its handle, the context it belongs to and the sampler it was last given.
  std::shared_ptr<Backend> backend;
  uint32_t handle = 0;
  uint64_t handle_generation = 0;
  uint64_t sampler_key = ~uint64_t{0};
};

// Bytes a pixel of a colour format; 0 for formats no surface can have.
uint32_t BytesPerPixel(const PixelFormat& format);
// Rows are padded to 4 bytes.
int32_t PitchFor(uint32_t width, uint32_t bytes_per_pixel);

}  // namespace gfx::detail
