// UTF-8 to UTF-16 and back, and the string helpers beside them.

#include <gtest/gtest.h>

#include <string>

#include "source/text/TextConversion.h"

namespace {

std::u16string Wide(const std::string& bytes) { return ToWideString(bytes); }

TEST(DecodeUtf8Char, OneTwoAndThreeByteSequences) {
  Utf8Char c = DecodeUtf8Char("A", 1);
  EXPECT_EQ(c.unit, u'A');
  EXPECT_EQ(c.length, 1u);
  c = DecodeUtf8Char("\xC3\xA9", 2);
  EXPECT_EQ(c.unit, 0x00E9);
  EXPECT_EQ(c.length, 2u);
  c = DecodeUtf8Char("\xE2\x82\xAC", 3);
  EXPECT_EQ(c.unit, 0x20AC);
  EXPECT_EQ(c.length, 3u);
}

TEST(DecodeUtf8Char, ContinuationBytesAreTakenAsTheyCome) {
  // The decoder does not check the 10xxxxxx form: C3 41 is the unit 0xC1 from two bytes.
  const Utf8Char c = DecodeUtf8Char("\xC3\x41", 2);
  EXPECT_EQ(c.unit, 0x00C1);
  EXPECT_EQ(c.length, 2u);
}

TEST(DecodeUtf8Char, InvalidLeadsGiveReplacementAndMoveOn) {
  for (const char* bytes : {"\x80", "\xBF", "\xF8", "\xFF"}) {
    const Utf8Char c = DecodeUtf8Char(bytes, 1);
    EXPECT_EQ(c.unit, 0xFFFD);
    EXPECT_EQ(c.length, 1u);
  }
}

TEST(DecodeUtf8Char, NeverReadsPastTheEndOrAZero) {
  // The buffers are exactly as long as given, so ASan sees any read beyond them.
  const char two[1] = {'\xC3'};
  Utf8Char c = DecodeUtf8Char(two, 1);
  EXPECT_EQ(c.unit, 0xFFFD);
  EXPECT_EQ(c.length, 1u);
  const char three[2] = {'\xE2', '\x82'};
  c = DecodeUtf8Char(three, 2);
  EXPECT_EQ(c.unit, 0xFFFD);
  EXPECT_EQ(c.length, 2u);
  const char zero_inside[3] = {'\xE2', '\0', '\xAC'};
  c = DecodeUtf8Char(zero_inside, 3);
  EXPECT_EQ(c.unit, 0xFFFD);
  EXPECT_EQ(c.length, 1u);
  const char four[2] = {'\xF0', '\x9F'};
  c = DecodeUtf8Char(four, 2);
  EXPECT_EQ(c.unit, 0xFFFD);
  EXPECT_EQ(c.length, 2u);
  EXPECT_EQ(DecodeUtf8Char("", 1).length, 0u);
  EXPECT_EQ(DecodeUtf8Char("A", 0).length, 0u);
  EXPECT_EQ(DecodeUtf8Char(nullptr, 4).length, 0u);
}

TEST(Utf8ToWide, KnownTexts) {
  EXPECT_EQ(Utf8ToWide("A"), u"A");
  EXPECT_EQ(Utf8ToWide("caf\xC3\xA9"), u"caf\u00E9");
  EXPECT_EQ(Utf8ToWide("\xE2\x82\xAC" "5"), u"\u20AC" u"5");
  EXPECT_EQ(Utf8ToWide(""), u"");
  EXPECT_EQ(Utf8ToWide(nullptr), u"");
}

TEST(Utf8ToWide, FourByteSequenceIsOneReplacement) {
  EXPECT_EQ(Utf8ToWide("a\xF0\x9F\x98\x80" "b"), u"a\uFFFDb");
}

TEST(Utf8ToWide, TruncatedSequencesAtTheEnd) {
  EXPECT_EQ(Utf8ToWide("ab\xC3"), u"ab\uFFFD");
  EXPECT_EQ(Utf8ToWide("ab\xE2\x82"), u"ab\uFFFD");
  EXPECT_EQ(Utf8ToWide("ab\xF0\x9F\x98"), u"ab\uFFFD");
  EXPECT_EQ(Utf8ToWide("\x80\x80"), u"\uFFFD\uFFFD");
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
  std::u16string text = u" \t\r\nPlayer One \x01";
  TrimWideString(text);
  EXPECT_EQ(text, u"Player One");
  std::u16string blank = u"  \t ";
  TrimWideString(blank);
  EXPECT_EQ(blank, u"");
  std::u16string nbsp = u"\u00A0x\u00A0";  // above 32: kept
  TrimWideString(nbsp);
  EXPECT_EQ(nbsp, u"\u00A0x\u00A0");
  std::u16string empty;
  TrimWideString(empty);
  EXPECT_EQ(empty, u"");
}

}  // namespace
