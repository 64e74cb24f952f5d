#pragma once
// The real program started as a child process in a sandbox of its own: a copy of the executable
// in "<sandbox>/bin" (the program's data and exit files live beside it), its own user, runtime
// and home folders, the real (not headless) backends on an X server of its own, and the desktop
// replaced by a record file. Helpers find its window and drive it as a player's desktop would.
//
// The programs run on the test's display. The test process keeps a connection of its own open to
// it while sandboxes live: an X server resets when its last client leaves, and a program started
// in that moment (one test's program ends, the next one's starts) is refused its connection.

#include <sys/types.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

class ProgramUnderTest {
 public:
  ProgramUnderTest();
  ~ProgramUnderTest();  // kills a child still running
  ProgramUnderTest(const ProgramUnderTest&) = delete;
  ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

  // Starts an Xvfb (one the test may kill) that picks a free display number itself and waits until
  // it accepts connections; answers its pid (-1 when none started) and sets `name` to ":<number>".
  static pid_t StartDisplay(std::string& name);

  // The program beside this test binary; empty when it is not there.
  static std::string BuiltProgram();
  // Why the end-to-end tests cannot run here, or empty.
  static std::string SkipReason();
  // The folder, made, where a case keeps the frames it read: the one its try was given
  // (VELMARIS_E2E_FRAMES, a folder of its own a try), or else "<name>-frames" beside the program.
  static std::string FramesFolder(const std::string& name);

  const TempDir& Sandbox() const { return m_sandbox; }
  std::string BinFolder() const { return m_sandbox / "bin"; }
  std::string UserFolder() const { return m_sandbox / "xdg/Moskelt/tarvel"; }
  std::string DesktopRecord() const { return m_sandbox / "desktop.txt"; }
  // A file of the user folder as it is now ("" when missing), and the program's log there.
  std::string UserFile(const std::string& name) const;
  std::string Log() const { return UserFile("tarvel.html"); }

  // Copies the named program built beside this test, and the sample data groups built with it,
  // into the sandbox's "bin" folder; answers why not (nothing copied), or empty.
  std::string AddBuiltProgram(const std::string& name);

  // Starts a child; returns its pid (or -1). Without a "data" group in "bin" it gets a stand-in one
  // holding only the files the game starts from and empty forms of its first screens, unless
  // WithoutStandInData was called.
  pid_t Start(const std::vector<std::string>& arguments = {});
  void WithoutStandInData() { m_stand_in_data = false; }
  // Starts another program of the sandbox's "bin" folder the same way; `environment` entries
  // ("NAME=value") replace the sandbox's own of the same name.
  pid_t StartProgram(const std::string& name, const std::vector<std::string>& arguments,
                     const std::vector<std::string>& environment = {});
  // Waits for the child to end; false on time-out. `status` is waitpid's status.
  static bool Wait(pid_t child, int* status, int timeout_ms);
  // Waits for the child to end and answers its exit status: 128 + n when signal n ended it, -1
  // when it did not end in time (it is killed then).
  static int ExitStatus(pid_t child, int timeout_ms);
  // The child's main window titled "Velmaris", waiting for it; 0 when none appeared.
  static unsigned long FindWindow(pid_t child, int timeout_ms);
  // Waits until the window is mapped and visible on the display.
  static bool WaitUntilViewable(unsigned long window, int timeout_ms);
  // Waits until the child has finished starting: the last resource group it mounts is in its log
  // and the log has then stayed still for half a second.
  bool WaitUntilStarted(int timeout_ms) const;
  // Seeds a player in the user folder with velmaris-profile-seed built beside this test (its
  // arguments: "Ada location_1 items=oil_can"); answers "" when it did, else what it printed.
  std::string SeedPlayer(const std::string& arguments) const;
  // Writes a configuration with the given items (id, value) into the user folder; returns it.
  std::string WriteConfiguration(const std::vector<std::pair<std::string, std::string>>& items) const;
  // Asks the window to close as a window manager's close button does (WM_DELETE_WINDOW).
  static bool SendCloseRequest(unsigned long window);
  // Runs a command line of the test's own making and returns what it printed.
  static std::string Command(const std::string& command_line);

  // Children started from now on see this display instead of the test's own.
  void SetDisplay(const std::string& display) { m_display = display; }
  // Children started from now on run as an unprivileged user when the test runs as root (who may
  // read any file, so a file the player cannot read could not be played otherwise); the sandbox
  // is handed to that user at each start.
  void RunUnprivileged() { m_unprivileged = true; }
  // What the children wrote on standard error.
  std::string ErrorOutput() const;

 private:
  std::vector<std::string> Environment() const;
  void HandOverSandbox() const;

  TempDir m_sandbox{"velmaris-e2e"};
  std::vector<pid_t> m_children;
  std::string m_display;
  bool m_unprivileged = false;
  bool m_stand_in_data = true;
};

// A case that starts the real program: skipped where it cannot run (see SkipReason).
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string reason = ProgramUnderTest::SkipReason();
    if (!reason.empty()) GTEST_SKIP() << reason;
  }
  ProgramUnderTest program;
};
