#include "tools/content/fonts/FontBaker.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <locale.h>
#include <memory>
#include <wctype.h>

namespace {

constexpr uint32_t kPadding = 2;  // transparent pixels between cells, so filtering never bleeds
constexpr uint32_t kMaxSide = 4096;

struct Library {
  FT_Library handle = nullptr;
  ~Library() {
    if (handle != nullptr) FT_Done_FreeType(handle);
  }
};
struct Face {
  Face() = default;
  Face(const Face&) = delete;
  Face& operator=(const Face&) = delete;
  FT_Face handle = nullptr;
  ~Face() {
    if (handle != nullptr) FT_Done_Face(handle);
  }
};

// One rendered character before packing: its coverage in a cell of the line's height.
struct Cell {
  char16_t code = 0;
  uint32_t width = 0;
  std::vector<uint8_t> coverage;  // width x line rows, top row first
  uint32_t x = 0, y = 0;          // place in the picture, from its top left
};

bool HasOwnUpperCase(char16_t code) {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return false;
  return towupper_l(static_cast<wint_t>(code), locale) != static_cast<wint_t>(code);
}

uint32_t NextPowerOfTwo(uint32_t value) {
  uint32_t side = 1;
  while (side < value) side <<= 1;
  return side;
}

// Renders the character into a cell: the bitmap placed at its bearing below the ascender, cut to
// the cell. False when the face has no such character.
bool RenderCell(FT_Face face, char16_t code, int ascender, uint32_t line, Cell& cell) {
  const FT_UInt index = FT_Get_Char_Index(face, code);
  if (index == 0 && code != u' ') return false;
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0 || FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
    return false;
  }
  const FT_GlyphSlot slot = face->glyph;
  cell.code = code;
  cell.width = static_cast<uint32_t>(std::max<FT_Pos>(1, (slot->advance.x + 32) >> 6));
  cell.coverage.assign(static_cast<std::size_t>(cell.width) * line, 0);
  const FT_Bitmap& bitmap = slot->bitmap;
  for (uint32_t row = 0; row < bitmap.rows; ++row) {
    const int y = ascender - slot->bitmap_top + static_cast<int>(row);
    if (y < 0 || y >= static_cast<int>(line)) continue;
    for (uint32_t column = 0; column < bitmap.width; ++column) {
      const int x = slot->bitmap_left + static_cast<int>(column);
      if (x < 0 || x >= static_cast<int>(cell.width)) continue;
      const uint8_t value = bitmap.buffer[static_cast<std::ptrdiff_t>(row) * bitmap.pitch + column];
      uint8_t& target = cell.coverage[static_cast<std::size_t>(y) * cell.width + static_cast<std::size_t>(x)];
      target = std::max(target, value);
    }
  }
  return true;
}

// Shelf packing in code order; answers the picture's height (before rounding up).
uint32_t Pack(std::vector<Cell>& cells, uint32_t line, uint32_t side) {
  uint32_t x = kPadding, y = kPadding;
  for (Cell& cell : cells) {
    if (x + cell.width + kPadding > side) {
      x = kPadding;
      y += line + kPadding;
    }
    cell.x = x;
    cell.y = y;
    x += cell.width + kPadding;
  }
  return y + line + kPadding;
}

uint8_t Channel(float value) { return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f)); }

// Coverage grown by the outline's width (a square neighbourhood).
uint8_t Grown(const Cell& cell, uint32_t line, uint32_t x, uint32_t y, uint32_t radius) {
  uint8_t best = 0;
  const uint32_t x0 = x >= radius ? x - radius : 0, y0 = y >= radius ? y - radius : 0;
  for (uint32_t yy = y0; yy <= std::min(line - 1, y + radius); ++yy) {
    for (uint32_t xx = x0; xx <= std::min(cell.width - 1, x + radius); ++xx) {
      best = std::max(best, cell.coverage[static_cast<std::size_t>(yy) * cell.width + xx]);
    }
  }
  return best;
}

