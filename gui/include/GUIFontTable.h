#pragma once
// The GUI's fonts by index (the "font_id" of text widgets). The game shell fills it from its
// language's font list; widgets ask for their font every time they lay text out.

#include <cstddef>
#include <vector>

#include "gui/include/GUIFont.h"
#include "source/core/CountedPtr.h"

class GUIFontTable {
 public:
  static constexpr int kMaxFonts = 4096;

  GUIFontTable() = default;
  virtual ~GUIFontTable();
  GUIFontTable(const GUIFontTable&) = delete;
  GUIFontTable& operator=(const GUIFontTable&) = delete;

  // The font at that index; null for an index the table does not reach (a negative one too) and
  // for an empty entry, so a widget with a bad font id shows nothing rather than crashing.
  GUIFont* Get(int index) const;
  // Grows the table to index + 1 entries when needed (new entries empty) and holds the font there;
  // a negative index, or one of kMaxFonts or more (a damaged list must not claim gigabytes), is
  // refused.
  void Set(int index, const CountedPtr<GUIFont>& font);
  std::size_t GetSize() const { return m_fonts.size(); }

 private:
  std::vector<CountedPtr<GUIFont>> m_fonts;
};
