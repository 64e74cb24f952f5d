// WriteFileAtomically: the new file appears whole, or the old one stays untouched.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/os/os.h"
#include "tests/support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

Names Files(const TempDir& dir) {
  Names folders, files;
  os::ListDirectory(dir.Path(), folders, files);
  return files;
}

TEST(WriteFileAtomically, CreatesAndReplaces) {
  TempDir dir;
  ASSERT_TRUE(os::WriteFileAtomically(dir / "config.xml", "first", 5));
  EXPECT_EQ(dir.ReadFile("config.xml"), "first");
  ASSERT_TRUE(os::WriteFileAtomically(dir / "config.xml", "2", 1));
  EXPECT_EQ(dir.ReadFile("config.xml"), "2");  // replaced, not overwritten in place
  ASSERT_TRUE(os::WriteFileAtomically(dir / "empty", nullptr, 0));
  EXPECT_EQ(Files(dir), (Names{"config.xml", "empty"}));  // no temporary left behind
}

TEST(WriteFileAtomically, KeepsTheFolderCaseAndTheOldRights) {
  TempDir dir;
  dir.WriteFile("UsersData/profiles.pmf", "old");
  chmod((dir / "UsersData/profiles.pmf").c_str(), 0640);
  ASSERT_TRUE(os::WriteFileAtomically(dir.Path() + "\\usersdata\\PROFILES.pmf", "new", 3));
  EXPECT_EQ(dir.ReadFile("UsersData/profiles.pmf"), "new");
  struct stat info;
  ASSERT_EQ(stat((dir / "UsersData/profiles.pmf").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(WriteFileAtomically, ATargetThatIsAFolderIsLeftAlone) {
  TempDir dir;
  dir.WriteFile("target/inside", "kept");
  EXPECT_FALSE(os::WriteFileAtomically(dir / "target", "x", 1));
  EXPECT_EQ(dir.ReadFile("target/inside"), "kept");
  EXPECT_TRUE(Files(dir).empty());
}

TEST(WriteFileAtomically, AMissingFolderFails) {
  TempDir dir;
  EXPECT_FALSE(os::WriteFileAtomically(dir / "missing/file", "x", 1));
}

TEST(WriteFileAtomically, AReadOnlyFolderKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root ignores folder modes";
  TempDir dir;
  dir.WriteFile("ro/file", "old");
  chmod((dir / "ro").c_str(), 0555);
  EXPECT_FALSE(os::WriteFileAtomically(dir / "ro/file", "new", 3));
  chmod((dir / "ro").c_str(), 0755);
  EXPECT_EQ(dir.ReadFile("ro/file"), "old");
}

// A full disk, played by a file size limit in a child process: the write stops half-way, and the
// old file must survive whole with no temporary beside it.
TEST(WriteFileAtomically, AWriteThatCannotCompleteKeepsTheOldFile) {
  TempDir dir;
  dir.WriteFile("save.prf", "old progress");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::string big(100000, 'x');
    _exit(os::WriteFileAtomically(dir / "save.prf", big.data(), big.size()) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the write claimed success";
  EXPECT_EQ(dir.ReadFile("save.prf"), "old progress");
  EXPECT_EQ(Files(dir), (Names{"save.prf"}));
}

}  // namespace
