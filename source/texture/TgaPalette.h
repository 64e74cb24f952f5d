#pragma once
// The colour map of a colour-mapped TGA file. A grey ramp (entry i is grey i, as the game's own
// 8-bit files carry) leaves the index bytes as they are: they already are the picture. Any other
// map turns the indices into colours.

#include <cstddef>
#include <cstdint>
#include <vector>

class TgaPalette {
 public:
  // The map's entries from `data` (what follows the ID field); false when the entry size is not
  // one a map can have. Entries beyond the data read as black.
  bool Read(const uint8_t* data, std::size_t size, uint16_t first, uint16_t length, uint8_t entry_bits);
  bool IsGreyRamp() const;
  // 32 when the entries carry alpha, else 24.
  uint32_t ImageBits() const { return m_alpha ? 32 : 24; }
  // Writes `count` pixels for `count` indices; an index outside the map gives black.
  void Expand(const uint8_t* indices, uint32_t count, uint8_t* out) const;

 private:
  uint32_t m_first = 0;
  bool m_alpha = false;
  std::vector<uint8_t> m_rgba;  // 4 bytes an entry
};
