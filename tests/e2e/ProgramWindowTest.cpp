// The real program on the test's display: its window appears with its title, each kind of close
// request ends it with status 0, and it leaves its log and the exit-file requests behind.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <regex>
#include <string>

#include "tests/e2e/ProgramUnderTest.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

constexpr int kStartTimeout = 30000;
constexpr int kEndTimeout = 30000;

class ProgramWindowTest : public ProgramTest {
 protected:
  // Starts the program and waits for its window.
  unsigned long StartAndFindWindow() {
    child = program.Start();
    EXPECT_GT(child, 0);
    const unsigned long window = ProgramUnderTest::FindWindow(child, kStartTimeout);
    EXPECT_NE(window, 0u) << "no window titled Velmaris appeared; the program's log:\n" << program.Log() << program.ErrorOutput();
    return window;
  }
  // Waits for the program to end and answers its exit status (see ProgramUnderTest::ExitStatus).
  int ExitStatus() { return ProgramUnderTest::ExitStatus(child, kEndTimeout); }

  pid_t child = -1;
};

TEST_F(ProgramWindowTest, WindowAppearsWithItsTitleAndTheCloseButtonEndsWithZero) {
  program.WriteConfiguration({{"video_fullscreen", "false"}});
  const unsigned long window = StartAndFindWindow();
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(ProgramUnderTest::WaitUntilViewable(window, kStartTimeout));
  const std::string geometry = ProgramUnderTest::Command("xwininfo -id " + std::to_string(window));
  EXPECT_NE(geometry.find("Width: 1024"), std::string::npos) << geometry;
  EXPECT_NE(geometry.find("Height: 768"), std::string::npos) << geometry;
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  EXPECT_EQ(ExitStatus(), 0);

  // The log is in the user folder, named after the short name; it tells what data was missing.
  const std::string log = program.Log();
  EXPECT_NE(log.find("tarvel Log start"), std::string::npos) << log;
  EXPECT_NE(log.find("tarvel Log end"), std::string::npos) << log;
  EXPECT_NE(log.find("resource group fsdata"), std::string::npos) << log;
  // The terminal stays clean: without a sound card the game runs silent and says so in its log
  // alone, whatever the sound libraries would print themselves.
  EXPECT_EQ(program.ErrorOutput(), "");
}

TEST_F(ProgramWindowTest, AltF4EndsWithZero) {
  const unsigned long window = StartAndFindWindow();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(ProgramUnderTest::WaitUntilViewable(window, kStartTimeout));  // focus needs a mapped window
  ProgramUnderTest::Command("xdotool windowfocus --sync " + std::to_string(window) + " key --clearmodifiers alt+F4");
  EXPECT_EQ(ExitStatus(), 0);
}

// The terminal closing (SIGHUP), its interrupt and quit keys, and a polite kill: each ends the
// game as its close button does, with status 0 and the settings saved.
TEST_F(ProgramWindowTest, EverySignalAskingForAnEndSavesAsACloseDoes) {
  for (const int signal_number : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
    SCOPED_TRACE(strsignal(signal_number));
    program.WriteConfiguration({{"video_fullscreen", "false"}});
    const unsigned long window = StartAndFindWindow();
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(ProgramUnderTest::WaitUntilViewable(window, kStartTimeout));
    kill(child, signal_number);
    EXPECT_EQ(ExitStatus(), 0);
    const std::string config = program.UserFile("tarvel.xml");
    EXPECT_NE(config.find("<item id=\"x_size\" value=\"1024\"/>"), std::string::npos) << "not saved: " << config;
  }
}

// A current player sets the title again after the game has switched its own character locale:
// window lists and xdotool, in whatever locale they run, must still read it.
TEST_F(ProgramWindowTest, TheTitleStaysReadableOnceAPlayerIsCurrent) {
  ASSERT_EQ(program.SeedPlayer("Ada location_1"), "");
  program.WriteConfiguration({{"video_fullscreen", "false"}});
  child = program.Start();
  ASSERT_GT(child, 0);
  ASSERT_TRUE(program.WaitUntilStarted(kStartTimeout)) << program.ErrorOutput();
  const unsigned long window = ProgramUnderTest::FindWindow(child, kStartTimeout);
  ASSERT_NE(window, 0u) << ProgramUnderTest::Command("for w in $(xdotool search --onlyvisible --pid " +
                                                     std::to_string(child) + "); do xprop -id $w WM_NAME; done 2>&1");
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  EXPECT_EQ(ExitStatus(), 0);
}

