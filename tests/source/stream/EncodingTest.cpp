#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "source/stream/Encoding.h"
#include "source/stream/cMemoryStream.h"
#include "tests/source/stream/StreamTestUtil.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

uint32_t BitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

float FloatOf(uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace

// Each writer's bytes, as hand-made fixtures: little-endian integers, IEEE floats, a length before
// the bytes of a string (no terminator), a count before lists and maps, map pairs in key order.
TEST(EncodingFixtures, WritersGiveTheDocumentedBytes) {
  const struct {
    const char* name;
    bool (*write)(cStream&);
    std::string bytes;
  } cases[] = {
      {"integer", [](cStream& s) { return WriteUInt32(s, 0x12345678u); }, Bytes({0x78, 0x56, 0x34, 0x12})},
      {"float", [](cStream& s) { return WriteFloat(s, 1.0f); }, Bytes({0x00, 0x00, 0x80, 0x3F})},
      {"empty string", [](cStream& s) { return WriteString(s, ""); }, std::string(4, '\0')},
      {"string", [](cStream& s) { return WriteString(s, "ab\xC3\xA9"); }, Bytes({4, 0, 0, 0, 'a', 'b', 0xC3, 0xA9})},
      {"two empty strings", [](cStream& s) { return WriteStringVector({"", ""}, s); },
       Bytes({2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"wide string", [](cStream& s) { return WriteWideString(s, u"A\u20AC"); },
       Bytes({2, 0, 0, 0, 0x41, 0x00, 0xAC, 0x20})},
      {"map", [](cStream& s) { return WriteStringMap({{"b", "2"}, {"a", ""}}, s); },
       Bytes({2, 0, 0, 0, 1, 0, 0, 0, 'a', 0, 0, 0, 0, 1, 0, 0, 0, 'b', 1, 0, 0, 0, '2'})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    cMemoryStream stream;
    ASSERT_TRUE(c.write(stream));
    EXPECT_EQ(BytesOf(stream), c.bytes);
  }
}

TEST(EncodingFixtures, ReadsHandMadeBytes) {
  cMemoryStream stream = StreamOf(Bytes({3, 0, 0, 0, 'x', 'y', 'z', 0xFF, 0xFF, 0xFF, 0xFF}));
  std::string text;
  uint32_t value = 0;
  ASSERT_TRUE(ReadString(stream, text));
  ASSERT_TRUE(ReadUInt32(stream, value));
  EXPECT_EQ(text, "xyz");
  EXPECT_EQ(value, 0xFFFFFFFFu);
  EXPECT_EQ(RemainingBytes(stream), 0u);
}

// Writes every value, then reads them back in order over a stale output: each comes back as it went.
template <class T, class Write, class Read>
void ExpectRoundTrip(const std::vector<T>& values, Write write, Read read, const T& stale) {
  cMemoryStream stream;
  for (const T& v : values) ASSERT_TRUE(write(stream, v));
  stream.Seek(0, 0);
  for (const T& v : values) {
    T back = stale;
    ASSERT_TRUE(read(stream, back));
    EXPECT_EQ(back, v);
  }
}

// Floats keep every bit, NaN payloads too; strings and wide strings any bytes or code units.
TEST(EncodingRoundTrip, IntegersFloatsStringsAndWideStrings) {
  ExpectRoundTrip<uint32_t>({0u, 1u, 255u, 256u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu},
                            [](cStream& s, uint32_t v) { return WriteUInt32(s, v); },
                            [](cStream& s, uint32_t& v) { return ReadUInt32(s, v); }, 0u);
  ExpectRoundTrip<uint32_t>(
      {BitsOf(0.0f), BitsOf(-0.0f), BitsOf(1.5f), BitsOf(-3.25e-7f), BitsOf(std::numeric_limits<float>::infinity()),
       BitsOf(std::numeric_limits<float>::denorm_min()), 0x7FC00000u /* quiet NaN */,
       0x7FA12345u /* signalling NaN with payload */, 0xFFC00001u},
      [](cStream& s, uint32_t bits) { return WriteFloat(s, FloatOf(bits)); },
      [](cStream& s, uint32_t& bits) {
        float read = 0;
        const bool ok = ReadFloat(s, read);
        bits = BitsOf(read);
        return ok;
      },
      0u);
  ExpectRoundTrip<std::string>(
      {"", "a", std::string("nul\0inside", 10), "\xC3\xA9t\xC3\xA9", std::string(70000, 'q')},
      [](cStream& s, const std::string& t) { return WriteString(s, t); },
      [](cStream& s, std::string& t) { return ReadString(s, t); }, "old");
  ExpectRoundTrip<std::u16string>(
      {u"", u"plain", u"\U0001F600 smile", u"\xD800 lone high", u"lone low \xDFFF", u"\xFFFF\x0000\x0001"},
      [](cStream& s, const std::u16string& t) { return WriteWideString(s, t); },
      [](cStream& s, std::u16string& t) { return ReadWideString(s, t); }, u"old");
}

TEST(EncodingRoundTrip, ListsAndMaps) {
  const std::vector<std::string> list = {"one", "", "three", std::string(1, '\0')};
  const std::map<std::string, std::string> map = {{"", "empty key"}, {"k", ""}, {"x", "y"}};
  cMemoryStream stream;
  ASSERT_TRUE(WriteStringVector(list, stream));
  ASSERT_TRUE(WriteStringMap(map, stream));
  ASSERT_TRUE(WriteStringVector({}, stream));
  stream.Seek(0, 0);
  std::vector<std::string> read_list = {"stale"};
  std::map<std::string, std::string> read_map = {{"stale", "stale"}};
  std::vector<std::string> empty = {"stale"};
  ASSERT_TRUE(ReadStringVector(read_list, stream));
  ASSERT_TRUE(ReadStringMap(read_map, stream));
  ASSERT_TRUE(ReadStringVector(empty, stream));
  EXPECT_EQ(read_list, list);
  EXPECT_EQ(read_map, map);
  EXPECT_TRUE(empty.empty());
  EXPECT_TRUE(stream.IsEof());
}

TEST(EncodingTruncated, ShortReadsFailAndLeaveTheirOutputAlone) {
  cMemoryStream stream = StreamOf(Bytes({1, 2, 3}));
  uint32_t value = 77;
  float number = 2.0f;
  EXPECT_FALSE(ReadUInt32(stream, value));
  EXPECT_EQ(value, 77u);
  stream.Seek(0, 0);
  EXPECT_FALSE(ReadFloat(stream, number));
  EXPECT_EQ(number, 2.0f);
  cMemoryStream short_list = StreamOf(Bytes({2, 0, 0, 0, 1, 0, 0, 0, 'a', 9, 0, 0, 0}));
  std::vector<std::string> list = {"kept"};
  EXPECT_FALSE(ReadStringVector(list, short_list));
  EXPECT_EQ(list, std::vector<std::string>{"kept"});
}

TEST(EncodingTruncated, EveryCutOfAnEncodedRecordFails) {
  cMemoryStream whole;
  WriteStringVector({"alpha", "", "gamma"}, whole);
  WriteStringMap({{"key", "value"}}, whole);
  WriteWideString(whole, u"wide");
  const std::string bytes = BytesOf(whole);
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    cMemoryStream stream = StreamOf(bytes.substr(0, cut));
    std::vector<std::string> list;
    std::map<std::string, std::string> map;
    std::u16string wide;
    const bool all = ReadStringVector(list, stream) && ReadStringMap(map, stream) &&
                     ReadWideString(stream, wide);
    EXPECT_FALSE(all) << "cut at " << cut;
  }
}

TEST(EncodingAbsurdLengths, ClaimsBeyondTheStreamFailWithoutAllocating) {
  // Each claims about 4 GiB; honouring the claim would exhaust memory under the sanitizer.
  std::string text = "kept";
  cMemoryStream huge_string = StreamOf(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'}));
  EXPECT_FALSE(ReadString(huge_string, text));
  EXPECT_EQ(text, "kept");

  std::u16string wide = u"kept";
  cMemoryStream huge_wide = StreamOf(Bytes({0xFF, 0xFF, 0xFF, 0x7F, 'a', 0}));
  EXPECT_FALSE(ReadWideString(huge_wide, wide));
  EXPECT_EQ(wide, u"kept");

  std::vector<std::string> list;
  cMemoryStream huge_list = StreamOf(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
  EXPECT_FALSE(ReadStringVector(list, huge_list));

  std::map<std::string, std::string> map;
  cMemoryStream huge_map = StreamOf(Bytes({0x00, 0x00, 0x00, 0x40, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(ReadStringMap(map, huge_map));
}

TEST(EncodingAbsurdLengths, LengthOneByteTooLongFails) {
  cMemoryStream stream = StreamOf(Bytes({4, 0, 0, 0, 'a', 'b', 'c'}));
  std::string text;
  EXPECT_FALSE(ReadString(stream, text));
  cMemoryStream wide = StreamOf(Bytes({2, 0, 0, 0, 'a', 0, 'b'}));
  std::u16string wide_text;
  EXPECT_FALSE(ReadWideString(wide, wide_text));
  // A count that would fit only if strings took no room for their lengths.
  cMemoryStream list = StreamOf(Bytes({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  std::vector<std::string> strings;
  EXPECT_FALSE(ReadStringVector(strings, list));
}

TEST(EncodingRemaining, IsZeroAtAndPastTheEnd) {
  cMemoryStream stream = StreamOf("abcdef");
  EXPECT_EQ(RemainingBytes(stream), 6u);
  stream.Seek(4, 0);
  EXPECT_EQ(RemainingBytes(stream), 2u);
  stream.Seek(0, 2);
  EXPECT_EQ(RemainingBytes(stream), 0u);
}

TEST(EncodingWriters, ReportAStreamThatStopsAccepting) {
  cFullSink no_room(0);
  EXPECT_FALSE(WriteUInt32(no_room, 1));
  EXPECT_FALSE(WriteFloat(no_room, 1.0f));
  cFullSink room_for_length(4);
  EXPECT_FALSE(WriteString(room_for_length, "text"));
  cFullSink room_for_wide_length(5);
  EXPECT_FALSE(WriteWideString(room_for_wide_length, u"wide"));
  cFullSink room_for_one(9);
  EXPECT_FALSE(WriteStringVector({"a", "b"}, room_for_one));
  cFullSink room_for_key(9);
  EXPECT_FALSE(WriteStringMap({{"k", "v"}}, room_for_key));
  cFullSink room_for_empty(4);
  EXPECT_TRUE(WriteString(room_for_empty, ""));
}