void Paint(const FontBakeSettings& settings, const Cell& cell, uint32_t line, BakedFont& baked) {
  const uint32_t height = baked.opacity.GetHeight();
  for (uint32_t y = 0; y < line; ++y) {
    const float t = line > 1 ? static_cast<float>(y) / static_cast<float>(line - 1) : 0.0f;
    const Vector3 fill = settings.fill_top * (1.0f - t) + settings.fill_bottom * t;
    const uint32_t row = height - 1 - (cell.y + y);  // images keep their bottom row first
    uint8_t* alpha = baked.opacity.Row(row) + cell.x;
    uint8_t* color = baked.diffuse.Row(row) + 3 * cell.x;
    for (uint32_t x = 0; x < cell.width; ++x) {
      const float cover = cell.coverage[static_cast<std::size_t>(y) * cell.width + x] / 255.0f;
      const uint8_t grown = settings.outline_pixels > 0 ? Grown(cell, line, x, y, settings.outline_pixels) : 0;
      alpha[x] = std::max(Channel(cover), grown);
      // Without an outline the colour is the fill's to the glyph's very edge.
      const Vector3 mixed =
          settings.outline_pixels > 0 ? settings.outline_color * (1.0f - cover) + fill * cover : fill;
      color[3 * x] = Channel(mixed.x);
      color[3 * x + 1] = Channel(mixed.y);
      color[3 * x + 2] = Channel(mixed.z);
    }
  }
}

}  // namespace

std::vector<std::pair<char16_t, char16_t>> GameCharacterRanges() {
  return {{0x0020, 0x007E}, {0x00A0, 0x00FF}, {0x0400, 0x045F}, {0x05D0, 0x05EA},
          {0x2013, 0x2014}, {0x2018, 0x201E}, {0x2026, 0x2026}};
}

bool BakeFont(const FontBakeSettings& settings, BakedFont& baked, std::string& error) {
  Library library;
  if (FT_Init_FreeType(&library.handle) != 0) {
    error = "FreeType cannot start";
    return false;
  }
  std::vector<std::string> paths = {settings.face_path};
  paths.insert(paths.end(), settings.fallback_paths.begin(), settings.fallback_paths.end());
  std::vector<Face> faces(paths.size());
  std::vector<int> ascenders;
  const uint32_t line = settings.line_pixels;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    FT_Face& face = faces[i].handle;
    if (FT_New_Face(library.handle, paths[i].c_str(), 0, &face) != 0 || !FT_IS_SCALABLE(face)) {
      error = "cannot read the face " + paths[i];
      return false;
    }
    // The em size at which ascender to descender spans the wanted line, in every face alike.
    const FT_Short units = static_cast<FT_Short>(face->ascender - face->descender);
    const uint32_t em = std::max<uint32_t>(
        1, static_cast<uint32_t>(std::lround(static_cast<double>(line) * face->units_per_EM / std::max<FT_Short>(units, 1))));
    FT_Set_Pixel_Sizes(face, 0, em);
    ascenders.push_back(static_cast<int>((face->size->metrics.ascender + 32) >> 6));
  }

  std::vector<Cell> cells;
  std::string missing;
  uint32_t missing_count = 0;
  for (const auto& [first, last] : settings.ranges) {
    for (uint32_t code = first; code <= last; ++code) {
      const char16_t c = static_cast<char16_t>(code);
      if (settings.capitals_only && HasOwnUpperCase(c)) continue;
      Cell cell;
      bool rendered = false;
      for (std::size_t i = 0; i < faces.size() && !rendered; ++i) {
        rendered = RenderCell(faces[i].handle, c, ascenders[i], line, cell);
      }
      if (rendered) {
        cells.push_back(std::move(cell));
      } else if (++missing_count <= 8) {
        char name[16];
        std::snprintf(name, sizeof name, " U+%04X", static_cast<unsigned>(code));
        missing += name;
      }
    }
  }
  if (missing_count > 0) {
    error = std::to_string(missing_count) + " wanted characters are in none of its faces:" + missing +
            (missing_count > 8 ? " ..." : "");
    return false;
  }
  if (cells.empty()) {
    error = "the face has none of the characters";
    return false;
  }
  uint32_t side = 256;
  while (side <= kMaxSide && Pack(cells, line, side) > side) side *= 2;
  const uint32_t height = NextPowerOfTwo(Pack(cells, line, std::min(side, kMaxSide)));
  if (side > kMaxSide || height > kMaxSide) {
    error = "the glyphs do not fit a 4096 x 4096 picture";
    return false;
  }
  baked.diffuse.Allocate(side, height, 24);
  baked.opacity.Allocate(side, height, 8);
  baked.glyphs.clear();
  const float w = static_cast<float>(side), h = static_cast<float>(height);
  for (const Cell& cell : cells) {
    Paint(settings, cell, line, baked);
    baked.glyphs[cell.code] = GUIGlyph{cell.x / w, (h - static_cast<float>(cell.y + line)) / h, cell.width / w,
                                       line / h, static_cast<float>(cell.width) / static_cast<float>(line)};
  }
  return true;
}
