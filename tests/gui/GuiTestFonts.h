#pragma once
// Fonts made in code for the GUI tests: a monospace-like font whose glyph for code c lies at
// u = c / 1000 and advances by 0.5 (the space by 0.25), so positions and texture coordinates in
// a test can be worked out by hand.

#include <string>

#include "gui/include/GUIFont.h"

inline GUIGlyph TestGlyph(char16_t code, float advance = 0.5f) {
  return GUIGlyph{static_cast<float>(code) / 1000.0f, 0.25f, 0.01f, 0.125f, advance};
}

// Glyphs for every character of `characters` and for the space; size 10, space 1, shift 1.
inline GUIFont TestFont(const std::u16string& characters, float size = 10.0f, bool upper_case = false) {
  GUIGlyphTable glyphs;
  for (char16_t c : characters) glyphs[c] = TestGlyph(c);
  glyphs[u' '] = TestGlyph(u' ', 0.25f);
  FontDescription description;
  description.size = size;
  description.upper_case = upper_case;
  return GUIFont(glyphs, description);
}

inline const std::u16string kLatin = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,!?-";
