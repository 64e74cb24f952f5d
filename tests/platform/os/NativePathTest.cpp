// Engine paths with `\` and names in the wrong case reach the right files.

#include <gtest/gtest.h>

#include "platform/os/os.h"
#include "tests/support/TempDir.h"

namespace {

// Backslashes become slashes; exact names are kept; names that are missing match without regard to
// case; new components keep their case under existing folders; an exact match wins over another case.
TEST(NativePath, NamesMatchTheTreeExactlyOrWithoutRegardToCase) {
  TempDir dir;
  dir.WriteFile("Data/Gui/Main.xml", "x");
  dir.WriteFile("Users/keep", "");
  dir.WriteFile("name", "lower");
  dir.WriteFile("NAME", "upper");
  const struct {
    const char *asked, *native;
  } cases[] = {
      {"\\Data\\Gui\\Main.xml", "/Data/Gui/Main.xml"},
      {"\\data\\GUI\\main.XML", "/Data/Gui/Main.xml"},
      {"/users/NewFolder/New.TXT", "/Users/NewFolder/New.TXT"},
      {"/NAME", "/NAME"},
      {"/name", "/name"},
      {"/Name", "/NAME"},  // neither matches exactly: the choice does not depend on the directory's order
  };
  for (const auto& c : cases) EXPECT_EQ(os::NativePath(dir.Path() + c.asked), dir.Path() + c.native) << c.asked;
  EXPECT_TRUE(os::FileExists(dir.Path() + "\\DATA\\gui\\MAIN.xml"));
  EXPECT_TRUE(os::DirectoryExists(dir.Path() + "/data/gui"));
  EXPECT_EQ(os::NativePath("\\abs\\x"), "/abs/x");
  EXPECT_EQ(os::NativePath("a\\\\b//c"), "a/b/c");
  EXPECT_EQ(os::NativePath(""), "");
}

TEST(NativePath, RelativePathsResolveAgainstTheCurrentDirectory) {
  TempDir dir;
  dir.WriteFile("Sub/File.bin", "1");
  const std::string before = os::GetCurrentDirectory();
  ASSERT_TRUE(os::SetCurrentDirectory(dir.Path()));
  EXPECT_EQ(os::NativePath("sub\\file.BIN"), "Sub/File.bin");
  EXPECT_EQ(os::NativePath("a\\b\\c.txt"), "a/b/c.txt");
  EXPECT_EQ(os::NativePath(".\\sub\\..\\SUB\\file.bin"), "./Sub/../Sub/File.bin");
  ASSERT_TRUE(os::SetCurrentDirectory(before));
}

}  // namespace
