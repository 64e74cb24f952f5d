#include "source/texture/Image.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

uint8_t ColorByte(float value) {
  if (!(value > 0.0f)) return 0;  // also NaN
  return static_cast<uint8_t>(std::lround(std::min(value, 1.0f) * 255.0f));
}

}  // namespace

bool Image::Allocate(uint32_t width, uint32_t height, uint32_t bits) {
  if (!SetSize(width, height, bits)) return false;
  std::fill(m_pixels.begin(), m_pixels.end(), uint8_t{0});
  return true;
}

bool Image::AllocateUnfilled(uint32_t width, uint32_t height, uint32_t bits) { return SetSize(width, height, bits); }

bool Image::SetSize(uint32_t width, uint32_t height, uint32_t bits) {
  const uint64_t pixels = uint64_t{width} * height;
  const uint64_t bytes = pixels * bits / 8;
  if (bytes == 0 || pixels > kMaxImagePixels) {
    Clear();
    return false;
  }
  m_width = width;
  m_height = height;
  m_bits = bits;
  if (m_pixels.size() != bytes) {
    // A fresh block: shrinking or growing in place would keep (or copy) the old pixels for nothing.
    m_pixels = {};
    m_pixels.resize(static_cast<std::size_t>(bytes));
  }
  return true;
}

void Image::Clear() {
  m_width = m_height = m_bits = 0;
  m_pixels.clear();
  m_pixels.shrink_to_fit();
}

void Image::Fill(const Vector4& c) {
  if (m_pixels.empty()) return;
  if (m_bits == 8) {
    const float luminance = 0.222f * c.x + 0.707f * c.y + 0.071f * c.z + 0.0f * c.w;
    std::fill(m_pixels.begin(), m_pixels.end(), ColorByte(luminance));
    return;
  }
  const uint8_t color[4] = {ColorByte(c.x), ColorByte(c.y), ColorByte(c.z), ColorByte(c.w)};
  const uint32_t b = GetBytesPerPixel();
  if (b != 3 && b != 4) return;
  for (std::size_t i = 0; i + b <= m_pixels.size(); i += b) std::memcpy(&m_pixels[i], color, b);
}

void Image::Resize(uint32_t width, uint32_t height) { Scale(*this, width, height, kFilterBilinear, *this); }

void Image::FlipVertical() {
  if (m_pixels.empty()) return;
  const std::size_t row = GetRowBytes();
  std::vector<uint8_t> scratch(row);
  for (uint32_t top = 0, bottom = m_height - 1; top < bottom; ++top, --bottom) {
    std::memcpy(scratch.data(), Row(top), row);
    std::memcpy(Row(top), Row(bottom), row);
    std::memcpy(Row(bottom), scratch.data(), row);
  }
}

void Image::ConvertTo32(Image* target) const {
  if (target == nullptr) return;
  if (m_bits == 32) {
    if (target != this) *target = *this;
    return;
  }
  Image out;
  if (m_bits != 8 && m_bits != 24) {
    *target = out;
    return;
  }
  out.AllocateUnfilled(m_width, m_height, 32);  // every pixel is written below
  const uint32_t b = GetBytesPerPixel();
  const std::size_t count = static_cast<std::size_t>(m_width) * m_height;
  for (std::size_t i = 0; i < count && !out.IsEmpty(); ++i) {
    const uint8_t* in = &m_pixels[i * b];
    uint8_t* o = &out.m_pixels[i * 4];
    o[0] = in[0];
    o[1] = b == 3 ? in[1] : in[0];
    o[2] = b == 3 ? in[2] : in[0];
    o[3] = 255;
  }
  *target = std::move(out);
}

void Image::SetAlphaFrom(const Image& alpha) {
  if (m_pixels.empty() || alpha.IsEmpty()) return;
  const uint32_t ab = alpha.GetBytesPerPixel();
  if (ab != 1 && ab != 3 && ab != 4) return;
  Image resized;
  const Image* source = &alpha;
  if (alpha.m_width != m_width || alpha.m_height != m_height) {
    Scale(alpha, m_width, m_height, kFilterBilinear, resized);
    source = &resized;
  }
  ConvertTo32();
  if (m_bits != 32 || source->IsEmpty()) return;
  // The grey byte, the third byte or the fourth byte.
  const uint32_t channel = ab == 1 ? 0 : ab == 3 ? 2 : 3;
  const std::size_t count = static_cast<std::size_t>(m_width) * m_height;
  for (std::size_t i = 0; i < count; ++i) m_pixels[i * 4 + 3] = source->m_pixels[i * ab + channel];
}
