#include "gui/include/GUIFontTable.h"

#include "gui/include/GUIFont.h"

GUIFontTable::~GUIFontTable() = default;

GUIFont* GUIFontTable::Get(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_fonts.size()) return nullptr;
  return m_fonts[static_cast<std::size_t>(index)].Get();
}

void GUIFontTable::Set(int index, const CountedPtr<GUIFont>& font) {
  if (index < 0 || index >= kMaxFonts) return;
  if (static_cast<std::size_t>(index) >= m_fonts.size()) m_fonts.resize(static_cast<std::size_t>(index) + 1);
  m_fonts[static_cast<std::size_t>(index)] = font;
}
