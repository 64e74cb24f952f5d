#include <gtest/gtest.h>

#include <string>

#include "source/stream/cMemoryStream.h"
#include "source/stream/cSubStream.h"
#include "tests/source/stream/StreamTestUtil.h"

// The base CopyFrom, seen through a stream that does not override it.
class cBaseCopyStream : public cMemoryStream {
 public:
  uint32_t CopyFrom(cStream& source, uint32_t count) override {
    return cStream::CopyFrom(source, count);  // NOLINT: the base on purpose
  }
};

template <class T>
class CopyFrom : public testing::Test {};
using CopyTargets = testing::Types<cMemoryStream, cBaseCopyStream>;
TYPED_TEST_SUITE(CopyFrom, CopyTargets);

TYPED_TEST(CopyFrom, ZeroCopiesNothing) {
  cMemoryStream source = MemoryWith("abcdef");
  TypeParam target;
  EXPECT_EQ(target.CopyFrom(source, 0), 0u);
  EXPECT_EQ(target.GetSize(), 0u);
  EXPECT_EQ(source.Tell(), 0u);
}

TYPED_TEST(CopyFrom, WholeStreamStartsAtTheSourcesFirstByte) {
  cMemoryStream source = MemoryWith("abcdef");
  source.Seek(4, 0);
  TypeParam target;
  EXPECT_EQ(target.CopyFrom(source, cStream::kWholeStream), 6u);
  EXPECT_EQ(Contents(target), "abcdef");
  EXPECT_EQ(target.Tell(), 6u);
}

TYPED_TEST(CopyFrom, TooLargeCountCopiesWhatIsLeft) {
  cMemoryStream source = MemoryWith("abcdef");
  source.Seek(2, 0);
  TypeParam target;
  target.Write("__", 2);
  EXPECT_EQ(target.CopyFrom(source, 1000), 4u);
  EXPECT_EQ(Contents(target), "__cdef");
  EXPECT_TRUE(source.IsEof());
}

TYPED_TEST(CopyFrom, ExactCountStopsThere) {
  cMemoryStream source = MemoryWith("abcdef");
  TypeParam target;
  EXPECT_EQ(target.CopyFrom(source, 3), 3u);
  EXPECT_EQ(Contents(target), "abc");
  EXPECT_EQ(source.Tell(), 3u);
}

TYPED_TEST(CopyFrom, IntoTheMiddleKeepsTheTail) {
  cMemoryStream source = MemoryWith("XY");
  TypeParam target;
  target.Write("0123456789", 10);
  target.Seek(3, 0);
  EXPECT_EQ(target.CopyFrom(source, cStream::kWholeStream), 2u);
  EXPECT_EQ(Contents(target), "012XY56789");
  EXPECT_EQ(target.Tell(), 5u);
}

TYPED_TEST(CopyFrom, ShortSourceEndsTheCopy) {
  cShortSource source(5000000, 1234);
  TypeParam target;
  EXPECT_EQ(target.CopyFrom(source, cStream::kWholeStream), 1234u);
  EXPECT_EQ(target.GetSize(), 1234u);
  EXPECT_EQ(target.Tell(), 1234u);
  EXPECT_LE(source.reads, 3);
}

TYPED_TEST(CopyFrom, LargeSourceCrossesSeveralChunks) {
  std::string bytes(cStream::kCopyChunk * 2 + 17, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  cMemoryStream source = MemoryWith(bytes);
  TypeParam target;
  EXPECT_EQ(target.CopyFrom(source, cStream::kWholeStream), bytes.size());
  EXPECT_EQ(Contents(target), bytes);
}

TEST(CopyFromBase, FullDestinationEndsTheCopy) {
  cMemoryStream source = MemoryWith(std::string(5000, 'a'));
  cFullSink sink(100);
  EXPECT_EQ(sink.CopyFrom(source, cStream::kWholeStream), 100u);
  EXPECT_LE(sink.writes, 2);

  cFullSink refusing(0);
  source.Seek(0, 0);
  EXPECT_EQ(refusing.CopyFrom(source, cStream::kWholeStream), 0u);
  EXPECT_EQ(refusing.writes, 1);
}

TEST(CopyFromBase, SubStreamRefusesACopy) {
  cMemoryStream parent = MemoryWith("abcdef");
  cSubStream sub(parent, 1, 3);
  cMemoryStream source = MemoryWith("xyz");
  EXPECT_EQ(sub.CopyFrom(source, cStream::kWholeStream), 0u);
  EXPECT_EQ(Contents(parent), "abcdef");
}

TEST(CopyFromBase, FromASubStreamCopiesItsWindow) {
  cMemoryStream parent = MemoryWith("0123456789");
  cSubStream sub(parent, 2, 5);
  cMemoryStream target;
  EXPECT_EQ(target.CopyFrom(sub, cStream::kWholeStream), 5u);
  EXPECT_EQ(Contents(target), "23456");
}
