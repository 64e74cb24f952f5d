#pragma once
// The glyph table of a bitmap font and its "EEFNT" file: the file size, the magic, the version,
// the glyph count and one 22-byte record a glyph (u16 code, then u, v, w, h and advance as
// floats). The content tool writes these files; the "font_file" resource reads them.

#include <cstdint>
#include <map>

class cStream;

// Where one character lies in the font's texture and how far it moves the pen.
struct GUIGlyph {
  float u = 0.0f;        // left texture coordinate
  // Texture v runs upward from the picture's bottom row (images are stored bottom row first).
  float v = 0.0f;        // texture coordinate of the glyph's bottom edge
  float w = 0.0f;        // width in texture coordinates
  float h = 0.0f;        // height in texture coordinates (v + h is the top edge)
  float advance = 0.0f;  // pen advance in units of the font size
};

// Glyphs by their 16-bit (UTF-16 unit) character code.
using GUIGlyphTable = std::map<uint16_t, GUIGlyph>;

inline constexpr uint32_t kFontFileVersion = 201;
inline constexpr uint32_t kFontFileHeaderSize = 17;
inline constexpr uint32_t kFontFileRecordSize = 22;

enum class FontFileStatus { kRead, kBadFormat, kBadVersion };

// Reads a whole font file. The size field must equal `size`, and `size` must be exactly the
// header plus the records the count names (nothing is allocated for a count the bytes do not
// hold); a glyph with a value that is not a finite number makes the file bad too. A code met
// twice keeps its first record. `glyphs` is replaced only when the file is read.
FontFileStatus ReadFontFile(const uint8_t* data, uint32_t size, GUIGlyphTable& glyphs);

// Writes the table in code order; false when the stream does not take every byte or the table
// is too large for a file.
bool WriteFontFile(cStream& stream, const GUIGlyphTable& glyphs);
