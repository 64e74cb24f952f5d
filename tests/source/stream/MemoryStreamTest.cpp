#include <gtest/gtest.h>

#include <string>

#include "source/stream/cMemoryStream.h"
#include "source/stream/cSubStream.h"
#include "tests/source/stream/StreamTestUtil.h"

TEST(MemoryStream, StartsEmptyAndAtItsEndAndAZeroLengthWriteChangesNothing) {
  cMemoryStream stream;
  EXPECT_EQ(stream.GetSize(), 0u);
  EXPECT_EQ(stream.Tell(), 0u);
  EXPECT_TRUE(stream.IsEof());
  char byte = 0;
  EXPECT_EQ(stream.Read(&byte, 1), 0u);
  EXPECT_EQ(stream.Write(nullptr, 0), 0u);
  EXPECT_EQ(stream.GetSize(), 0u);
}

TEST(MemoryStream, SeekClampsToTheStreamsBounds) {
  cMemoryStream stream = StreamOf("0123456789");
  EXPECT_EQ(stream.Seek(-5, 0), 0u);
  EXPECT_EQ(stream.Seek(10 + 10, 0), 10u);
  EXPECT_EQ(stream.Seek(4, 0), 4u);
  EXPECT_EQ(stream.Seek(-100, 1), 0u);
  EXPECT_EQ(stream.Seek(3, 1), 3u);
  EXPECT_EQ(stream.Seek(0, 2), 10u);
  EXPECT_EQ(stream.Seek(-4, 2), 6u);
  EXPECT_EQ(stream.Seek(7, 2), 10u);
  EXPECT_EQ(stream.Seek(2, 0), 2u);
  EXPECT_EQ(stream.Seek(5, 9), 2u) << "an unknown origin leaves the position";
  EXPECT_EQ(stream.Seek(INT32_MIN, 1), 0u);
  EXPECT_EQ(stream.Seek(INT32_MAX, 2), 10u);
}

TEST(MemoryStream, ReadAtTheEndAnswersZeroAndStaysAndAWriteThereAppends) {
  cMemoryStream stream = StreamOf("abc");
  EXPECT_EQ(Take(stream, 10), "abc");
  EXPECT_EQ(stream.Tell(), 3u);
  EXPECT_EQ(Take(stream, 1), "");
  EXPECT_EQ(stream.Tell(), 3u);
  stream.Seek(1, 0);
  EXPECT_EQ(stream.Seek(0, 2), 3u);
  EXPECT_EQ(stream.Write("de", 2), 2u);
  EXPECT_EQ(BytesOf(stream), "abcde");
  EXPECT_TRUE(stream.IsEof());
}

TEST(MemoryStream, WriteInsideKeepsTheLargerSize) {
  cMemoryStream stream = StreamOf("0123456789");
  stream.Seek(2, 0);
  EXPECT_EQ(stream.Write("ab", 2), 2u);
  EXPECT_EQ(stream.GetSize(), 10u) << "an overwrite must not cut the tail";
  EXPECT_EQ(BytesOf(stream), "01ab456789");
  stream.Seek(8, 0);
  EXPECT_EQ(stream.Write("XYZ", 3), 3u);
  EXPECT_EQ(BytesOf(stream), "01ab4567XYZ");
  EXPECT_EQ(stream.Tell(), 11u);
}

TEST(MemoryStream, ResizeZeroFillsGrowthAndCutsThePosition) {
  cMemoryStream stream = StreamOf("abcdef");
  stream.Seek(0, 2);
  stream.Resize(2);
  EXPECT_EQ(stream.Tell(), 2u);
  EXPECT_EQ(BytesOf(stream), "ab");
  // The cut bytes still sit in the spare capacity; growing again must not bring them back.
  stream.Resize(6);
  EXPECT_EQ(BytesOf(stream), std::string("ab\0\0\0\0", 6));
  EXPECT_EQ(stream.Tell(), 2u);
  // Nor may bytes of an earlier size come back after a write.
  cMemoryStream regrown;
  regrown.Resize(100);
  regrown.Resize(0);
  regrown.Write("z", 1);
  regrown.Resize(50);
  EXPECT_EQ(BytesOf(regrown), "z" + std::string(49, '\0'));
}

