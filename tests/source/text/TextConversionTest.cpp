// UTF-8 to UTF-16 and back, and the string helpers beside them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source/text/TextConversion.h"

namespace {

std::u16string Wide(const std::string& bytes) { return ToWideString(bytes); }

// Each row's buffer is exactly as long as given, so ASan sees any read beyond it.
TEST(DecodeUtf8Char, SequencesInvalidLeadsAndCutsNeverReadPastTheEndOrAZero) {
  const struct {
    std::string bytes;
    char16_t unit;
    std::size_t length;
  } cases[] = {
      {"A", u'A', 1},
      {"\xC3\xA9", 0x00E9, 2},
      {"\xE2\x82\xAC", 0x20AC, 3},
      {"\xC3\x41", 0x00C1, 2},  // the 10xxxxxx form is not checked: taken as it comes
      {"\x80", 0xFFFD, 1},
      {"\xBF", 0xFFFD, 1},
      {"\xF8", 0xFFFD, 1},
      {"\xFF", 0xFFFD, 1},
      {"\xC3", 0xFFFD, 1},
      {"\xE2\x82", 0xFFFD, 2},
      {std::string("\xE2\0\xAC", 3), 0xFFFD, 1},
      {"\xF0\x9F", 0xFFFD, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    const std::vector<char> exact(c.bytes.begin(), c.bytes.end());
    const Utf8Char decoded = DecodeUtf8Char(exact.data(), exact.size());
    EXPECT_EQ(decoded.unit, c.unit);
    EXPECT_EQ(decoded.length, c.length);
  }
  EXPECT_EQ(DecodeUtf8Char("", 1).length, 0u);
  EXPECT_EQ(DecodeUtf8Char("A", 0).length, 0u);
  EXPECT_EQ(DecodeUtf8Char(nullptr, 4).length, 0u);
}

TEST(Utf8ToWide, KnownFourByteAndTruncatedTexts) {
  const struct {
    const char* utf8;
    std::u16string wide;
  } cases[] = {
      {"A", u"A"},
      {"caf\xC3\xA9", u"caf\u00E9"},
      {"\xE2\x82\xAC" "5", u"\u20AC" u"5"},
      {"", u""},
      {nullptr, u""},
      {"a\xF0\x9F\x98\x80" "b", u"a\uFFFDb"},  // a four-byte sequence is one replacement
      {"ab\xC3", u"ab\uFFFD"},
      {"ab\xE2\x82", u"ab\uFFFD"},
      {"ab\xF0\x9F\x98", u"ab\uFFFD"},
      {"\x80\x80", u"\uFFFD\uFFFD"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8 != nullptr ? c.utf8 : "null");
    EXPECT_EQ(Utf8ToWide(c.utf8), c.wide);
  }
}

TEST(ToWideString, StopsAtAnEmbeddedZeroAndHonoursTheLength) {
  EXPECT_EQ(Wide(std::string("ab\0cd", 5)), u"ab");
  EXPECT_EQ(Wide(std::string("\xE2\0\xAC", 3)), u"\uFFFD");
  const std::string cut = std::string("\xE2\x82\xAC").substr(0, 2);
  EXPECT_EQ(Wide(cut), u"\uFFFD");
}

TEST(WideToUtf8, RoundTripsAndSurrogates) {
  EXPECT_EQ(WideToUtf8(u"A\u00E9\u20AC"), "A\xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(Utf8ToWide(WideToUtf8(u"Velmaris \u00E9t\u00E9 \u20AC").c_str()),
            u"Velmaris \u00E9t\u00E9 \u20AC");
  EXPECT_EQ(WideToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(WideToUtf8(std::u16string(1, char16_t(0xD83D)) + u"x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(WideToUtf8(std::u16string(1, char16_t(0xDE00))), "\xEF\xBF\xBD");
  EXPECT_EQ(WideToUtf8(u""), "");
  EXPECT_EQ(WideToUtf8(u"\u007F\u0080\u07FF\u0800\uFFFF"),
            "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF");
}

TEST(ToLower, OnlyAsciiLettersChange) {
  EXPECT_EQ(ToLower("Data\\GUI\\Main.XML"), "data\\gui\\main.xml");
  EXPECT_EQ(ToLower("\xC3\x89t\xC3\xA9"), "\xC3\x89t\xC3\xA9");
  EXPECT_EQ(ToLower(""), "");
}

TEST(TrimWideString, SpacesAndControlsAtBothEnds) {
  const struct {
    std::u16string text, trimmed;
  } cases[] = {
      {u" \t\r\nPlayer One \x01", u"Player One"},
      {u"  \t ", u""},
      {u"\u00A0x\u00A0", u"\u00A0x\u00A0"},  // above 32: kept
      {u"", u""},
  };
  for (const auto& c : cases) {
    std::u16string text = c.text;
    TrimWideString(text);
    EXPECT_EQ(text, c.trimmed) << testing::PrintToString(c.text);
  }
}

}  // namespace
