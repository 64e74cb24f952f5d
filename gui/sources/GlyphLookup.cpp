#include "gui/include/GlyphLookup.h"

GlyphLookup::GlyphLookup(const GUIGlyphTable& glyphs) {
  m_glyphs.reserve(glyphs.size());
  for (const auto& [code, glyph] : glyphs) {
    std::unique_ptr<Page>& page = m_pages[code >> 8];
    if (!page) {
      page = std::make_unique<Page>();
      page->fill(-1);
    }
    (*page)[code & 0xFF] = static_cast<int32_t>(m_glyphs.size());
    m_glyphs.push_back(glyph);
  }
}