TEST_F(ProgramWindowTest, FullScreenInASizeTheDisplayLacksCoversTheDesktop) {
  // The virtual display has one mode, 1280 x 1024: the default 1024 x 768 cannot be set.
  const unsigned long window = StartAndFindWindow();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(ProgramUnderTest::WaitUntilViewable(window, kStartTimeout));
  // No window manager runs on the test's display: the window covers the screen from its corner
  // all the same, none of it off the screen.
  const std::regex covers("Absolute upper-left X: +0\n.*Absolute upper-left Y: +0\n[^]*Width: 1280\n.*Height: 1024\n");
  std::string geometry;
  for (int tries = 0; tries < 100; ++tries) {
    geometry = ProgramUnderTest::Command("xwininfo -id " + std::to_string(window));
    if (std::regex_search(geometry, covers)) break;
    ProgramUnderTest::Command("sleep 0.1");  // polled: the program places the window after mapping it
  }
  EXPECT_TRUE(std::regex_search(geometry, covers)) << geometry;
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  EXPECT_EQ(ExitStatus(), 0);
}

TEST_F(ProgramWindowTest, ConfigurationIsReadAndWrittenBackWithEveryKeptSetting) {
  program.WriteConfiguration({{"video_fullscreen", "false"}, {"m_video_mode.bpp", "16"}, {"unknown_key", "x"}});
  const unsigned long window = StartAndFindWindow();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  EXPECT_EQ(ExitStatus(), 0);
  const std::string config = program.UserFile("tarvel.xml");
  EXPECT_EQ(config.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config>\n\t<item id=\"x_size\" value=\"1024\"/>", 0),
            0u) << config;
  EXPECT_NE(config.find("<item id=\"video_fullscreen\" value=\"false\"/>"), std::string::npos) << config;
  EXPECT_NE(config.find("<item id=\"m_video_mode.bpp\" value=\"16\"/>"), std::string::npos) << config;
  EXPECT_EQ(config.find("unknown_key"), std::string::npos) << config;  // read, but not a kept setting
}

TEST_F(ProgramWindowTest, ExitFilesAreHandedToTheDesktopAtTheEnd) {
  WriteWholeFile(program.BinFolder() + "/play.url", "[InternetShortcut]\r\nURL=https://example.org/play\r\n");
  WriteWholeFile(program.BinFolder() + "/Homepage.url", "[InternetShortcut]\nURL=https://example.org/home\n");
  std::filesystem::create_directories(program.BinFolder() + "/fscommand");
  WriteWholeFile(program.BinFolder() + "/fscommand/wgame.exe", "#!/bin/sh\n");
  chmod((program.BinFolder() + "/fscommand/wgame.exe").c_str(), 0755);
  const unsigned long window = StartAndFindWindow();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  EXPECT_EQ(ExitStatus(), 0);
  const std::string record = ReadWholeFile(program.DesktopRecord());
  const std::string expected_start = "open https://example.org/play\nopen https://example.org/home\nstart ";
  EXPECT_EQ(record.rfind(expected_start, 0), 0u) << record;
  EXPECT_NE(record.find("wgame.exe"), std::string::npos) << record;
}

TEST_F(ProgramWindowTest, SecondInstanceLeavesAtOnceAndTouchesNothing) {
  WriteWholeFile(program.BinFolder() + "/play.url", "[InternetShortcut]\nURL=https://example.org/play\n");
  const std::string config = program.WriteConfiguration({{"x_size", "800"}, {"video_fullscreen", "false"}});
  const unsigned long window = StartAndFindWindow();
  ASSERT_NE(window, 0u);
  // With its window made, the first instance holds the lock and has opened its log. It may go on
  // logging while it runs, so the second one is judged by what it alone could do: cut the log,
  // start a session of its own in it, or write the settings and exit files.
  const std::string log_before = program.Log();
  ASSERT_NE(log_before.find("Log start"), std::string::npos) << log_before;

  const pid_t second = program.Start();
  ASSERT_EQ(ProgramUnderTest::ExitStatus(second, kEndTimeout), 0);
  EXPECT_EQ(program.UserFile("tarvel.xml"), config);
  const std::string log_after = program.Log();
  EXPECT_EQ(log_after.rfind(log_before, 0), 0u) << log_after;
  EXPECT_EQ(log_after.find("Log start", log_before.size()), std::string::npos) << log_after;
  EXPECT_EQ(ReadWholeFile(program.DesktopRecord()), "");

  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  EXPECT_EQ(ExitStatus(), 0);
  EXPECT_EQ(ReadWholeFile(program.DesktopRecord()), "open https://example.org/play\n");
}

}  // namespace
