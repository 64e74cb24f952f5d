// Pixel storage of surfaces and the colour formats they can have.

#include "platform/gfx/PixelStore.h"

#include <atomic>
#include <cstdlib>

#include "platform/gfx/Backend.h"

namespace gfx {

PixelFormat FormatA8R8G8B8() {
  return {DDPF_RGB | DDPF_ALPHAPIXELS, 0, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, 0, 0};
}
PixelFormat FormatX8R8G8B8() {
  return {DDPF_RGB, 0, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0, 0, 0};
}
PixelFormat FormatR5G6B5() { return {DDPF_RGB, 0, 16, 0xF800, 0x07E0, 0x001F, 0, 0, 0}; }
PixelFormat FormatA1R5G5B5() {
  return {DDPF_RGB | DDPF_ALPHAPIXELS, 0, 16, 0x7C00, 0x03E0, 0x001F, 0x8000, 0, 0};
}
PixelFormat FormatA4R4G4B4() {
  return {DDPF_RGB | DDPF_ALPHAPIXELS, 0, 16, 0x0F00, 0x00F0, 0x000F, 0xF000, 0, 0};
}
PixelFormat FormatDepth16() { return {DDPF_ZBUFFER, 0, 16, 0, 0, 0, 0, 0xFFFF, 0}; }
PixelFormat FormatDepth24X8() { return {DDPF_ZBUFFER, 0, 32, 0, 0, 0, 0, 0xFFFFFF00u, 0}; }

namespace detail {

uint32_t BytesPerPixel(const PixelFormat& format) {
  if (format.flags & (DDPF_FOURCC | DDPF_LUMINANCE | DDPF_BUMPLUMINANCE | DDPF_BUMPDUDV)) return 0;
  if (format == FormatA8R8G8B8() || format == FormatX8R8G8B8()) return 4;
  if (format == FormatR5G6B5() || format == FormatA1R5G5B5() || format == FormatA4R4G4B4()) {
    return 2;
  }
  if (format.flags & DDPF_ZBUFFER) return format.bit_count == 16 || format.bit_count == 32
                                              ? format.bit_count / 8
                                              : 0;
  return 0;
}

int32_t PitchFor(uint32_t width, uint32_t bytes_per_pixel) {
  const uint64_t row = uint64_t{width} * bytes_per_pixel;
  return static_cast<int32_t>((row + 3) & ~uint64_t{3});
}

namespace {
std::atomic<uint64_t> g_next_store_id{1};
}

void PixelBlock::FreeBytes::operator()(uint8_t* bytes) const { std::free(bytes); }

void PixelBlock::Allocate(size_t bytes) {
  m_bytes.reset(bytes == 0 ? nullptr : static_cast<uint8_t*>(std::calloc(bytes, 1)));
  m_size = m_bytes ? bytes : 0;
}

void PixelStore::TakePixelsBack() {
  if (!pixels_with_backend) return;
  pixels_with_backend = false;
  keep_pixels = true;
  for (PixelLevel& level : levels) level.pixels.Allocate(static_cast<size_t>(level.pitch) * level.height);
  if (backend) backend->ReadStorePixels(*this);
}

PixelStore::PixelStore(std::shared_ptr<Backend> owner, const PixelFormat& pixel_format,
                       uint32_t width, uint32_t height, uint32_t level_count)
    : id(g_next_store_id++),
      format(pixel_format),
      bytes_per_pixel(BytesPerPixel(pixel_format)),
      backend(std::move(owner)) {
  levels.resize(level_count);
  for (PixelLevel& level : levels) {
    level.width = width;
    level.height = height;
    level.pitch = PitchFor(width, bytes_per_pixel);
    level.pixels.Allocate(static_cast<size_t>(level.pitch) * height);
    width = width > 1 ? width / 2 : 1;
    height = height > 1 ? height / 2 : 1;
  }
}

PixelStore::~PixelStore() {
  if (backend) backend->ReleaseStore(*this);
}

}  // namespace detail
}  // namespace gfx
