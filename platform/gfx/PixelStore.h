#pragma once
// The pixels behind a surface: one level for a plain surface, the whole chain for a texture with mip
// levels. Rows run top to bottom. A backend that keeps the pixels elsewhere too (a GL texture)
// notes its own handle here and uploads the levels marked dirty; it may then let the levels go and
// keep the only copy, handing it back when the pixels are wanted again.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/Types.h"

namespace gfx::detail {

class Backend;

// Zeroed pixel memory from calloc: a large block comes as fresh zero pages, with no pass that
// writes the zeros.
class PixelBlock {
 public:
  // `bytes` zeroed bytes; empty when memory runs out.
  void Allocate(size_t bytes);
  void Free() { Allocate(0); }
  uint8_t* data() { return m_bytes.get(); }
  const uint8_t* data() const { return m_bytes.get(); }
  size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }

 private:
  struct FreeBytes {
    void operator()(uint8_t* bytes) const;
  };
  std::unique_ptr<uint8_t, FreeBytes> m_bytes;
  size_t m_size = 0;
};

struct PixelLevel {
  uint32_t width = 0;
  uint32_t height = 0;
  int32_t pitch = 0;
  PixelBlock pixels;
  bool dirty = true;
};

struct PixelStore {
  PixelStore(std::shared_ptr<Backend> backend, const PixelFormat& format, uint32_t width,
             uint32_t height, uint32_t level_count);
  ~PixelStore();
  PixelStore(const PixelStore&) = delete;
  PixelStore& operator=(const PixelStore&) = delete;

  // The levels' pixels, fetched back from the backend first when it holds the only copy. Once
  // wanted again they stay: a texture changed after it was drawn keeps its pixels from then on.
  void TakePixelsBack();

  uint64_t id;
  PixelFormat format;
  uint32_t bytes_per_pixel;
  std::vector<PixelLevel> levels;
  bool pixels_with_backend = false;  // the levels were let go; the backend's copy is the only one
  bool keep_pixels = false;

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
