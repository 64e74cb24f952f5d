#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "platform/os/os.h"
#include "source/stream/cFileStream.h"
#include "source/stream/cMemoryStream.h"
#include "source/stream/cSubStream.h"
#include "tests/source/stream/StreamTestUtil.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kCreateAlways = 0;
constexpr int kCreateNew = 1;
constexpr int kOpenAlways = 2;
constexpr int kOpenExisting = 3;
constexpr unsigned kRead = 2;
constexpr unsigned kReadWrite = 6;
constexpr unsigned kShareRead = 2;

int OpenDescriptors() {
  int count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir) != nullptr) ++count;
    closedir(dir);
  }
  return count;
}

std::string ReadAll(cFileStream& stream) {
  stream.Seek(0, 0);
  return Take(stream, stream.GetSize());
}

class FileStreamTest : public testing::Test {
 protected:
  TempDir dir{"velmaris-stream"};
};

}  // namespace

// Each disposition on a file that is there ("0123456789") or not, then "abc" written where it
// opened: create-always makes or empties it, create-new refuses one that is there, open-always
// keeps the old tail, open-existing (or any other value) needs the file.
TEST_F(FileStreamTest, EachDispositionMakesEmptiesKeepsOrRefusesTheFile) {
  const struct {
    int disposition;
    bool there, opens;
    uint32_t size;      // once open
    const char* after;  // the file's bytes afterwards; null: no file
  } cases[] = {
      {kCreateAlways, true, true, 0, "abc"},   {kCreateAlways, false, true, 0, "abc"},
      {kCreateNew, true, false, 0, "0123456789"}, {kCreateNew, false, true, 0, "abc"},
      {kOpenAlways, true, true, 10, "abc3456789"}, {kOpenAlways, false, true, 0, "abc"},
      {kOpenExisting, true, true, 10, "abc3456789"}, {kOpenExisting, false, false, 0, nullptr},
      {77, true, true, 10, "abc3456789"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(testing::Message() << "disposition " << c.disposition << (c.there ? " on a file" : " on none"));
    const std::string name = "file" + std::to_string(i) + ".bin";
    if (c.there) dir.WriteFile(name, "0123456789");
    {
      cFileStream stream(dir / name, c.disposition, kReadWrite, kShareRead);
      ASSERT_EQ(stream.IsOpen(), c.opens);
      if (c.opens) {
        EXPECT_EQ(stream.GetSize(), c.size);
        EXPECT_EQ(stream.Write("abc", 3), 3u);
      }
    }
    if (c.after == nullptr) {
      EXPECT_FALSE(os::FileExists(dir / name));
    } else {
      EXPECT_EQ(dir.ReadFile(name), c.after);
    }
  }
}

TEST_F(FileStreamTest, ReadOnlyAccessOpensReadOnly) {
  dir.WriteFile("res.bin", "resource");
  cFileStream reader(dir / "res.bin", kOpenExisting, kRead, kShareRead);
  ASSERT_TRUE(reader.IsOpen());
  EXPECT_EQ(reader.Write("XX", 2), 0u);
  reader.Resize(2);
  EXPECT_EQ(dir.ReadFile("res.bin"), "resource");
  EXPECT_EQ(Take(reader, 3), "res");
}

TEST_F(FileStreamTest, ReadOnlyAccessOpensAFileWeMayNotWrite) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write any file";
  dir.WriteFile("locked.bin", "locked");
  ASSERT_EQ(chmod((dir / "locked.bin").c_str(), 0444), 0);
  cFileStream reader(dir / "locked.bin", kOpenExisting, kRead, kShareRead);
  ASSERT_TRUE(reader.IsOpen());
  EXPECT_EQ(Take(reader, 10), "locked");
  cFileStream writer(dir / "locked.bin", kOpenExisting, kReadWrite, kShareRead);
  EXPECT_FALSE(writer.IsOpen());
}

TEST_F(FileStreamTest, ResizeCutsOrExtendsAndLeavesThePositionThere) {
  dir.WriteFile("size.bin", "0123456789");
  cFileStream stream(dir / "size.bin", kOpenExisting, kReadWrite, kShareRead);
  stream.Resize(4);
  EXPECT_EQ(stream.GetSize(), 4u);
  EXPECT_EQ(stream.Tell(), 4u);
  stream.Resize(6);
  EXPECT_EQ(stream.Tell(), 6u);
  EXPECT_EQ(ReadAll(stream), std::string("0123\0\0", 6));
}

TEST_F(FileStreamTest, IsEofAtTheEndOfTheFile) {
  dir.WriteFile("eof.bin", "abc");
  cFileStream stream(dir / "eof.bin", kOpenExisting, kRead, kShareRead);
  EXPECT_FALSE(stream.IsEof());
  EXPECT_EQ(Take(stream, 2), "ab");
  EXPECT_FALSE(stream.IsEof());
  EXPECT_EQ(Take(stream, 5), "c");
  EXPECT_TRUE(stream.IsEof());
  EXPECT_EQ(Take(stream, 1), "");
  stream.Seek(0, 0);
  EXPECT_FALSE(stream.IsEof());
  EXPECT_EQ(stream.Seek(0, 2), 3u);
  EXPECT_TRUE(stream.IsEof());

  dir.WriteFile("empty.bin", "");
  cFileStream empty(dir / "empty.bin", kOpenExisting, kRead, kShareRead);
  EXPECT_TRUE(empty.IsEof());
}

