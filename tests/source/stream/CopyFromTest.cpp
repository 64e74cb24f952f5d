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

// Zero copies nothing; the whole stream starts at the source's first byte; a count too large
// copies what is left, an exact one stops there; a copy into the middle keeps the tail.
TYPED_TEST(CopyFrom, CopiesTheCountAskedOrWhatIsLeftAtTheTargetsPosition) {
  const struct {
    uint32_t source_at;
    std::string target;  // before the copy, its position at `target_at`
    uint32_t target_at, count, copied;
    std::string after;
    uint32_t source_after;
  } cases[] = {
      {0, "", 0, 0, 0, "", 0},
      {4, "", 0, cStream::kWholeStream, 6, "abcdef", 6},
      {2, "__", 2, 1000, 4, "__cdef", 6},
      {0, "", 0, 3, 3, "abc", 3},
      {0, "0123456789", 3, cStream::kWholeStream, 6, "012abcdef9", 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "from " << c.source_at << ", count " << c.count << " into \"" << c.target << "\"");
    cMemoryStream source = StreamOf("abcdef");
    source.Seek(static_cast<int32_t>(c.source_at), 0);
    TypeParam target;
    target.Write(c.target.data(), static_cast<uint32_t>(c.target.size()));
    target.Seek(static_cast<int32_t>(c.target_at), 0);
    EXPECT_EQ(target.CopyFrom(source, c.count), c.copied);
    EXPECT_EQ(BytesOf(target), c.after);
    EXPECT_EQ(target.Tell(), c.target_at + c.copied);
    EXPECT_EQ(source.Tell(), c.source_after);
  }
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
  cMemoryStream source = StreamOf(bytes);
  TypeParam target;
  EXPECT_EQ(target.CopyFrom(source, cStream::kWholeStream), bytes.size());
  EXPECT_EQ(BytesOf(target), bytes);
}

TEST(CopyFromBase, FullDestinationEndsTheCopy) {
  cMemoryStream source = StreamOf(std::string(5000, 'a'));
  cFullSink sink(100);
  EXPECT_EQ(sink.CopyFrom(source, cStream::kWholeStream), 100u);
  EXPECT_LE(sink.writes, 2);

  cFullSink refusing(0);
  source.Seek(0, 0);
  EXPECT_EQ(refusing.CopyFrom(source, cStream::kWholeStream), 0u);
  EXPECT_EQ(refusing.writes, 1);
}

TEST(CopyFromBase, SubStreamRefusesACopy) {
  cMemoryStream parent = StreamOf("abcdef");
  cSubStream sub(parent, 1, 3);
  cMemoryStream source = StreamOf("xyz");
  EXPECT_EQ(sub.CopyFrom(source, cStream::kWholeStream), 0u);
  EXPECT_EQ(BytesOf(parent), "abcdef");
}

TEST(CopyFromBase, FromASubStreamCopiesItsWindow) {
  cMemoryStream parent = StreamOf("0123456789");
  cSubStream sub(parent, 2, 5);
  cMemoryStream target;
  EXPECT_EQ(target.CopyFrom(sub, cStream::kWholeStream), 5u);
  EXPECT_EQ(BytesOf(target), "23456");
}
