// Path services: splitting, the directory stack and the folder helpers.

#include <gtest/gtest.h>

#include <filesystem>

#include "source/path/Paths.h"
#include "tests/support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

std::string Canonical(const std::string& path) { return std::filesystem::canonical(path).string(); }

TEST(SplitPath, FullPath) {
  const SplitPath parts("gui\\windows\\main_menu.xml");
  EXPECT_EQ(parts.path, "gui\\windows\\main_menu.xml");
  EXPECT_EQ(parts.folder, "gui\\windows");
  EXPECT_EQ(parts.file_name, "main_menu.xml");
  EXPECT_EQ(parts.base_name, "main_menu");
  EXPECT_EQ(parts.extension, "xml");
}

TEST(SplitPath, NoExtensionAndNoFolder) {
  const SplitPath no_dot("levels\\stage");
  EXPECT_EQ(no_dot.extension, "");
  EXPECT_EQ(no_dot.base_name, "stage");
  const SplitPath no_folder("config.xml");
  EXPECT_EQ(no_folder.folder, "");
  EXPECT_EQ(no_folder.file_name, "config.xml");
  const SplitPath empty("");
  EXPECT_EQ(empty.folder, "");
  EXPECT_EQ(empty.file_name, "");
  EXPECT_EQ(empty.extension, "");
}

TEST(SplitPath, LastDotAndSeparatorWin) {
  const SplitPath parts("a.b\\c.d\\file.tar.gz");
  EXPECT_EQ(parts.folder, "a.b\\c.d");
  EXPECT_EQ(parts.base_name, "file.tar");
  EXPECT_EQ(parts.extension, "gz");
  const SplitPath dot_folder("some.folder\\name");
  EXPECT_EQ(dot_folder.extension, "");  // the folder's dot is not an extension
  const SplitPath trailing("dir\\");
  EXPECT_EQ(trailing.folder, "dir");
  EXPECT_EQ(trailing.file_name, "");
  const SplitPath dot_end("name.");
  EXPECT_EQ(dot_end.base_name, "name");
  EXPECT_EQ(dot_end.extension, "");
}

TEST(SplitPath, SystemFoldersWithSlashes) {
  const SplitPath parts("/home/player/.local/share\\Moskelt\\tarvel.xml");
  EXPECT_EQ(parts.folder, "/home/player/.local/share\\Moskelt");
  EXPECT_EQ(parts.extension, "xml");
  const SplitPath root("\\file");
  EXPECT_EQ(root.folder, "");
  EXPECT_EQ(root.file_name, "file");
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

TEST(DirectoryStack, PopOnAnEmptyStackDoesNothing) {
  const std::string start = GetCurrentDir();
  PopDirectory();
  PopDirectory();
  EXPECT_EQ(GetCurrentDir(), start);
}

TEST(DirectoryStack, PushingAMissingFolderStillPopsBack) {
  TempDir dir;
  const std::string start = GetCurrentDir();
  PushDirectory(dir / "missing");
  EXPECT_EQ(GetCurrentDir(), start);
  PopDirectory();
  EXPECT_EQ(GetCurrentDir(), start);
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
