#include "source/texture/TgaPalette.h"

#include <cstring>

bool TgaPalette::Read(const uint8_t* data, std::size_t size, uint16_t first, uint16_t length, uint8_t entry_bits) {
  if (entry_bits != 15 && entry_bits != 16 && entry_bits != 24 && entry_bits != 32) return false;
  const std::size_t entry_bytes = (entry_bits + 7u) / 8u;
  m_first = first;
  m_alpha = entry_bits == 16 || entry_bits == 32;
  m_rgba.assign(std::size_t{length} * 4, 0);
  for (std::size_t k = 0; k < length && (k + 1) * entry_bytes <= size; ++k) {
    const uint8_t* e = data + k * entry_bytes;
    uint8_t* o = &m_rgba[k * 4];
    if (entry_bytes == 2) {
      const uint32_t v = static_cast<uint32_t>(e[0] | (e[1] << 8));
      o[0] = static_cast<uint8_t>(((v >> 10) & 31) << 3);
      o[1] = static_cast<uint8_t>(((v >> 5) & 31) << 3);
      o[2] = static_cast<uint8_t>((v & 31) << 3);
      o[3] = (entry_bits == 15 || (v & 0x8000)) ? 255 : 0;
    } else {
      o[0] = e[2];
      o[1] = e[1];
      o[2] = e[0];
      o[3] = entry_bytes == 4 ? e[3] : 255;
    }
  }
  return true;
}

bool TgaPalette::IsGreyRamp() const {
  for (std::size_t k = 0; k * 4 < m_rgba.size(); ++k) {
    const uint8_t* e = &m_rgba[k * 4];
    const std::size_t index = m_first + k;
    if (e[0] != index || e[1] != index || e[2] != index || e[3] != 255) return false;
  }
  return true;
}

void TgaPalette::Expand(const uint8_t* indices, uint32_t count, uint8_t* out) const {
  const uint32_t bytes = ImageBits() / 8;
  static const uint8_t kBlack[4] = {0, 0, 0, 255};
  for (uint32_t i = 0; i < count; ++i, out += bytes) {
    const std::size_t k = static_cast<std::size_t>(indices[i]) - m_first;
    const uint8_t* e = indices[i] >= m_first && k * 4 < m_rgba.size() ? &m_rgba[k * 4] : kBlack;
    std::memcpy(out, e, bytes);
  }
}
