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

TEST(FileDisposition, CreateAlwaysCreatesAndTruncates) {
  TempDir dir;
  dir.WriteFile("a.txt", "old contents");
  auto file = os::File::Open(dir / "a.txt", os::kCreateAlways, kReadWrite, os::kShareRead);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Size(), 0);
  auto fresh = os::File::Open(dir / "b.txt", os::kCreateAlways, kReadWrite, 0);
  ASSERT_NE(fresh, nullptr);
  EXPECT_TRUE(os::FileExists(dir / "b.txt"));
}

TEST(FileDisposition, CreateNewFailsOnAnExistingFile) {
  TempDir dir;
  dir.WriteFile("a.txt", "keep");
  int error = 0;
  EXPECT_EQ(os::File::Open(dir / "a.txt", os::kCreateNew, kReadWrite, 0, &error), nullptr);
  EXPECT_EQ(error, EEXIST);
  EXPECT_EQ(dir.ReadFile("a.txt"), "keep");
  EXPECT_NE(os::File::Open(dir / "new.txt", os::kCreateNew, kReadWrite, 0), nullptr);
}

TEST(FileDisposition, OpenAlwaysCreatesButNeverTruncates) {
  TempDir dir;
  dir.WriteFile("a.txt", "0123456789");
  {
    auto file = os::File::Open(dir / "a.txt", os::kOpenAlways, kReadWrite, os::kShareRead);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Size(), 10);
    EXPECT_EQ(file->Write("ab", 2), 2);
  }
  EXPECT_EQ(dir.ReadFile("a.txt"), "ab23456789");  // the old tail stays
  auto made = os::File::Open(dir / "made.txt", os::kOpenAlways, kReadWrite, 0);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->Size(), 0);
}

TEST(FileDisposition, AnyOtherValueOpensExisting) {
  TempDir dir;
  int error = 0;
  EXPECT_EQ(os::File::Open(dir / "missing", os::kOpenExisting, os::kAccessRead, 0, &error), nullptr);
  EXPECT_EQ(error, ENOENT);
  EXPECT_EQ(os::File::Open(dir / "missing", 77, os::kAccessRead, 0), nullptr);
  EXPECT_FALSE(os::FileExists(dir / "missing"));
  dir.WriteFile("there", "x");
  EXPECT_NE(os::File::Open(dir / "there", -1, os::kAccessRead, 0), nullptr);
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

TEST(FileIo, ReadAtDoesNotMoveThePosition) {
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
}

TEST(FileIo, SeekOriginsAndReadPastTheEnd) {
  TempDir dir;
  dir.WriteFile("a.bin", "0123456789");
  auto file = os::File::Open(dir / "a.bin", os::kOpenExisting, os::kAccessRead, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Seek(-3, 2), 7);
  EXPECT_EQ(file->Seek(1, 1), 8);
  EXPECT_EQ(file->Seek(-1, 99), 9);  // any other origin counts from the end
  char buffer[8];
  EXPECT_EQ(file->Read(buffer, 8), 1);
  EXPECT_EQ(file->Read(buffer, 8), 0);
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

TEST(FileIo, BackslashPathInAnotherCaseOpensTheFile) {
  TempDir dir;
  dir.WriteFile("Data/Levels/Stage.xml", "<stage/>");
  auto file = os::File::Open(dir.Path() + "\\data\\levels\\STAGE.XML", os::kOpenExisting,
                             os::kAccessRead, os::kShareRead);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadAll(*file), "<stage/>");
}

TEST(FileIo, CreatingUnderAFolderOfAnotherCaseUsesThatFolder) {
  TempDir dir;
  dir.WriteFile("UsersData/x", "");
  auto file = os::File::Open(dir.Path() + "\\usersdata\\Profile.prf", os::kOpenAlways, kReadWrite, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Write("p", 1), 1);
  EXPECT_EQ(dir.ReadFile("UsersData/Profile.prf"), "p");
  EXPECT_FALSE(os::DirectoryExists(dir / "usersdata") && !os::DirectoryExists(dir / "UsersData"));
}

TEST(FileIo, DescriptorIsClosedOnExec) {
  TempDir dir;
  auto file = os::File::Open(dir / "a", os::kCreateAlways, kReadWrite, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_NE(fcntl(file->Descriptor(), F_GETFD) & FD_CLOEXEC, 0);
}

}  // namespace