TEST_F(FileStreamTest, SeekOriginsAndRefusedSeeks) {
  dir.WriteFile("seek.bin", "0123456789");
  cFileStream stream(dir / "seek.bin", kOpenExisting, kRead, kShareRead);
  EXPECT_EQ(stream.Seek(4, 0), 4u);
  EXPECT_EQ(stream.Seek(2, 1), 6u);
  EXPECT_EQ(stream.Seek(-3, 2), 7u);
  EXPECT_EQ(stream.Seek(-1, 5), 9u) << "any other origin is from the end";
  EXPECT_EQ(stream.Seek(-100, 0), 9u) << "a seek before the start leaves the position";
  EXPECT_EQ(Take(stream, 1), "9");
}

TEST_F(FileStreamTest, WithoutAFileEverythingAnswersZero) {
  cFileStream none(dir / "nowhere.bin", kOpenExisting, kRead, kShareRead);
  cFileStream blank;
  for (cFileStream* stream : {&none, &blank}) {
    char byte = 'q';
    EXPECT_FALSE(stream->IsOpen());
    EXPECT_EQ(stream->GetSize(), 0u);
    EXPECT_EQ(stream->Read(&byte, 1), 0u);
    EXPECT_EQ(stream->ReadAt(0, &byte, 1), 0u);
    EXPECT_EQ(stream->Write("x", 1), 0u);
    EXPECT_EQ(stream->Seek(5, 0), 0u);
    stream->Resize(10);
    EXPECT_EQ(stream->GetSize(), 0u);
    EXPECT_TRUE(stream->IsEof());
    EXPECT_EQ(stream->ShareCount(), 0);
  }
}

TEST_F(FileStreamTest, CopiesShareOneFileAndTheLastClosesIt) {
  dir.WriteFile("shared.bin", "abcdef");
  const int before = OpenDescriptors();
  {
    cFileStream first(dir / "shared.bin", kOpenExisting, kRead, kShareRead);
    EXPECT_EQ(OpenDescriptors(), before + 1);
    {
      cFileStream second = first;
      EXPECT_EQ(first.ShareCount(), 2);
      EXPECT_EQ(OpenDescriptors(), before + 1);
      EXPECT_EQ(Take(second, 2), "ab");
      EXPECT_EQ(first.Tell(), 2u) << "copies share the position too";
      cFileStream third(dir / "shared.bin", kOpenExisting, kRead, kShareRead);
      third = second;
      EXPECT_EQ(first.ShareCount(), 3);
      EXPECT_EQ(OpenDescriptors(), before + 1);
    }
    EXPECT_EQ(first.ShareCount(), 1);
    EXPECT_EQ(OpenDescriptors(), before + 1);
    EXPECT_EQ(Take(first, 10), "cdef");
  }
  EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(FileStreamTest, ReadAtLeavesThePosition) {
  dir.WriteFile("at.bin", "0123456789");
  cFileStream stream(dir / "at.bin", kOpenExisting, kRead, kShareRead);
  stream.Seek(2, 0);
  char bytes[4] = {};
  EXPECT_EQ(stream.ReadAt(7, bytes, 4), 3u);
  EXPECT_EQ(std::string(bytes, 3), "789");
  EXPECT_EQ(stream.ReadAt(50, bytes, 4), 0u);
  EXPECT_EQ(stream.Tell(), 2u);
}

TEST_F(FileStreamTest, SubStreamsOverOneFileNeverMoveEachOther) {
  dir.WriteFile("pack.bin", "HEADERaaaaaaaabbbbbbbb");
  cFileStream pack(dir / "pack.bin", kOpenExisting, kRead, kShareRead);
  cSubStream first(pack, 6, 8);
  cSubStream second(pack, 14, 8);
  EXPECT_EQ(Take(pack, 3), "HEA");
  std::string a, b;
  for (int i = 0; i < 4; ++i) {
    a += Take(first, 2);
    b += Take(second, 2);
    EXPECT_EQ(pack.Tell(), 3u);
  }
  EXPECT_EQ(a, "aaaaaaaa");
  EXPECT_EQ(b, "bbbbbbbb");
  EXPECT_EQ(Take(pack, 3), "DER");
}

TEST_F(FileStreamTest, SubStreamOnAnotherThreadLeavesTheMainReader) {
  // The sound thread reads a pack entry while the main thread loads from the same pack.
  std::string bytes(200000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i % 251);
  dir.WriteFile("big.pack", bytes);
  cFileStream pack(dir / "big.pack", kOpenExisting, kRead, kShareRead);
  cSubStream entry(pack, 100000, 100000);
  std::string streamed;
  std::thread sound([&] {
    for (int i = 0; i < 1000; ++i) streamed += Take(entry, 100);
  });
  std::string loaded;
  for (int i = 0; i < 1000; ++i) loaded += Take(pack, 100);
  sound.join();
  EXPECT_EQ(loaded, bytes.substr(0, 100000));
  EXPECT_EQ(streamed, bytes.substr(100000));
}

TEST_F(FileStreamTest, CopyBetweenFilesAndMemory) {
  dir.WriteFile("from.bin", "the whole file");
  cFileStream from(dir / "from.bin", kOpenExisting, kRead, kShareRead);
  cFileStream to(dir / "to.bin", kCreateAlways, kReadWrite, kShareRead);
  from.Seek(4, 0);
  EXPECT_EQ(to.CopyFrom(from, cStream::kWholeStream), 14u);
  EXPECT_EQ(ReadAll(to), "the whole file");
  cMemoryStream memory(from);
  EXPECT_EQ(BytesOf(memory), "the whole file");
}
