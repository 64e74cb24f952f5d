// The single-instance lock: one holder at a time, in this process or any other.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/os/os.h"
#include "tests/support/TempDir.h"

namespace {

TEST(InstanceLock, SecondAcquireFailsAsAlreadyHeld) {
  TempDir dir;
  bool held = true;
  auto first = os::InstanceLock::Acquire("my_projectVelmaris", dir.Path(), &held);
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(held);
  auto second = os::InstanceLock::Acquire("my_projectVelmaris", dir.Path(), &held);
  EXPECT_EQ(second, nullptr);
  EXPECT_TRUE(held);
  // Another name is another lock.
  EXPECT_NE(os::InstanceLock::Acquire("other", dir.Path(), &held), nullptr);
  first.reset();
  EXPECT_NE(os::InstanceLock::Acquire("my_projectVelmaris", dir.Path(), &held), nullptr);
  EXPECT_FALSE(held);
}

TEST(InstanceLock, AnotherProcessCannotTakeIt) {
  TempDir dir;
  auto mine = os::InstanceLock::Acquire("game", dir.Path(), nullptr);
  ASSERT_NE(mine, nullptr);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    bool held = false;
    auto theirs = os::InstanceLock::Acquire("game", dir.Path(), &held);
    _exit(theirs == nullptr && held ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

// The runtime folder by default, the name kept inside it; a folder that cannot hold the lock is
// not reported as one held by another.
TEST(InstanceLock, DefaultsToTheRuntimeFolderAndAnUnusableFolderIsNotReportedAsHeld) {
  auto lock = os::InstanceLock::Acquire("a/..\\b", "", nullptr);
  ASSERT_NE(lock, nullptr);
  EXPECT_TRUE(os::FileExists(os::RuntimeFolder() + "/a_.._b.lock"));
  TempDir dir;
  dir.WriteFile("file", "");
  bool held = true;
  EXPECT_EQ(os::InstanceLock::Acquire("x", dir / "file", &held), nullptr);
  EXPECT_FALSE(held);
}

}  // namespace
