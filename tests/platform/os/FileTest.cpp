// os::File: dispositions, access bits, positioned reads, sizes and resizing.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/os/os.h"
#include "tests/support/TempDir.h"

namespace {

constexpr unsigned kReadWrite = os::kAccessRead | os::kAccessWrite;

std::string ReadAll(os::File& file) {
  std::string text(static_cast<std::size_t>(file.Size()), '\0');
  file.Seek(0, 0);
  EXPECT_EQ(file.Read(text.data(), text.size()), static_cast<int64_t>(text.size()));
  return text;
}

// Each disposition on a file that is there (its text) or missing: whether it opens, the size it
// finds, and the file after "ab" is written at its start.
TEST(FileDisposition, EachCreatesTruncatesOrRefusesAsItSays) {
  const struct {
    int disposition;
    const char* before;  // null: no file
    int error;           // 0: it opens
    int64_t size;
    const char* after;   // null: still no file
  } cases[] = {
      {os::kCreateAlways, "old contents", 0, 0, "ab"},
      {os::kCreateAlways, nullptr, 0, 0, "ab"},
      {os::kCreateNew, "keep", EEXIST, 0, "keep"},
      {os::kCreateNew, nullptr, 0, 0, "ab"},
      {os::kOpenAlways, "0123456789", 0, 10, "ab23456789"},  // never truncated: the old tail stays
      {os::kOpenAlways, nullptr, 0, 0, "ab"},
      {os::kOpenExisting, nullptr, ENOENT, 0, nullptr},
      {77, nullptr, ENOENT, 0, nullptr},  // any other value opens an existing file
      {-1, "x", 0, 1, "ab"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.disposition << " on " << (c.before ? c.before : "no file"));
    TempDir dir;
    if (c.before) dir.WriteFile("a.txt", c.before);
    int error = -1;
    {
      auto file = os::File::Open(dir / "a.txt", c.disposition, kReadWrite, os::kShareRead, &error);
      EXPECT_EQ(file == nullptr, c.error != 0);
      EXPECT_EQ(error, c.error);
      if (file) {
        EXPECT_EQ(file->Size(), c.size);
        EXPECT_EQ(file->Write("ab", 2), 2);
      }
    }
    if (c.after) {
      EXPECT_EQ(dir.ReadFile("a.txt"), c.after);
    } else {
      EXPECT_FALSE(os::FileExists(dir / "a.txt"));
    }
  }
}

TEST(FileAccess, ReadOnlyOpenCannotWrite) {
  TempDir dir;
  dir.WriteFile("a.txt", "data");
  auto file = os::File::Open(dir / "a.txt", os::kOpenExisting, os::kAccessRead, os::kShareRead);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Write("zz", 2), -1);
  EXPECT_FALSE(file->Resize(0));
  EXPECT_EQ(dir.ReadFile("a.txt"), "data");
  // Execute alone, or no bits at all, is no licence to write either.
  auto exec = os::File::Open(dir / "a.txt", os::kOpenExisting, os::kAccessExecute, 0);
  ASSERT_NE(exec, nullptr);
  EXPECT_EQ(exec->Write("zz", 2), -1);
}

TEST(FileAccess, ReadOnlyFileCannotBeOpenedForWriting) {
  if (geteuid() == 0) GTEST_SKIP() << "root ignores file modes";
  TempDir dir;
  dir.WriteFile("ro.txt", "data");
  chmod((dir / "ro.txt").c_str(), 0444);
  int error = 0;
  EXPECT_EQ(os::File::Open(dir / "ro.txt", os::kOpenAlways, kReadWrite, 0, &error), nullptr);
  EXPECT_EQ(error, EACCES);
  EXPECT_NE(os::File::Open(dir / "ro.txt", os::kOpenExisting, os::kAccessRead, 0), nullptr);
}

TEST(FileAccess, FoldersAndPipesAreNotFiles) {
  TempDir dir;
  int error = 0;
  EXPECT_EQ(os::File::Open(dir.Path(), os::kOpenExisting, os::kAccessRead, 0, &error), nullptr);
  EXPECT_EQ(error, EISDIR);
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
  // Opening must not block waiting for a writer.
  EXPECT_EQ(os::File::Open(dir / "pipe", os::kOpenExisting, os::kAccessRead, 0, &error), nullptr);
  EXPECT_EQ(error, EINVAL);
}

TEST(FileIo, ReadAtDoesNotMoveThePositionAndSeeksTakeEveryOrigin) {
  TempDir dir;
  dir.WriteFile("a.bin", "abcdefghij");
  auto file = os::File::Open(dir / "a.bin", os::kOpenExisting, os::kAccessRead, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Seek(2, 0), 2);
  char buffer[4] = {};
  EXPECT_EQ(file->ReadAt(6, buffer, 4), 4);
  EXPECT_EQ(std::string(buffer, 4), "ghij");
  EXPECT_EQ(file->Seek(0, 1), 2);
  EXPECT_EQ(file->Read(buffer, 3), 3);
  EXPECT_EQ(std::string(buffer, 3), "cde");
  EXPECT_EQ(file->ReadAt(8, buffer, 4), 2);  // short at the end
  EXPECT_EQ(file->ReadAt(100, buffer, 4), 0);
  // Seek origins, and reads past the end.
  EXPECT_EQ(file->Seek(-3, 2), 7);
  EXPECT_EQ(file->Seek(1, 1), 8);
  EXPECT_EQ(file->Seek(-1, 99), 9);  // any other origin counts from the end
  EXPECT_EQ(file->Read(buffer, 4), 1);
  EXPECT_EQ(file->Read(buffer, 4), 0);
  EXPECT_EQ(file->Seek(-20, 0), -1);
}

TEST(FileIo, ResizeCutsOrExtendsAndLeavesThePositionThere) {
  TempDir dir;
  auto file = os::File::Open(dir / "a.bin", os::kCreateAlways, kReadWrite, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Write("0123456789", 10), 10);
  EXPECT_TRUE(file->Resize(4));
  EXPECT_EQ(file->Size(), 4);
  EXPECT_EQ(file->Seek(0, 1), 4);
  EXPECT_TRUE(file->Resize(6));
  EXPECT_EQ(ReadAll(*file), std::string("0123\0\0", 6));
  EXPECT_TRUE(file->Flush());
}

// A backslash path in another case opens the file there, and a new file goes under the folder of
// another case that is there, not beside it.
TEST(FileIo, BackslashPathsInAnotherCaseReachTheFilesAndFoldersThere) {
  TempDir dir;
  dir.WriteFile("Data/Levels/Stage.xml", "<stage/>");
  auto file = os::File::Open(dir.Path() + "\\data\\levels\\STAGE.XML", os::kOpenExisting,
                             os::kAccessRead, os::kShareRead);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadAll(*file), "<stage/>");
  auto made = os::File::Open(dir.Path() + "\\data\\Profile.prf", os::kOpenAlways, kReadWrite, 0);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->Write("p", 1), 1);
  EXPECT_EQ(dir.ReadFile("Data/Profile.prf"), "p");
}

TEST(FileIo, DescriptorIsClosedOnExec) {
  TempDir dir;
  auto file = os::File::Open(dir / "a", os::kCreateAlways, kReadWrite, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_NE(fcntl(file->Descriptor(), F_GETFD) & FD_CLOEXEC, 0);
}

}  // namespace
