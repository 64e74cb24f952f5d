#include <gtest/gtest.h>

#include <string>

#include "source/stream/cMemoryStream.h"
#include "source/stream/cSubStream.h"
#include "tests/source/stream/StreamTestUtil.h"

TEST(SubStream, ReadsOnlyItsWindow) {
  cMemoryStream parent = StreamOf("0123456789");
  cSubStream sub(parent, 3, 4);
  EXPECT_EQ(sub.GetSize(), 4u);
  EXPECT_FALSE(sub.IsEof());
  EXPECT_EQ(Take(sub, 100), "3456");
  EXPECT_TRUE(sub.IsEof());
  EXPECT_EQ(Take(sub, 1), "");
  EXPECT_EQ(sub.Tell(), 4u);
}

TEST(SubStream, SeekClampsToTheWindow) {
  cMemoryStream parent = StreamOf("0123456789");
  cSubStream sub(parent, 3, 4);
  EXPECT_EQ(sub.Seek(-5, 0), 0u);
  EXPECT_EQ(sub.Seek(9, 0), 4u);
  EXPECT_EQ(sub.Seek(-1, 2), 3u);
  EXPECT_EQ(Take(sub, 5), "6");
  EXPECT_EQ(sub.Seek(-2, 1), 2u);
  EXPECT_EQ(sub.Seek(1, 7), 2u);
}

TEST(SubStream, WindowIsCutToTheParent) {
  cMemoryStream parent = StreamOf("0123456789");
  EXPECT_EQ(cSubStream(parent, 8, 100).GetSize(), 2u);
  EXPECT_EQ(cSubStream(parent, 10, 5).GetSize(), 0u);
  EXPECT_EQ(cSubStream(parent, 0xFFFFFFF0u, 0x100u).GetSize(), 0u);
  cSubStream empty(parent, 4, 0);
  EXPECT_TRUE(empty.IsEof());
  EXPECT_EQ(Take(empty, 4), "");
}

TEST(SubStream, WritesAndResizesAreRefused) {
  cMemoryStream parent = StreamOf("0123456789");
  cSubStream sub(parent, 2, 4);
  EXPECT_EQ(sub.Write("xx", 2), 0u);
  sub.Resize(1);
  EXPECT_EQ(sub.GetSize(), 4u);
  EXPECT_EQ(sub.Tell(), 0u);
  EXPECT_EQ(BytesOf(parent), "0123456789");
}

TEST(SubStream, ReadsLeaveTheParentsPosition) {
  cMemoryStream parent = StreamOf("0123456789");
  parent.Seek(7, 0);
  cSubStream sub(parent, 1, 3);
  EXPECT_EQ(Take(sub, 2), "12");
  EXPECT_EQ(parent.Tell(), 7u);
  EXPECT_EQ(Take(parent, 1), "7");
}

TEST(SubStream, TwoWindowsReadInterleaved) {
  cMemoryStream parent = StreamOf("abcdefghijklmnop");
  cSubStream first(parent, 0, 8);
  cSubStream second(parent, 8, 8);
  std::string a, b;
  for (int i = 0; i < 4; ++i) {
    a += Take(first, 2);
    b += Take(second, 2);
  }
  EXPECT_EQ(a, "abcdefgh");
  EXPECT_EQ(b, "ijklmnop");
}

TEST(SubStream, NestedWindowsAddTheirBases) {
  cMemoryStream parent = StreamOf("0123456789");
  cSubStream outer(parent, 2, 6);  // "234567"
  cSubStream inner(outer, 1, 10);  // "34567"
  EXPECT_EQ(inner.GetSize(), 5u);
  EXPECT_EQ(Take(inner, 10), "34567");
}

TEST(StreamBase, ReadAtSeeksThenReads) {
  cMemoryStream stream = StreamOf("0123456789");
  char bytes[3] = {};
  EXPECT_EQ(stream.cStream::ReadAt(4, bytes, 3), 3u);
  EXPECT_EQ(std::string(bytes, 3), "456");
  EXPECT_EQ(stream.Tell(), 7u) << "the base moves the position; the concrete streams do not";
  EXPECT_EQ(stream.cStream::ReadAt(11, bytes, 3), 0u) << "past the end";
  EXPECT_EQ(stream.cStream::ReadAt(0x90000000u, bytes, 3), 0u) << "past 2 GiB";
}
