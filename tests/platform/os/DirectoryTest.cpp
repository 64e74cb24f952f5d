// Folders and single-file operations of the os service.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/os/os.h"
#include "tests/support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

// Sorted and split; a missing folder empties the lists and answers false; backslashes and another
// case find the folder.
TEST(Directory, ListIsSortedSplitIntoFoldersAndFilesAndFoundInAnotherCase) {
  TempDir dir;
  dir.WriteFile("b.txt", "");
  dir.WriteFile("A.txt", "");
  dir.WriteFile("c.txt", "");
  dir.WriteFile("zeta/x", "");
  dir.WriteFile("alpha/Gui/form.xml", "");
  ASSERT_EQ(symlink((dir / "alpha").c_str(), (dir / "link").c_str()), 0);
  Names folders, files;
  ASSERT_TRUE(os::ListDirectory(dir.Path(), folders, files));
  EXPECT_EQ(folders, (Names{"alpha", "link", "zeta"}));
  EXPECT_EQ(files, (Names{"A.txt", "b.txt", "c.txt"}));
  EXPECT_FALSE(os::ListDirectory(dir / "missing", folders, files));
  EXPECT_TRUE(folders.empty());
  EXPECT_TRUE(files.empty());
  ASSERT_TRUE(os::ListDirectory(dir.Path() + "\\ALPHA\\gui", folders, files));
  EXPECT_EQ(files, (Names{"form.xml"}));
}

TEST(Directory, CreateOneLevelAndTree) {
  TempDir dir;
  EXPECT_TRUE(os::CreateDirectory(dir / "one"));
  EXPECT_TRUE(os::CreateDirectory(dir / "one"));  // already there counts
  EXPECT_FALSE(os::CreateDirectory(dir / "no/parent"));
  EXPECT_TRUE(os::CreateDirectoryTree(dir.Path() + "\\ONE\\two\\Three"));
  EXPECT_TRUE(os::DirectoryExists(dir / "one/two/Three"));
  Names folders, files;
  ASSERT_TRUE(os::ListDirectory(dir.Path(), folders, files));
  EXPECT_EQ(folders, (Names{"one"}));  // the existing folder was used, no "ONE" beside it
  dir.WriteFile("file", "");
  EXPECT_FALSE(os::CreateDirectoryTree(dir / "file/below"));
  EXPECT_FALSE(os::CreateDirectory(dir / "file"));
}

TEST(Directory, CurrentDirectoryRoundTrip) {
  TempDir dir;
  dir.WriteFile("Inner/x", "");
  const std::string before = os::GetCurrentDirectory();
  ASSERT_FALSE(before.empty());
  ASSERT_TRUE(os::SetCurrentDirectory(dir.Path() + "\\inner"));
  EXPECT_EQ(os::GetCurrentDirectory(), std::filesystem::canonical(dir / "Inner").string());
  EXPECT_FALSE(os::SetCurrentDirectory(dir / "missing"));
  ASSERT_TRUE(os::SetCurrentDirectory(before));
}

TEST(Files, ExistenceKindsDeleteAndRename) {
  TempDir dir;
  dir.WriteFile("File.txt", "1");
  dir.WriteFile("Folder/x", "");
  EXPECT_TRUE(os::FileExists(dir / "file.TXT"));
  EXPECT_FALSE(os::FileExists(dir / "Folder"));
  EXPECT_TRUE(os::DirectoryExists(dir / "folder"));
  EXPECT_FALSE(os::DirectoryExists(dir / "File.txt"));
  EXPECT_FALSE(os::FileExists(""));

  EXPECT_TRUE(os::RenameFile(dir / "file.txt", dir / "Folder\\Moved.txt"));
  EXPECT_EQ(dir.ReadFile("Folder/Moved.txt"), "1");
  EXPECT_FALSE(os::FileExists(dir / "File.txt"));

  EXPECT_FALSE(os::DeleteFile(dir / "folder"));  // folders are not deleted as files
  EXPECT_TRUE(os::DeleteFile(dir / "FOLDER\\moved.TXT"));
  EXPECT_FALSE(os::FileExists(dir / "Folder/Moved.txt"));
  EXPECT_FALSE(os::DeleteFile(dir / "Folder/Moved.txt"));
}

TEST(Files, IsExecutableWantsARegularFileWithTheBit) {
  TempDir dir;
  dir.WriteFile("tool", "#!/bin/sh\n");
  EXPECT_FALSE(os::IsExecutable(dir / "tool"));
  chmod((dir / "tool").c_str(), 0755);
  EXPECT_TRUE(os::IsExecutable(dir / "TOOL"));
  EXPECT_FALSE(os::IsExecutable(dir.Path()));
}

TEST(KnownFolders, UserDataFolderFollowsXdgThenHomeAndTheRuntimeFolderFallsBackToIt) {
  const char* saved_data = getenv("XDG_DATA_HOME");
  const std::string data = saved_data ? saved_data : "";
  const std::string runtime = getenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(os::UserDataFolder(), data);
  EXPECT_EQ(os::RuntimeFolder(), runtime);
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(os::RuntimeFolder(), os::UserDataFolder());
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  setenv("XDG_DATA_HOME", "relative/ignored", 1);
  EXPECT_EQ(os::UserDataFolder(), std::string(getenv("HOME")) + "/.local/share");
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(os::UserDataFolder(), std::string(getenv("HOME")) + "/.local/share");
  setenv("XDG_DATA_HOME", data.c_str(), 1);
}

TEST(KnownFolders, ExecutableFolderHoldsTheTestProgram) {
  const std::string path = os::ExecutablePath();
  const std::string folder = os::ExecutableDirectory();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.substr(0, folder.size() + 1), folder + "/");
  EXPECT_EQ(path.find('/', folder.size() + 1), std::string::npos);
  EXPECT_TRUE(os::IsExecutable(path));
}

// The file system's own limit, asked of the nearest folder that exists.
TEST(Directory, LongestFileNameIsTheFileSystemsAlsoForAFolderNotMadeYet) {
  TempDir dir;
  const std::size_t here = os::LongestFileName(dir.Path());
  EXPECT_EQ(here, static_cast<std::size_t>(pathconf(dir.Path().c_str(), _PC_NAME_MAX)));
  EXPECT_EQ(os::LongestFileName(dir.Path() + "\\not\\made\\yet"), here);
  const std::string longest = dir.Path() + "/" + std::string(here, 'a');
  EXPECT_TRUE(os::WriteFileAtomically(longest.substr(0, longest.size() - 20), "x", 1)) << "room for a temporary";
  EXPECT_FALSE(os::WriteFileAtomically(longest + "a", "x", 1));
}

}  // namespace
