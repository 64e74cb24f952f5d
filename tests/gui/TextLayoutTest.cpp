// Text broken into words and lines, laid out left, centred, right, top, centre, bottom and
// justified; line ends in every CR/LF form; right-to-left runs; words fitted to linked statics.

#include <gtest/gtest.h>

#include "gui/include/TextFitting.h"
#include "gui/include/TextLayout.h"
#include "source/model/Model.h"
#include "tests/gui/GuiTestFonts.h"
#include "tests/support/Found.h"

namespace {

// Words split off one by one, line ends shown as "|", spaces as "_".
std::u16string Tokens(std::u16string text) {
  std::u16string_view rest = text;
  std::u16string out;
  while (!rest.empty()) {
    bool is_space = false;
    const std::u16string_view token = SplitWord(rest, is_space);
    if (!out.empty()) out += u' ';
    for (char16_t c : token) out += c == u'\n' ? u'|' : c == u' ' ? u'_' : c;
    if (is_space != (token.front() == u' ' || token == u"\n")) out += u"(?)";
  }
  return out;
}

TEST(TextWords, EveryFormOfLineEndEndsOneLine) {
  struct Case {
    std::u16string text;
    std::u16string tokens;
  };
  const Case cases[] = {
      {u"ab  cd", u"ab __ cd"},      {u"a\r\nb", u"a | b"},     {u"a\n\rb", u"a | b"},
      {u"a\rb", u"a | b"},           {u"a\nb", u"a | b"},       {u"a\n\nb", u"a | | b"},
      {u"a\r\rb", u"a | | b"},       {u"a\r\n\r\nb", u"a | | b"}, {u"tab\there", u"tab\there"},
      {u" x", u"_ x"},
  };
  for (const Case& c : cases) EXPECT_EQ(Tokens(c.text), c.tokens) << std::string(c.text.begin(), c.text.end());
}

// Line texts of a layout, words joined as they stand.
std::vector<std::u16string> LineTexts(const std::vector<TextWord>& words, const std::vector<TextLine>& lines) {
  std::vector<std::u16string> out;
  for (const TextLine& line : lines) {
    std::u16string text;
    for (uint32_t i : line.words) text += words[i].text;
    out.push_back(text);
  }
  return out;
}

TEST(TextLines, WordsWrapWithinTheWidth) {
  // Letters are 5 wide, a space 2.5: "aaa" is 15.
  const GUIFont font = TestFont(kLatin);
  struct Case {
    std::u16string text;
    float width;
    std::vector<std::u16string> lines;
  };
  const Case cases[] = {
      {u"aaa bbb ccc", 40.0f, {u"aaa bbb ", u"ccc"}},
      {u"aaa bbb", 32.5f, {u"aaa ", u"bbb"}},          // exactly at the edge goes on
      {u"aaa bbb", 32.6f, {u"aaa bbb"}},
      {u"aaaaaaaaaa bb", 20.0f, {u"aaaaaaaaaa", u"bb"}},  // wider than the box: alone
      {u"aa    bb", 12.0f, {u"aa", u"bb"}},                // the spaces at the wrap vanish
      {u"a\n\nb", 100.0f, {u"a", u"", u"b"}},
      {u"", 100.0f, {u""}},
  };
  for (const Case& c : cases) {
    const std::vector<TextWord> words = BuildWords(font, c.text);
    EXPECT_EQ(LineTexts(words, BreakLines(words, c.width, false)), c.lines)
        << std::string(c.text.begin(), c.text.end()) << " in " << c.width;
  }
  // Justified lines count inner spaces as 3 while filling; leading spaces keep their width.
  const std::vector<TextWord> words = BuildWords(font, u"  aa aa aa");
  const std::vector<TextLine> lines = BreakLines(words, 32.0f, true);
  EXPECT_EQ(LineTexts(words, lines), (std::vector<std::u16string>{u"  aa aa ", u"aa"}));
  EXPECT_TRUE(lines[0].opens_paragraph && !lines[0].closes_paragraph);
  EXPECT_TRUE(!lines[1].opens_paragraph && lines[1].closes_paragraph);
  EXPECT_EQ(lines[0].solid_count, 2u);
  EXPECT_FLOAT_EQ(lines[0].solid_width, 20.0f);
}

// The x of the first vertex of every glyph quad, and the y of its foot.
struct Foot {
  float x, y;
};
std::vector<Foot> Feet(const Model& mesh) {
  std::vector<Foot> feet;
  for (uint32_t q = 0; q < mesh.m_index_count / 6; ++q) {
    const Vertex& v = Found(mesh.m_vertices->GetVertex(4 * q + 1));
    feet.push_back({v.x, v.y});
  }
  return feet;
}

std::vector<Foot> Layout(const GUIFont& font, std::u16string text, TextBox box, uint32_t alignment, bool justified) {
  Model mesh("font_model", 4096, 6144, 0x100009);
  mesh.m_index_count = 0;
  const std::vector<TextWord> words = BuildWords(font, text);
  LayoutLines(font, mesh, words, BreakLines(words, box.width, justified), box, alignment, justified);
  return Feet(mesh);
}

TEST(TextPlacement, AlignmentPlacesLinesInTheBox) {
  const GUIFont font = TestFont(kLatin);  // line height 10
  const TextBox box{100.0f, 200.0f, 50.0f, 40.0f};
  struct Case {
    uint32_t alignment;
    float first_x, first_y, last_x, last_y;  // first glyph of line 1, first glyph of line 2
  };
  // "ab cd" and "ef" (two lines of a 50-wide box; "ab cd " does not fit with "ef ").
  const Case cases[] = {
      {0x11, 100, 230, 100, 220},     // left, top: H - h
      {0x22, 113.75f, 220, 110, 210},  // centre: ((H - h) + h) / 2; the trailing space does not count
      {0x13, 127.5f, 230, 120, 220},  // right
      {0x31, 100, 210, 100, 200},     // bottom: the last line stands on the bottom edge
      {0x00, 100, 230, 100, 220},
  };
  for (const Case& c : cases) {
    const std::vector<Foot> feet = Layout(font, u"ab cd efghij", box, c.alignment, false);
    ASSERT_EQ(feet.size(), 10u) << std::hex << c.alignment;
    EXPECT_FLOAT_EQ(feet[0].x, c.first_x) << std::hex << c.alignment;
    EXPECT_FLOAT_EQ(feet[0].y, c.first_y) << std::hex << c.alignment;
    EXPECT_FLOAT_EQ(feet[4].x, c.last_x) << std::hex << c.alignment;
    EXPECT_FLOAT_EQ(feet[4].y, c.last_y) << std::hex << c.alignment;
  }
}

TEST(TextPlacement, JustifiedLinesEndFlushAndParagraphsKeepTheirIndent) {
  const GUIFont font = TestFont(kLatin);
  const TextBox box{0.0f, 0.0f, 60.0f, 100.0f};
  // The first line wraps before "ee" and is stretched: indent 5, then four words spread so the
  // last ends at 60; a paragraph's last line keeps its natural spacing; a one-line paragraph that
  // starts with spaces is indented once, not twice.
  const std::vector<Foot> feet = Layout(font, u"  aa bb cc dd ee\n  ff gg", box, 0x11, true);
  ASSERT_EQ(feet.size(), 14u);
  const float expected_x[] = {5, 10, 20, 25, 35, 40, 50, 55, 0, 5, 5, 10, 17.5f, 22.5f};
  for (int i = 0; i < 14; ++i) EXPECT_FLOAT_EQ(feet[i].x, expected_x[i]) << i;
  EXPECT_FLOAT_EQ(feet[8].y, 80.0f) << "second line";
  EXPECT_FLOAT_EQ(feet[10].y, 70.0f) << "the next paragraph";
}

TEST(TextRuns, HebrewRunsAreReversedForDisplay) {
  struct Case {
    std::u16string stored;
    std::u16string shown;
  };
  const Case cases[] = {
      {u"abc", u"abc"},
      {u"\u05D0\u05D1\u05D2", u"\u05D2\u05D1\u05D0"},
      {u"ab \u05D0\u05D1 \u05D2x", u"ab \u05D2 \u05D1\u05D0x"},
      {u"\uFB1D\uFB40 1", u"\uFB40\uFB1D 1"},
      // "shalom olam": the space between the words stays between them
      {u"\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD", u"\u05DD\u05DC\u05D5\u05E2 \u05DD\u05D5\u05DC\u05E9"},
      {u"ab \u05D0\u05D1 cd", u"ab \u05D1\u05D0 cd"},
      {u"\u05D0\u05D1  ", u"\u05D1\u05D0  "},
      {u"", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(ReorderRightToLeft(c.stored), c.shown);
  // Laid out, a run between Latin words stands apart from both, one space either side.
  EXPECT_EQ(Tokens(ReorderRightToLeft(u"ab \u05D0\u05D1 cd")), u"ab _ \u05D1\u05D0 _ cd");
  EXPECT_EQ(Tokens(ReorderRightToLeft(u"\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD")),
            u"\u05DD\u05DC\u05D5\u05E2 _ \u05DD\u05D5\u05DC\u05E9");
}

TEST(TextRuns, LinkedStaticsTakeWholeWordsThatFit) {
  const GUIFont font = TestFont(kLatin);
  const TextMeasure measure = [&font](std::u16string_view text) { return font.GetTextWidth(text); };
  struct Case {
    std::u16string text;
    float width;
    std::u16string fitting, rest;
  };
  const Case cases[] = {
      {u"aa bb   cc", 30.0f, u"aa bb", u"cc"},  // the next line starts at its word, not at the break
      {u"aa bb", 100.0f, u"aa bb", u""},
      {u"aa\n   bb", 100.0f, u"aa", u"bb"},           // a line feed sends the rest on, spaces dropped
      {u"aaaaaaaaaaaa bb", 30.0f, u"", u"aaaaaaaaaaaa bb"},  // a word wider than the box is never taken
      {u"\nbb", 100.0f, u"", u"bb"},
  };
  for (const Case& c : cases) {
    const TextFit fit = FitWords(c.text, c.width, measure);
    EXPECT_EQ(fit.fitting, c.fitting) << std::string(c.text.begin(), c.text.end());
    EXPECT_EQ(fit.rest, c.rest) << std::string(c.text.begin(), c.text.end());
  }
  EXPECT_EQ(FitWords(u"aa bb\ncc", 1.0f, nullptr).fitting, u"aa bb") << "no font: every word fits";
}

}  // namespace
