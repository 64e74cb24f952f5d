// TGA files: each kind made by hand byte by byte, round trips through the writer, and damaged or
// hostile files (every truncation, impossible headers, runs past the end) that must be refused or
// completed without reading or allocating beyond the file.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/os/os.h"
#include "source/stream/cFileStream.h"
#include "source/texture/ImageDamage.h"
#include "source/texture/TgaImageLoader.h"
#include "tests/source/texture/ImageTestUtil.h"
#include "tests/support/DamagedCopies.h"

namespace {

bool Load(const Bytes& file, Image& image) {
  cMemoryStream stream = StreamOf(file);
  return TgaImageLoader().Load(image, stream);
}

// A 2 x 2 picture: top row red, green; bottom row blue, white (BGR in the file).
const Bytes kTopRowBgr = {0, 0, 255, 0, 255, 0};
const Bytes kBottomRowBgr = {255, 0, 0, 255, 255, 255};

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TgaFile TrueColor(uint8_t descriptor, const Bytes& body) {
  TgaFile f;
  f.width = 2;
  f.height = 2;
  f.descriptor = descriptor;
  f.body = body;
  return f;
}

TEST(TgaFile, EachKindLoadsWithTheBottomRowFirst) {
  struct Case {
    const char* name;
    TgaFile file;
    uint32_t bits;
    Bytes bottom_left;  // image pixel (0, 0)
    Bytes top_right;    // image pixel (1, 1)
  };
  TgaFile grey;
  grey.type = 3, grey.depth = 8, grey.width = 2, grey.height = 2, grey.body = {1, 2, 3, 4};
  TgaFile sixteen;  // one alpha bit
  sixteen.depth = 16, sixteen.width = 2, sixteen.descriptor = 1, sixteen.body = {0x00, 0x80, 0xFF, 0x7F};
  TgaFile sixteen_opaque = sixteen;  // no alpha bits: the top bit is not alpha
  sixteen_opaque.descriptor = 0;
  TgaFile sixteen_top = sixteen;
  sixteen_top.descriptor = 0x21;
  TgaFile thirty_two;
  thirty_two.depth = 32, thirty_two.body = {10, 20, 30, 40};
  TgaFile with_id = TrueColor(0, Join({Bytes(10, 0xAB), kBottomRowBgr, kTopRowBgr}));
  with_id.id_length = 10;
  TgaFile grey_map;  // the writer's own kind: a grey ramp leaves the indices as the picture
  grey_map.map_type = 1, grey_map.type = 1, grey_map.map_length = 256, grey_map.map_bits = 24, grey_map.depth = 8;
  grey_map.width = 2;
  for (int i = 0; i < 256; ++i) grey_map.body.insert(grey_map.body.end(), {uint8_t(i), uint8_t(i), uint8_t(i)});
  grey_map.body.insert(grey_map.body.end(), {7, 200});
  TgaFile color_map;  // a two-colour map, first entry 5
  color_map.map_type = 1, color_map.type = 1, color_map.map_first = 5, color_map.map_length = 2, color_map.map_bits = 24;
  color_map.depth = 8, color_map.width = 2;
  color_map.body = {0, 0, 255, 255, 0, 0, 6, 5};
  TgaFile fifteen_map;  // 15-bit entries take two bytes each: the pixel data starts after 2 x 2 bytes
  fifteen_map.map_type = 1, fifteen_map.type = 1, fifteen_map.map_length = 2, fifteen_map.map_bits = 15;
  fifteen_map.depth = 8, fifteen_map.width = 2;
  fifteen_map.body = {0x00, 0x7C, 0x1F, 0x00, 1, 0};  // red (31 << 10), blue (31)
  TgaFile rle_repeat;  // one packet: 128 copies of one pixel
  rle_repeat.type = 10, rle_repeat.width = 128, rle_repeat.body = {0xFF, 9, 8, 7};
  TgaFile rle_mixed;  // a raw packet of 1 pixel, a repeat packet of 3, grey
  rle_mixed.type = 11, rle_mixed.depth = 8, rle_mixed.width = 4, rle_mixed.body = {0x00, 50, 0x82, 60};
  const Case cases[] = {
      {"24-bit, origin bottom", TrueColor(0, Join({kBottomRowBgr, kTopRowBgr})), 24, {0, 0, 255}, {0, 255, 0}},
      {"24-bit, origin top", TrueColor(0x20, Join({kTopRowBgr, kBottomRowBgr})), 24, {0, 0, 255}, {0, 255, 0}},
      {"24-bit with an ID field", with_id, 24, {0, 0, 255}, {0, 255, 0}},
      {"8-bit grey, origin bottom", grey, 8, {1}, {4}},
      {"16-bit with an alpha bit: 0x8000 and 0x7FFF", sixteen, 32, {0, 0, 0, 255}, {248, 248, 248, 0}},
      {"16-bit with an alpha bit, origin top", sixteen_top, 32, {0, 0, 0, 255}, {248, 248, 248, 0}},
      {"16-bit without alpha bits is opaque", sixteen_opaque, 32, {0, 0, 0, 255}, {248, 248, 248, 255}},
      {"32-bit", thirty_two, 32, {30, 20, 10, 40}, {30, 20, 10, 40}},
      {"colour-mapped grey ramp", grey_map, 8, {7}, {200}},
      {"colour-mapped colours", color_map, 24, {0, 0, 255}, {255, 0, 0}},
      {"colour-mapped, 15-bit entries", fifteen_map, 24, {0, 0, 248}, {248, 0, 0}},
      {"run-length repeat of 128", rle_repeat, 24, {7, 8, 9}, {7, 8, 9}},
      {"run-length raw and repeat", rle_mixed, 8, {50}, {60}},
  };
  for (const Case& c : cases) {
    Image image;
    ASSERT_TRUE(Load(c.file.Build(), image)) << c.name;
    EXPECT_EQ(image.GetBitsPerPixel(), c.bits) << c.name;
    EXPECT_EQ(PixelAt(image, 0, 0), c.bottom_left) << c.name;
    EXPECT_EQ(PixelAt(image, image.GetWidth() - 1, image.GetHeight() - 1), c.top_right) << c.name;
  }
  Image repeated;
  ASSERT_TRUE(Load(rle_repeat.Build(), repeated));
  for (uint32_t x = 0; x < 128; ++x) EXPECT_EQ(PixelAt(repeated, x, 0), (Bytes{7, 8, 9})) << x;
}

TEST(TgaFile, BothOriginsGiveTheSameImage) {
  Image bottom, top;
  ASSERT_TRUE(Load(TrueColor(0, Join({kBottomRowBgr, kTopRowBgr})).Build(), bottom));
  ASSERT_TRUE(Load(TrueColor(0x20, Join({kTopRowBgr, kBottomRowBgr})).Build(), top));
  EXPECT_EQ(bottom, top);
}

TEST(TgaFile, SavedImagesLoadBackUnchanged) {
  for (uint32_t bits : {8u, 24u, 32u}) {
    const Image original = Pattern(13, 7, bits);
    cMemoryStream file;
    ASSERT_TRUE(TgaImageLoader().Save(original, file)) << bits;
    Image loaded;
    file.Seek(0, 0);
    ASSERT_TRUE(TgaImageLoader().Load(loaded, file)) << bits;
    EXPECT_EQ(loaded, original) << bits;
    const Bytes bytes = BytesOf(file);
    EXPECT_EQ(bytes[17], 0x20) << "top origin";
    if (bits == 8) {
      EXPECT_EQ(bytes[1], 1);  // colour-mapped
      EXPECT_EQ(bytes[5] | (bytes[6] << 8), 256);
      EXPECT_EQ(bytes.size(), 18u + 768u + 13u * 7u);
      EXPECT_EQ(Bytes(bytes.begin() + 18 + 3 * 200, bytes.begin() + 18 + 3 * 201), (Bytes{200, 200, 200}));
    }
  }
  // Nothing to save, sides a TGA header cannot hold, a stream that takes nothing: no file claims
  // to be whole.
  class FullStream : public cMemoryStream {
   public:
    uint32_t Write(const void*, uint32_t) override { return 0; }
  };
  cMemoryStream file;
  FullStream full;
  EXPECT_FALSE(TgaImageLoader().Save(Image(), file));
  EXPECT_FALSE(TgaImageLoader().Save(Pattern(70000, 1, 24), file));
  EXPECT_EQ(file.GetSize(), 0u);
  EXPECT_FALSE(TgaImageLoader().Save(Pattern(4, 4, 24), full));
}

// A file in memory is read where it lies, from the stream's position on; a file on disk through
// reads: both give the picture and leave the stream at the file's end.
TEST(TgaFile, AFileLoadsTheSameFromMemoryAndFromDisk) {
  const Image original = Pattern(9, 6, 24);
  cMemoryStream saved;
  ASSERT_TRUE(TgaImageLoader().Save(original, saved));
  const Bytes file = BytesOf(saved);
  const Bytes prefixed = Join({Bytes{1, 2, 3, 4, 5}, file});
  cMemoryStream memory = StreamOf(prefixed);
  memory.Seek(5, 0);
  Image from_memory;
  ASSERT_TRUE(TgaImageLoader().Load(from_memory, memory));
  EXPECT_EQ(from_memory, original);
  EXPECT_EQ(memory.Tell(), prefixed.size());

  const std::string path = ::testing::TempDir() + "velmaris-tga-" + std::to_string(getpid()) + ".tga";
  {
    cFileStream out(path, os::kCreateAlways, os::kAccessWrite, os::kShareRead);
    ASSERT_EQ(out.Write(file.data(), static_cast<uint32_t>(file.size())), file.size());
  }
  cFileStream disk(path, os::kOpenExisting, os::kAccessRead, os::kShareRead);
  Image from_disk;
  ASSERT_TRUE(TgaImageLoader().Load(from_disk, disk));
  EXPECT_EQ(from_disk, original);
  EXPECT_EQ(disk.Tell(), file.size());
  std::remove(path.c_str());
}

TEST(TgaFile, ImpossibleHeadersAreRefused) {
  struct Case {
    const char* name;
    TgaFile file;
  };
  TgaFile no_data;
  no_data.type = 0;
  TgaFile depth;
  depth.depth = 15, depth.body = {0, 0};
  TgaFile empty;
  empty.width = 0, empty.body = {1, 2, 3};
  TgaFile huge;  // 65535 x 65535 claimed by a few bytes
  huge.width = huge.height = 0xFFFF, huge.type = 10, huge.body = {0xFF, 1, 2, 3};
  TgaFile greedy;  // more pixels than even run-length data could hold
  greedy.width = 1000, greedy.height = 1000, greedy.type = 10, greedy.body = {0xFF, 1, 2, 3};
  const Case cases[] = {{"no image data", no_data}, {"depth 15", depth}, {"no width", empty},
                        {"65535 x 65535", huge}, {"more pixels than data", greedy}};
  for (const Case& c : cases) {
    Image image = Pattern(2, 2, 24);
    EXPECT_FALSE(Load(c.file.Build(), image)) << c.name;
  }
  Image image;
  EXPECT_FALSE(Load(Bytes{0, 0, 2}, image)) << "shorter than a header";
}

TEST(TgaFile, ShortDataIsCompletedWithZerosAndRunsStopAtTheImageEnd) {
  // Each damaged file is read right after a whole picture of the same size filled with 0xEE has
  // been let go, so pixels the loader failed to write would show its bytes instead of zeros.
  struct Case {
    const char* name;
    TgaFile file;
    Bytes first;  // image pixel (0, 0)
    Bytes last;   // the last pixel, never reached by the data
  };
  TgaFile raw = TrueColor(0x20, Join({kTopRowBgr, Bytes{255, 0}}));
  TgaFile cut_packet;  // a repeat packet whose pixel is cut off
  cut_packet.type = 10, cut_packet.width = 2, cut_packet.body = {0x00, 1, 2, 3, 0x80, 4};
  TgaFile cut_raw_packet;  // a raw packet of three pixels holding one and a half
  cut_raw_packet.type = 10, cut_raw_packet.width = 4, cut_raw_packet.body = {0x02, 1, 2, 3, 4, 5};
  TgaFile grey;
  grey.type = 3, grey.depth = 8, grey.width = 4, grey.body = {9};
  TgaFile sixteen;
  sixteen.depth = 16, sixteen.width = 3, sixteen.body = {0xFF, 0x7F, 0x1F};
  TgaFile mapped;  // a two-colour map and one index of four
  mapped.map_type = 1, mapped.type = 1, mapped.map_length = 2, mapped.map_bits = 24, mapped.depth = 8;
  mapped.width = 4, mapped.body = {0, 0, 255, 255, 0, 0, 1};
  const Case cases[] = {
      {"raw, two bytes of the second row", raw, {255, 0, 0}, {0, 0, 0}},
      {"repeat packet cut off", cut_packet, {3, 2, 1}, {0, 0, 0}},
      {"raw packet cut mid-pixel", cut_raw_packet, {3, 2, 1}, {0, 0, 0}},
      {"grey", grey, {9}, {0}},
      {"16 bits, a pixel and a half", sixteen, {248, 248, 248, 255}, {0, 0, 0, 255}},
      {"colour-mapped, zero indices are the first colour", mapped, {0, 0, 255}, {255, 0, 0}},
  };
  for (const Case& c : cases) {
    TgaFile whole = c.file;
    whole.type = static_cast<uint8_t>(whole.type & 7);
    whole.body.resize(whole.body.size() + std::size_t{whole.width} * whole.height * 4, 0xEE);
    {
      Image dirty;
      ASSERT_TRUE(Load(whole.Build(), dirty)) << c.name;
    }
    EXPECT_EQ(TakeImageDamage(), "") << c.name << ": the whole file";
    Image image;
    ASSERT_TRUE(Load(c.file.Build(), image)) << c.name;
    const std::string noted = TakeImageDamage();
    EXPECT_NE(noted.find("TGA pixel data ends early: "), std::string::npos) << c.name;
    EXPECT_NE(noted.find(" of " + std::to_string(c.file.height) + " rows are whole"), std::string::npos) << noted;
    EXPECT_EQ(PixelAt(image, 0, c.file.height - 1u), c.first) << c.name;
    EXPECT_EQ(PixelAt(image, c.file.width - 1u, 0), c.last) << c.name;
  }
  TgaFile overrun;  // a run of 128 into a 2 x 2 picture, then more packets
  overrun.type = 10, overrun.width = 2, overrun.height = 2, overrun.body = {0xFF, 1, 2, 3, 0xFF, 4, 5, 6};
  Image image;
  ASSERT_TRUE(Load(overrun.Build(), image));
  EXPECT_EQ(PixelAt(image, 1, 1), (Bytes{3, 2, 1}));
}

TEST(TgaFile, EveryTruncationAndCorruptionIsSafe) {
  cMemoryStream saved;
  ASSERT_TRUE(TgaImageLoader().Save(Pattern(9, 5, 32), saved));
  TgaFile rle;
  rle.type = 10, rle.width = 6, rle.height = 3, rle.body = {0x83, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9, 0xFF, 1, 1, 1};
  for (const Bytes& file : {BytesOf(saved), rle.Build()}) {
    ForEachDamagedCopy(file, 1, 0xA5, [](const Bytes& damaged) {
      Image image;
      Load(damaged, image);
    });
  }
}

}  // namespace
