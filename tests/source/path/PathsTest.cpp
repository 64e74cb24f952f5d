// Path services: splitting, the directory stack and the folder helpers.

#include <gtest/gtest.h>

#include <filesystem>

#include "source/path/Paths.h"
#include "tests/support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

std::string Canonical(const std::string& path) { return std::filesystem::canonical(path).string(); }

// The last separator ends the folder and the last dot after it starts the extension; slashes
// of system folders are part of the folder.
TEST(SplitPath, SplitsAtTheLastSeparatorAndDot) {
  struct Case {
    const char* path;
    const char* folder;
    const char* file_name;
    const char* base_name;
    const char* extension;
  } const cases[] = {
      {"gui\\windows\\main_menu.xml", "gui\\windows", "main_menu.xml", "main_menu", "xml"},
      {"levels\\stage", "levels", "stage", "stage", ""},
      {"config.xml", "", "config.xml", "config", "xml"},
      {"", "", "", "", ""},
      {"a.b\\c.d\\file.tar.gz", "a.b\\c.d", "file.tar.gz", "file.tar", "gz"},
      {"some.folder\\name", "some.folder", "name", "name", ""},  // the folder's dot is no extension
      {"dir\\", "dir", "", "", ""},
      {"name.", "", "name.", "name", ""},
      {"/home/player/.local/share\\Moskelt\\tarvel.xml", "/home/player/.local/share\\Moskelt", "tarvel.xml", "tarvel",
       "xml"},
      {"\\file", "", "file", "file", ""},
  };
  for (const Case& c : cases) {
    const SplitPath parts(c.path);
    EXPECT_EQ(parts.path, c.path);
    EXPECT_EQ(parts.folder, c.folder) << c.path;
    EXPECT_EQ(parts.file_name, c.file_name) << c.path;
    EXPECT_EQ(parts.base_name, c.base_name) << c.path;
    EXPECT_EQ(parts.extension, c.extension) << c.path;
  }
}

TEST(DirectoryStack, PushAndPopNest) {
  TempDir dir;
  dir.WriteFile("One/Two/x", "");
  const std::string start = GetCurrentDir();
  PushDirectory(dir.Path());
  EXPECT_EQ(GetCurrentDir(), Canonical(dir.Path()));
  PushDirectory("one");  // relative, other case
  EXPECT_EQ(GetCurrentDir(), Canonical(dir / "One"));
  PushDirectory("..\\one\\TWO");
  EXPECT_EQ(GetCurrentDir(), Canonical(dir / "One/Two"));
  PopDirectory();
  EXPECT_EQ(GetCurrentDir(), Canonical(dir / "One"));
  PopDirectory();
  EXPECT_EQ(GetCurrentDir(), Canonical(dir.Path()));
  PopDirectory();
  EXPECT_EQ(GetCurrentDir(), start);
}

TEST(DirectoryStack, AMissingFolderOrAnEmptyStackLeavesTheCurrentFolder) {
  TempDir dir;
  const std::string start = GetCurrentDir();
  PushDirectory(dir / "missing");
  EXPECT_EQ(GetCurrentDir(), start);
  for (int pop = 0; pop < 3; ++pop) {  // the missing folder's entry, then an empty stack
    PopDirectory();
    EXPECT_EQ(GetCurrentDir(), start);
  }
}

TEST(Folders, CreateTreeListAndDelete) {
  TempDir dir;
  ASSERT_TRUE(CreateDirectoryTree(dir.Path() + "\\Moskelt\\tarvel\\usersdata\\profiles"));
  dir.WriteFile("Moskelt/tarvel/b.xml", "");
  dir.WriteFile("Moskelt/tarvel/a.html", "");
  Names folders, files;
  ListDirectory(dir.Path() + "\\moskelt\\TARVEL", folders, files);
  EXPECT_EQ(folders, (Names{"usersdata"}));
  EXPECT_EQ(files, (Names{"a.html", "b.xml"}));
  EXPECT_TRUE(DeleteFile(dir.Path() + "\\Moskelt\\tarvel\\A.HTML"));
  EXPECT_FALSE(DeleteFile(dir / "Moskelt/tarvel/a.html"));
  ListDirectory(dir / "nothing", folders, files);
  EXPECT_TRUE(folders.empty());
  EXPECT_TRUE(files.empty());
}

TEST(Folders, AppDataFolderIsTheUserDataFolderAndExists) {
  TempDir dir;
  const std::string saved = getenv("XDG_DATA_HOME");
  setenv("XDG_DATA_HOME", (dir / "fresh/data").c_str(), 1);
  EXPECT_EQ(GetAppDataFolder(), dir / "fresh/data");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "fresh/data"));
  setenv("XDG_DATA_HOME", saved.c_str(), 1);
}

TEST(Folders, ExeDirectoryHasNoTrailingSeparator) {
  const std::string folder = GetExeDirectory();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '/');
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

}  // namespace
