// WriteFileAtomically: the new file appears whole, or the old one stays untouched.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/os/os.h"
#include "platform/os/posix/AtomicWriteCalls.h"
#include "tests/support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

Names Files(const TempDir& dir) {
  Names folders, files;
  os::ListDirectory(dir.Path(), folders, files);
  return files;
}

TEST(WriteFileAtomically, CreatesAndReplacesKeepingTheFolderCaseAndTheOldRights) {
  TempDir dir;
  ASSERT_TRUE(os::WriteFileAtomically(dir / "config.xml", "first", 5));
  EXPECT_EQ(dir.ReadFile("config.xml"), "first");
  ASSERT_TRUE(os::WriteFileAtomically(dir / "config.xml", "2", 1));
  EXPECT_EQ(dir.ReadFile("config.xml"), "2");  // replaced, not overwritten in place
  ASSERT_TRUE(os::WriteFileAtomically(dir / "empty", nullptr, 0));
  EXPECT_EQ(Files(dir), (Names{"config.xml", "empty"}));  // no temporary left behind
  // The folder's case and the old file's rights are kept.
  dir.WriteFile("UsersData/profiles.pmf", "old");
  chmod((dir / "UsersData/profiles.pmf").c_str(), 0640);
  ASSERT_TRUE(os::WriteFileAtomically(dir.Path() + "\\usersdata\\PROFILES.pmf", "new", 3));
  EXPECT_EQ(dir.ReadFile("UsersData/profiles.pmf"), "new");
  struct stat info;
  ASSERT_EQ(stat((dir / "UsersData/profiles.pmf").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(WriteFileAtomically, ATargetThatIsAFolderIsLeftAloneAndAMissingFolderFails) {
  TempDir dir;
  dir.WriteFile("target/inside", "kept");
  EXPECT_FALSE(os::WriteFileAtomically(dir / "target", "x", 1));
  EXPECT_EQ(dir.ReadFile("target/inside"), "kept");
  EXPECT_FALSE(os::WriteFileAtomically(dir / "missing/file", "x", 1));
  EXPECT_TRUE(Files(dir).empty());
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

// ---- the calls it makes, seen through the call table ------------------------------------------
// Each call is logged as "<call> <what>", the file's descriptor named "temporary" or "folder" (the
// writes to one descriptor counted once); `failing` names the one that fails with EIO.
class AtomicWriteSteps : public testing::Test {
 protected:
  void SetUp() override {
    s_log.clear();
    s_failing.clear();
    s_folder = s_temporary = -1;
    s_real = os::AtomicWriteSystemCalls();
    os::AtomicWriteSystemCalls() = {&Open, &Write, &Fsync, &Close, &Rename};
  }
  void TearDown() override { os::AtomicWriteSystemCalls() = s_real; }

  static std::string What(int fd) { return fd == s_folder ? "folder" : fd == s_temporary ? "temporary" : "?"; }
  static bool Step(const std::string& step) {
    if (s_log.empty() || s_log.back() != step) s_log.push_back(step);
    if (step != s_failing) return true;
    errno = EIO;
    return false;
  }
  static int Open(const char* path, int flags, mode_t mode) {
    const bool folder = (flags & O_DIRECTORY) != 0;
    if (!Step(folder ? "open folder" : "open temporary")) return -1;
    return (folder ? s_folder : s_temporary) = s_real.open(path, flags, mode);
  }
  static ssize_t Write(int fd, const void* bytes, std::size_t size) {
    return Step("write " + What(fd)) ? s_real.write(fd, bytes, size) : -1;
  }
  static int Fsync(int fd) { return Step("fsync " + What(fd)) ? s_real.fsync(fd) : -1; }
  static int Close(int fd) {
    const bool ok = Step("close " + What(fd));
    (fd == s_folder ? s_folder : s_temporary) = -1;
    return s_real.close(fd) == 0 && ok ? 0 : -1;
  }
  static int Rename(const char* from, const char* to) {
    return Step("rename") ? s_real.rename(from, to) : -1;
  }

  static inline std::vector<std::string> s_log;
  static inline std::string s_failing;
  static inline int s_folder = -1, s_temporary = -1;
  static inline os::AtomicWriteCalls s_real{};
};

// A crash after the rename must find the new bytes on the disk, and the rename itself kept.
TEST_F(AtomicWriteSteps, TheBytesAreSyncedBeforeTheRenameAndTheFolderAfterIt) {
  TempDir dir;
  dir.WriteFile("profiles.pmf", "old");
  const std::string bytes(100000, 'x');
  ASSERT_TRUE(os::WriteFileAtomically(dir / "profiles.pmf", bytes.data(), bytes.size()));
  EXPECT_EQ(s_log, (Names{"open temporary", "write temporary", "fsync temporary", "close temporary", "rename",
                          "open folder", "fsync folder", "close folder"}));
  EXPECT_EQ(dir.ReadFile("profiles.pmf"), bytes);
}

// A full disk or a failing device at any step before the rename: the old file stays whole, no
// temporary is left, and the caller hears why.
TEST_F(AtomicWriteSteps, AStepThatFailsBeforeTheRenameKeepsTheOldFile) {
  for (const char* failing : {"open temporary", "write temporary", "fsync temporary", "close temporary", "rename"}) {
    SCOPED_TRACE(failing);
    TempDir dir;
    dir.WriteFile("save.prf", "old progress");
    s_log.clear();
    s_failing = failing;
    errno = 0;
    EXPECT_FALSE(os::WriteFileAtomically(dir / "save.prf", "new", 3));
    EXPECT_EQ(errno, EIO);
    EXPECT_EQ(dir.ReadFile("save.prf"), "old progress");
    EXPECT_EQ(Files(dir), (Names{"save.prf"}));
    EXPECT_EQ(std::count(s_log.begin(), s_log.end(), "rename"), s_failing == "rename" ? 1 : 0);
  }
}

}  // namespace
