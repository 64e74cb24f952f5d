// Engine paths with `\` and names in the wrong case reach the right files.

#include <gtest/gtest.h>

#include "platform/os/os.h"
#include "tests/support/TempDir.h"

namespace {

TEST(NativePath, BackslashesBecomeSlashes) {
  EXPECT_EQ(os::NativePath("a\\b\\c.txt"), "a/b/c.txt");
  EXPECT_EQ(os::NativePath("\\abs\\x"), "/abs/x");
  EXPECT_EQ(os::NativePath("a\\\\b//c"), "a/b/c");
  EXPECT_EQ(os::NativePath(""), "");
}

TEST(NativePath, ExactNamesAreKept) {
  TempDir dir;
  dir.WriteFile("Data/Gui/Main.xml", "x");
  EXPECT_EQ(os::NativePath(dir.Path() + "\\Data\\Gui\\Main.xml"), dir.Path() + "/Data/Gui/Main.xml");
}

TEST(NativePath, MissingNamesMatchWithoutRegardToCase) {
  TempDir dir;
  dir.WriteFile("Data/Gui/Main.xml", "x");
  EXPECT_EQ(os::NativePath(dir.Path() + "\\data\\GUI\\main.XML"), dir.Path() + "/Data/Gui/Main.xml");
  EXPECT_TRUE(os::FileExists(dir.Path() + "\\DATA\\gui\\MAIN.xml"));
  EXPECT_TRUE(os::DirectoryExists(dir.Path() + "/data/gui"));
}

TEST(NativePath, NewComponentsKeepTheirCaseUnderExistingFolders) {
  TempDir dir;
  dir.WriteFile("Users/keep", "");
  EXPECT_EQ(os::NativePath(dir.Path() + "/users/NewFolder/New.TXT"),
            dir.Path() + "/Users/NewFolder/New.TXT");
}

TEST(NativePath, AnExactMatchWinsOverAnotherCase) {
  TempDir dir;
  dir.WriteFile("name", "lower");
  dir.WriteFile("NAME", "upper");
  EXPECT_EQ(os::NativePath(dir.Path() + "/NAME"), dir.Path() + "/NAME");
  EXPECT_EQ(os::NativePath(dir.Path() + "/name"), dir.Path() + "/name");
  // Neither matches exactly: the choice does not depend on the directory's order.
  EXPECT_EQ(os::NativePath(dir.Path() + "/Name"), dir.Path() + "/NAME");
}

TEST(NativePath, RelativePathsResolveAgainstTheCurrentDirectory) {
  TempDir dir;
  dir.WriteFile("Sub/File.bin", "1");
  const std::string before = os::GetCurrentDirectory();
  ASSERT_TRUE(os::SetCurrentDirectory(dir.Path()));
  EXPECT_EQ(os::NativePath("sub\\file.BIN"), "Sub/File.bin");
  EXPECT_EQ(os::NativePath(".\\sub\\..\\SUB\\file.bin"), "./Sub/../Sub/File.bin");
  ASSERT_TRUE(os::SetCurrentDirectory(before));
}

}  // namespace
