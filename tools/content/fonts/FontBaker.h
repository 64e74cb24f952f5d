#pragma once
// Bakes a bitmap font from a TrueType face with FreeType: every wanted character is rendered from
// the face, or from the first fallback face that has it when the face lacks it, into a cell as wide as its advance and as high as the face's line, the cells are packed
// into one picture, and the glyph table says where each lies. The colour picture holds the fill
// (a gradient from the line's top to its foot) over an outline; the opacity picture holds the
// coverage. The same face and settings always give the same bytes.

#include <string>
#include <utility>
#include <vector>

#include "gui/include/FontFile.h"
#include "source/math/Vector.h"
#include "source/texture/Image.h"

struct FontBakeSettings {
  std::string face_path;
  std::vector<std::string> fallback_paths;  // faces for the characters `face_path` lacks, in order
  uint32_t line_pixels = 32;  // the cell height: the face's ascender to descender
  std::vector<std::pair<char16_t, char16_t>> ranges;  // inclusive
  bool capitals_only = false;  // leave out every character that has an upper-case form of its own
  Vector3 fill_top{1.0f, 1.0f, 1.0f};
  Vector3 fill_bottom{1.0f, 1.0f, 1.0f};
  Vector3 outline_color{0.0f, 0.0f, 0.0f};
  uint32_t outline_pixels = 0;
};

struct BakedFont {
  GUIGlyphTable glyphs;
  Image diffuse;  // 24-bit
  Image opacity;  // 8-bit
};

// False, with a reason, when a face cannot be read, a wanted character is in none of the faces
// (the reason names the first ones), or the cells do not fit a 4096 x 4096 picture.
bool BakeFont(const FontBakeSettings& settings, BakedFont& baked, std::string& error);

// ASCII, Latin-1, Cyrillic and Hebrew, with the dashes, quotes and ellipsis of typeset text.
std::vector<std::pair<char16_t, char16_t>> GameCharacterRanges();
