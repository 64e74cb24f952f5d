// The font baker on the real DejaVu faces: the same settings give the same bytes, every cell has
// its glyph's proportions, glyphs stand the right way up in the picture, and capitals-only fonts
// leave out what the GUI mirrors.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numeric>

#include "gui/include/GUIFont.h"
#include "source/stream/cMemoryStream.h"
#include "tools/content/fonts/FontBaker.h"
#include "tests/support/Found.h"

namespace {

FontBakeSettings Sans(uint32_t pixels) {
  FontBakeSettings settings;
  settings.face_path = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  settings.line_pixels = pixels;
  settings.ranges = GameCharacterRanges();
  settings.outline_pixels = 1;
  return settings;
}

// Opacity summed over the glyph's rectangle, by rows from its bottom edge (v) up.
std::vector<uint32_t> RowCoverage(const BakedFont& font, char16_t code) {
  const GUIGlyph& g = font.glyphs.at(code);
  const Image& a = font.opacity;
  const uint32_t x0 = static_cast<uint32_t>(std::lround(g.u * a.GetWidth()));
  const uint32_t y0 = static_cast<uint32_t>(std::lround(g.v * a.GetHeight()));
  const uint32_t w = static_cast<uint32_t>(std::lround(g.w * a.GetWidth()));
  const uint32_t h = static_cast<uint32_t>(std::lround(g.h * a.GetHeight()));
  std::vector<uint32_t> rows(h, 0);
  for (uint32_t y = 0; y < h; ++y) {
    for (uint32_t x = 0; x < w; ++x) rows[y] += a.Row(y0 + y)[x0 + x];
  }
  return rows;
}

TEST(FontBaker, BakesTheGameCharactersTheSameWayEveryTime) {
  BakedFont first, second;
  std::string error;
  ASSERT_TRUE(BakeFont(Sans(24), first, error)) << error;
  ASSERT_TRUE(BakeFont(Sans(24), second, error)) << error;
  cMemoryStream a, b;
  ASSERT_TRUE(WriteFontFile(a, first.glyphs));
  ASSERT_TRUE(WriteFontFile(b, second.glyphs));
  ASSERT_EQ(a.GetSize(), b.GetSize());
  EXPECT_EQ(std::memcmp(a.GetData(), b.GetData(), a.GetSize()), 0);
  EXPECT_TRUE(first.diffuse == second.diffuse && first.opacity == second.opacity);

  for (char16_t code : std::u16string(u"Aa~ÿÀЖжЯё\u05D0\u05EA ")) {
    ASSERT_EQ(first.glyphs.count(code), 1u) << int(code);
    const GUIGlyph& g = first.glyphs.at(code);
    // The quad is advance x size wide and size high: the cell must have the same proportions.
    EXPECT_NEAR(g.w * first.opacity.GetWidth() / (g.h * first.opacity.GetHeight()), g.advance, 1e-5) << int(code);
    EXPECT_NEAR(g.h * first.opacity.GetHeight(), 24.0f, 1e-4);
  }
  // Pictures are powers of two a side, as the texture manager wants.
  for (uint32_t side : {first.opacity.GetWidth(), first.opacity.GetHeight()}) EXPECT_EQ(side & (side - 1), 0u);
}

TEST(FontBaker, GlyphsStandUprightFromTheirBottomEdge) {
  BakedFont font;
  std::string error;
  ASSERT_TRUE(BakeFont(Sans(32), font, error)) << error;
  // "_" lies low in its cell, the macron-like "¯" high; the space covers nothing.
  const std::vector<uint32_t> low = RowCoverage(font, u'_'), high = RowCoverage(font, u'\u00AF');
  const auto peak = [](const std::vector<uint32_t>& rows) {
    return std::max_element(rows.begin(), rows.end()) - rows.begin();
  };
  EXPECT_LT(peak(low), 10);
  EXPECT_GT(peak(high), 20);
  const std::vector<uint32_t> space = RowCoverage(font, u' ');
  EXPECT_EQ(std::accumulate(space.begin(), space.end(), 0u), 0u);
}

TEST(FontBaker, CapitalsOnlyFontsLeaveOutWhatTheGuiMirrors) {
  FontBakeSettings settings = Sans(20);
  settings.capitals_only = true;
  BakedFont baked;
  std::string error;
  ASSERT_TRUE(BakeFont(settings, baked, error)) << error;
  for (char16_t code : std::u16string(u"azжёé")) EXPECT_EQ(baked.glyphs.count(code), 0u) << int(code);
  FontDescription description;
  description.upper_case = true;
  const GUIFont font(baked.glyphs, description);
  EXPECT_EQ(Found(font.FindGlyph(u'ж')).u, Found(font.FindGlyph(u'Ж')).u);
  EXPECT_TRUE(font.HasCharacter(u'7'));

  settings.face_path = "/nowhere/missing.ttf";
  EXPECT_FALSE(BakeFont(settings, baked, error));
  EXPECT_NE(error.find("missing.ttf"), std::string::npos);
}

}  // namespace