TEST(MemoryStream, ManySmallWritesKeepEveryByte) {
  cMemoryStream stream;
  for (uint32_t i = 0; i < 100000; ++i) ASSERT_EQ(stream.Write(&i, 4), 4u);
  EXPECT_EQ(stream.GetSize(), 400000u);
  stream.Seek(0, 0);
  for (uint32_t i = 0; i < 100000; ++i) {
    uint32_t value = 0;
    ASSERT_EQ(stream.Read(&value, 4), 4u);
    ASSERT_EQ(value, i);
  }
}

TEST(MemoryStream, CopiesAreIndependentAndStartAtZero) {
  cMemoryStream original = StreamOf("hello");
  original.Seek(0, 2);
  cMemoryStream copy(original);
  EXPECT_EQ(copy.Tell(), 0u);
  EXPECT_EQ(BytesOf(copy), "hello");
  copy.Write("J", 1);
  EXPECT_EQ(BytesOf(original), "hello");

  cMemoryStream moved(std::move(copy));
  EXPECT_EQ(BytesOf(moved), "Jello");
  EXPECT_EQ(moved.Tell(), 1u);
}

TEST(MemoryStream, BuiltFromAnotherStreamTakesAllOfItOrWhatArrivedOfAShortOne) {
  cMemoryStream source = StreamOf("0123456789");
  source.Seek(7, 0);
  cMemoryStream copy(static_cast<cStream&>(source));
  EXPECT_EQ(BytesOf(copy), "0123456789");
  EXPECT_EQ(copy.Tell(), 0u);
  cShortSource short_source(1000, 10);
  EXPECT_EQ(cMemoryStream(short_source).GetSize(), 10u);
}

TEST(MemoryStream, ReadAtLeavesThePosition) {
  cMemoryStream stream = StreamOf("0123456789");
  stream.Seek(3, 0);
  char bytes[4] = {};
  EXPECT_EQ(stream.ReadAt(8, bytes, 4), 2u);
  EXPECT_EQ(std::string(bytes, 2), "89");
  EXPECT_EQ(stream.ReadAt(10, bytes, 4), 0u);
  EXPECT_EQ(stream.Tell(), 3u);
}

TEST(MemoryStream, ShortCopyLeavesNoStaleBytesForLaterGrowth) {
  cMemoryStream stream = StreamOf("ab");
  stream.Seek(0, 2);
  cShortSource source(1000, 3);  // delivers "xxx" of a promised 1000
  EXPECT_EQ(stream.CopyFrom(source, cStream::kWholeStream), 3u);
  EXPECT_EQ(BytesOf(stream), "abxxx");
  EXPECT_EQ(stream.Tell(), 5u);
  stream.Resize(8);
  EXPECT_EQ(BytesOf(stream), std::string("abxxx\0\0\0", 8));
}

TEST(MemoryStream, AWindowOfItselfCopiesIntoItsMiddle) {
  cMemoryStream stream = StreamOf("abcdef");
  cSubStream window(stream, 0, 4);
  stream.Seek(2, 0);
  EXPECT_EQ(stream.CopyFrom(window, 4), 4u);
  EXPECT_EQ(BytesOf(stream), "ababcd");
}

TEST(MemoryStream, ItsOwnContentCanBeWrittenAgainWhileItGrows) {
  const std::string block(64, 'q');
  cMemoryStream stream = StreamOf(block);
  stream.Seek(0, 2);
  EXPECT_EQ(stream.Write(stream.GetData(), stream.GetSize()), 64u);
  EXPECT_EQ(BytesOf(stream), block + block);
  stream.Seek(1, 0);
  EXPECT_EQ(stream.Write(stream.GetData() + 2, 100), 100u);  // overlapping, inside the stream
  EXPECT_EQ(BytesOf(stream), std::string(128, 'q'));
}
