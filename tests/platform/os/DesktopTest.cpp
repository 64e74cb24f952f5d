// The desktop's recording stand-in: nothing is started, every request is written down.

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/os/os.h"
#include "tests/support/TempDir.h"

namespace {

using Lines = std::vector<std::string>;

class DesktopRecord : public testing::Test {
 protected:
  void SetUp() override { os::ClearRecordedDesktopRequests(); }
  void TearDown() override {
    unsetenv("VELMARIS_DESKTOP_RECORD");
    setenv("VELMARIS_HEADLESS", "1", 1);
    os::ClearRecordedDesktopRequests();
  }
};

TEST_F(DesktopRecord, HeadlessKeepsRequestsInMemoryAndRefusesEmptyOnes) {
  EXPECT_FALSE(os::OpenWithDesktop(""));
  EXPECT_FALSE(os::StartProgram(""));
  EXPECT_TRUE(os::OpenWithDesktop("play.url"));
  EXPECT_TRUE(os::StartProgram("fscommand\\wgame.exe"));
  EXPECT_EQ(os::RecordedDesktopRequests(), (Lines{"open play.url", "start fscommand\\wgame.exe"}));
  os::ClearRecordedDesktopRequests();
  EXPECT_TRUE(os::RecordedDesktopRequests().empty());
}

// A line break cannot forge a second request; a record file that cannot be written is a failure.
TEST_F(DesktopRecord, RecordFileGetsOneLineEachEvenWhenNotHeadless) {
  TempDir dir;
  unsetenv("VELMARIS_HEADLESS");
  setenv("VELMARIS_DESKTOP_RECORD", (dir / "desktop.txt").c_str(), 1);
  EXPECT_TRUE(os::OpenWithDesktop("https://example.org/a b"));
  EXPECT_TRUE(os::OpenWithDesktop("Homepage.url"));
  EXPECT_TRUE(os::StartProgram("bin/tool; rm -rf x"));
  EXPECT_TRUE(os::OpenWithDesktop("a\nstart evil"));
  EXPECT_EQ(dir.ReadFile("desktop.txt"),
            "open https://example.org/a b\nopen Homepage.url\nstart bin/tool; rm -rf x\nopen a start evil\n");
  EXPECT_EQ(os::RecordedDesktopRequests().size(), 4u);
  setenv("VELMARIS_DESKTOP_RECORD", (dir / "missing/desktop.txt").c_str(), 1);
  EXPECT_FALSE(os::OpenWithDesktop("x"));
}

// The real backend, with a stand-in "xdg-open" first on PATH that writes down its arguments.
class DesktopReal : public DesktopRecord {
 protected:
  void SetUp() override {
    DesktopRecord::SetUp();
    unsetenv("VELMARIS_HEADLESS");
    const char* path = getenv("PATH");
    m_saved_path = path ? path : "";
    m_dir.WriteFile("bin/xdg-open", "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done > \"$0.out.tmp\"\n"
                                    "mv \"$0.out.tmp\" \"$0.out\"\n");
    chmod((m_dir / "bin/xdg-open").c_str(), 0755);
    setenv("PATH", (m_dir.Path() + "/bin:" + m_saved_path).c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", m_saved_path.c_str(), 1);
    DesktopRecord::TearDown();
  }
  // Waits (bounded) until the stand-in has written its whole line of output: the shell makes the
  // file before it writes into it, so a file that exists may still be empty.
  std::string WaitForOutput(const std::string& relative) {
    std::string output;
    for (int i = 0; i < 1000; ++i) {
      if (os::FileExists(m_dir / relative)) output = m_dir.ReadFile(relative);
      if (!output.empty() && output.back() == '\n') break;
      os::SleepMilliseconds(5);
    }
    return output;
  }

  TempDir m_dir;
  std::string m_saved_path;
};

// Children of this process that have ended but were not collected.
int ZombieChildren() {
  int zombies = 0;
  DIR* proc = opendir("/proc");
  while (const dirent* entry = proc ? readdir(proc) : nullptr) {
    std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    int parent = 0;
    if (sscanf(line.c_str() + close + 1, " %c %d", &state, &parent) == 2 && parent == getpid() &&
        state == 'Z') {
      ++zombies;
    }
  }
  if (proc) closedir(proc);
  return zombies;
}

// One argument without a shell; a name that looks like an option is made relative.
TEST_F(DesktopReal, OpenHandsTheTargetOverAsOneArgumentWithoutAShell) {
  ASSERT_TRUE(os::OpenWithDesktop("https://example.org/?a=1&b=$(touch x)"));
  EXPECT_EQ(WaitForOutput("bin/xdg-open.out"), "[https://example.org/?a=1&b=$(touch x)]\n");
  EXPECT_TRUE(os::RecordedDesktopRequests().empty());
  ASSERT_TRUE(os::DeleteFile(m_dir / "bin/xdg-open.out"));
  ASSERT_TRUE(os::OpenWithDesktop("--help"));
  EXPECT_EQ(WaitForOutput("bin/xdg-open.out"), "[./--help]\n");
}

TEST_F(DesktopReal, StartProgramRunsItAndLeavesNoZombie) {
  m_dir.WriteFile("Fscommand/wgame.exe", "#!/bin/sh\necho started > \"$0.out\"\n");
  chmod((m_dir / "Fscommand/wgame.exe").c_str(), 0755);
  ASSERT_TRUE(os::StartProgram(m_dir.Path() + "\\fscommand\\wgame.exe"));
  EXPECT_EQ(WaitForOutput("Fscommand/wgame.exe.out"), "started\n");
  int zombies = 1;
  for (int i = 0; i < 400 && (zombies = ZombieChildren()) > 0; ++i) os::SleepMilliseconds(5);
  EXPECT_EQ(zombies, 0);
  EXPECT_FALSE(os::StartProgram(m_dir / "missing.exe"));
}

}  // namespace
