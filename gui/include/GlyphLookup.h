#pragma once
// A constant-time index over a glyph table: the text layout asks for a glyph per character, and a
// tree walk per character is most of the cost of building a text. Pages of 256 codes are made
// only for the code ranges the font covers.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "gui/include/FontFile.h"

class GlyphLookup {
 public:
  GlyphLookup() = default;
  explicit GlyphLookup(const GUIGlyphTable& glyphs);

  // The glyph of that code, or null.
  const GUIGlyph* Find(uint16_t code) const {
    const Page* page = m_pages[code >> 8].get();
    if (page == nullptr) return nullptr;
    const int32_t index = (*page)[code & 0xFF];
    return index < 0 ? nullptr : &m_glyphs[static_cast<std::size_t>(index)];
  }

 private:
  using Page = std::array<int32_t, 256>;
  std::vector<GUIGlyph> m_glyphs;
  std::array<std::unique_ptr<Page>, 256> m_pages;
};
