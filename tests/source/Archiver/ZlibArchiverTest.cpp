// The "Zlib" block: round trips, hand-made blocks, and blocks that lie about their size or are
// damaged.

#include <gtest/gtest.h>

#include <string>

#include "source/Archiver/ZlibBlock.h"
#include "source/Archiver/cZlibArchiver.h"
#include "source/stream/cMemoryStream.h"
#include "tests/support/fixtures/ResourceFixtures.h"
#include "tests/support/MemoryBytes.h"

namespace {

// Inflates a block through the method; the log line is captured so it can be checked.
bool Uncompress(const std::string& block, std::string& out, std::string* log = nullptr) {
  cMemoryStream source = StreamOf(block);
  cMemoryStream destination;
  testing::internal::CaptureStderr();
  const bool done = cZlibArchiver().Uncompress(source, destination);
  const std::string printed = testing::internal::GetCapturedStderr();
  if (log != nullptr) *log = printed;
  out = BytesOf(destination);
  return done;
}

std::string Compress(const std::string& data, bool* done = nullptr) {
  cMemoryStream source = StreamOf(data);
  cMemoryStream destination;
  testing::internal::CaptureStderr();
  const bool ok = cZlibArchiver().Compress(source, destination);
  testing::internal::GetCapturedStderr();
  if (done != nullptr) *done = ok;
  return BytesOf(destination);
}

TEST(ZlibArchiver, RoundTripsEverySize) {
  for (const std::string& data :
       {std::string(), std::string("a"), CompressibleText(100), CompressibleText(65536),
        RandomBytes(300000, 3), std::string(1 << 20, '\0')}) {
    bool done = false;
    const std::string block = Compress(data, &done);
    ASSERT_TRUE(done) << data.size();
    ASSERT_GT(block.size(), 4u) << "a size word and a stream, even for nothing";
    EXPECT_EQ(block.substr(0, 4), Word(static_cast<uint32_t>(data.size())));
    std::string out;
    ASSERT_TRUE(Uncompress(block, out)) << data.size();
    EXPECT_EQ(out, data);
  }
}

TEST(ZlibArchiver, ReadsABlockMadeByZlibItself) {
  std::string out;
  ASSERT_TRUE(Uncompress(MakeZlibBlock("hello, harbour"), out));
  EXPECT_EQ(out, "hello, harbour");
}

TEST(ZlibArchiver, DataNeedingMoreThanTheSlackIsNotCompressed) {
  // Random data grows under deflate by about 5 bytes a 16 KiB block: 8 MiB needs ~2.5 KB extra.
  bool done = true;
  cMemoryStream source = StreamOf(RandomBytes(8 << 20, 11));
  cMemoryStream destination;
  testing::internal::CaptureStderr();
  done = cZlibArchiver().Compress(source, destination);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(done);
  EXPECT_NE(log.find("zlib compression failed"), std::string::npos) << log;
}

TEST(ZlibArchiver, CutShortBlocksFail) {
  const std::string block = MakeZlibBlock(CompressibleText(5000));
  for (std::size_t length = 0; length < block.size(); ++length) {
    std::string out;
    std::string log;
    EXPECT_FALSE(Uncompress(block.substr(0, length), out, &log)) << length;
    EXPECT_NE(log.find("zlib uncompression failed"), std::string::npos) << length;
  }
}

TEST(ZlibArchiver, StatedSizeMustComeOutExactly) {
  const std::string data = CompressibleText(4000);
  const std::string stream = MakeZlibBlock(data).substr(4);
  std::string out;
  EXPECT_FALSE(Uncompress(Word(3999) + stream, out));
  EXPECT_FALSE(Uncompress(Word(4001) + stream, out));
  EXPECT_TRUE(Uncompress(Word(4000) + stream, out));
}

TEST(ZlibArchiver, UnbelievableStatedSizesAreRefusedBeforeAllocating) {
  const std::string stream = MakeZlibBlock("tiny").substr(4);
  const auto believed = [](const std::string& block) {
    uint32_t stated = 0;
    return zlib_block::ReadStatedSize(reinterpret_cast<const uint8_t*>(block.data()), block.size(), stated);
  };
  const std::string huge = Word(0xFFFFFFFFu) + stream;
  EXPECT_FALSE(believed(huge));
  // Believable only up to 1032 times the zlib bytes.
  EXPECT_FALSE(believed(Word(static_cast<uint32_t>(stream.size() * 1032 + 1)) + stream));
  EXPECT_TRUE(believed(Word(static_cast<uint32_t>(stream.size() * 1032)) + stream));
  // 300 MiB of zeros packs to ~300 KB, which would be believable by ratio; the cap refuses it.
  EXPECT_FALSE(believed(Word((256u << 20) + 1) + std::string(300000, '\0')));
  std::string out;
  EXPECT_FALSE(Uncompress(huge, out));
}

TEST(ZlibArchiver, TheMostCompressibleDataStaysWithinTheRatio) {
  const std::string zeros(8 << 20, '\0');
  bool done = false;
  const std::string block = Compress(zeros, &done);
  ASSERT_TRUE(done);
  std::string out;
  ASSERT_TRUE(Uncompress(block, out));
  EXPECT_EQ(out.size(), zeros.size());
}

TEST(ZlibArchiver, FlippedBytesNeverCrash) {
  const std::string block = MakeZlibBlock(CompressibleText(2000));
  for (std::size_t at = 0; at < block.size(); ++at) {
    std::string damaged = block;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
    std::string out;
    if (Uncompress(damaged, out)) {
      EXPECT_EQ(out.size(), 2000u);
    }
  }
}

TEST(ZlibArchiver, TrailingBytesAfterTheStreamAreIgnored) {
  std::string out;
  ASSERT_TRUE(Uncompress(MakeZlibBlock("abc") + "junk", out));
  EXPECT_EQ(out, "abc");
}

}  // namespace
