#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "source/log/LogFormat.h"
#include "source/log/cLog.h"
#include "source/properties/cProperties.h"
#include "tests/support/TempDir.h"

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// Each test gets a fresh store and log writing into its own folder.
class HtmlLog : public testing::Test {
 protected:
  void SetUp() override {
    DestroySingletons();
    cProperties* store = cProperties::GetInstance();
    store->SetValue("short_name", "tarvel");
    store->SetValue("log_directory", m_dir.Path());
  }
  void TearDown() override {
    unsetenv("VELMARIS_DEBUG_OUTPUT");
    DestroySingletons();
  }

  cLog* OpenLog() {
    cLog* log = cLog::GetInstance();
    EXPECT_TRUE(log->Open());
    return log;
  }
  std::string Page() const { return m_dir.ReadFile("tarvel.html"); }
  // The page with its head cut off: only what the entries wrote.
  std::string Entries() const {
    const std::string page = Page();
    const std::size_t end = page.find("start</FONT>");
    return end == std::string::npos ? page : page.substr(page.find('\n', end) + 2);
  }

  TempDir m_dir{"velmaris-log"};
};

TEST_F(HtmlLog, TheFileIsNamedAfterTheShortNameInTheLogFolderAndStartsWithItsHead) {
  cLog* log = OpenLog();
  EXPECT_EQ(log->GetPath(), m_dir.Path() + "\\tarvel.html");
  const std::string page = Page();
  EXPECT_EQ(page.rfind("<HTML>\n<HEAD>\n<TITLE>tarvel Log</TITLE>\n</HEAD>\n<BODY bgcolor=\"#000000\">\n", 0), 0u)
      << page;
  EXPECT_TRUE(Contains(page, "<FONT color=\"#FFFFFF\">tarvel Log: ")) << page;
  EXPECT_TRUE(Contains(page, "<FONT color=\"#FFFFFF\">======== </FONT><FONT color=\"#00FF00\">")) << page;
  EXPECT_TRUE(Contains(page, "<FONT color=\"#FFFFFF\"> ========</FONT>")) << page;
  EXPECT_FALSE(Contains(page, "</HTML>"));  // the tail waits for the end of the run
}

// Each level frames its entry in its own way; markup is escaped and a message is cut at 1023
// characters.
TEST_F(HtmlLog, EachLevelFramesItsEntry) {
  struct Case {
    int level;
    const char* source;
    int line;
    std::string message;
    std::string entry;
  } const cases[] = {
      {kLogWarning, "sources\\cTexture", 80, "texture rock.tga missing",
       "<FONT color=\"#7F7F7F\"><BR>Warning: texture rock.tga missing!<BR><BR></FONT>"},
      {kLogError, "sources\\cApplication", 243, "Could not create the window",
       "<FONT color=\"#FF0000\"><BR>sources\\cApplication(243): Error: Could not create the window!<BR><BR></FONT>"},
      {kLogAbort, "sources\\cRender", 9, "no device",
       "<FONT color=\"#FF0000\">sources\\cRender(9): PROGRAM ABORTING! no device<BR></FONT>"},
      {kLogPlain, "x", 1, "<script>alert(1)</script> & \"more\"",
       "&lt;script&gt;alert(1)&lt;/script&gt; &amp; \"more\"<BR>"},
      {kLogPlain, "x", 1, std::string(3000, 'x'), std::string(1023, 'x') + "<BR>"},
  };
  OpenLog();
  for (const Case& c : cases) {
    const std::size_t before = Entries().size();
    LogReport(c.level, c.source, c.line, "%s", c.message.c_str());
    EXPECT_EQ(Entries().substr(before), c.entry) << c.message.substr(0, 30);
  }
}

TEST_F(HtmlLog, EntriesFollowOneAnotherInOrder) {
  OpenLog();
  LogReport(kLogPlain, "a", 1, "one");
  LogReport(kLogWarning, "a", 2, "two");
  LogReport(kLogPlain, "a", 3, "three\nfour");
  EXPECT_EQ(Entries(), "one<BR><FONT color=\"#7F7F7F\"><BR>Warning: two!<BR><BR></FONT>three<BR>four<BR>");
}

TEST_F(HtmlLog, TheTwoStepReportWorksAndTheLevelIsNotKeptForTheNextEntry) {
  cLog* log = OpenLog();
  log->SetPending(kLogError, "sources\\cSound", 55);
  log->Printf("channel %u", 3u);
  log->Printf("after");  // nobody set a level for this one: plain
  EXPECT_EQ(Entries(), "<FONT color=\"#FF0000\"><BR>sources\\cSound(55): Error: channel 3!<BR><BR></FONT>after<BR>");
}

TEST_F(HtmlLog, HardLogReopensTheFileForEveryEntry) {
  OpenLog();
  LogReport(kLogPlain, "x", 1, "first");
  // With the file closed between entries, a file removed meanwhile is made again.
  std::filesystem::remove(m_dir / "tarvel.html");
  LogReport(kLogPlain, "x", 1, "second");
  EXPECT_EQ(Page(), "second<BR>");
}

TEST_F(HtmlLog, WithoutHardLogTheFileStaysOpen) {
  cProperties::GetInstance()->SetValue("hard_log", "false");
  OpenLog();
  LogReport(kLogPlain, "x", 1, "first");
  EXPECT_EQ(Entries(), "first<BR>");  // written through at once all the same
  std::filesystem::remove(m_dir / "tarvel.html");
  LogReport(kLogPlain, "x", 1, "second");
  EXPECT_FALSE(std::filesystem::exists(m_dir / "tarvel.html"));
}

TEST_F(HtmlLog, TheEndOfTheRunWritesTheTail) {
  for (const char* hard : {"true", "false"}) {
    SCOPED_TRACE(hard);
    DestroySingletons();
    cProperties::GetInstance()->SetValue("short_name", "tarvel");
    cProperties::GetInstance()->SetValue("log_directory", m_dir.Path());
    cProperties::GetInstance()->SetValue("hard_log", hard);
    OpenLog();
    LogReport(kLogPlain, "x", 1, "last entry");
    DestroySingletons();
    const std::string page = Page();
    EXPECT_TRUE(Contains(page, "last entry<BR>")) << page;
    EXPECT_TRUE(Contains(page, "tarvel Log end: ")) << page;
    const std::string ending = "</FONT>\n</BODY>\n</HTML>\n";
    ASSERT_GE(page.size(), ending.size());
    EXPECT_EQ(page.substr(page.size() - ending.size()), ending);
    EXPECT_EQ(Count(page, "<HTML>"), 1u);
  }
}

TEST_F(HtmlLog, AnOlderLongerLogIsCutAway) {
  m_dir.WriteFile("tarvel.html", std::string(100000, 'Z'));
  OpenLog();
  LogReport(kLogPlain, "x", 1, "fresh");
  const std::string page = Page();
  EXPECT_FALSE(Contains(page, "ZZZ"));
  EXPECT_EQ(page.rfind("<HTML>", 0), 0u);
}

TEST_F(HtmlLog, EntriesBeforeOpenGoToStandardError) {
  testing::internal::CaptureStderr();
  LogReport(kLogError, "sources\\cMain", 4, "too early");
  const std::string captured = testing::internal::GetCapturedStderr();
  EXPECT_EQ(captured, "\nsources\\cMain(4): Error: too early!\n\n");
  EXPECT_FALSE(std::filesystem::exists(m_dir / "tarvel.html"));
}

TEST_F(HtmlLog, EveryEntryAlsoGoesToTheDebugOutput) {
  setenv("VELMARIS_DEBUG_OUTPUT", "1", 1);
  OpenLog();
  testing::internal::CaptureStderr();
  LogReport(kLogWarning, "x", 1, "a <raw> one");
  const std::string captured = testing::internal::GetCapturedStderr();
  EXPECT_EQ(captured, "\nWarning: a <raw> one!\n\n\n");
}

TEST_F(HtmlLog, LogOffWritesNoFileButKeepsTheDebugOutput) {
  cProperties::GetInstance()->SetValue("log", "false");
  setenv("VELMARIS_DEBUG_OUTPUT", "1", 1);
  cLog* log = cLog::GetInstance();
  EXPECT_FALSE(log->Open());
  testing::internal::CaptureStderr();
  LogReport(kLogPlain, "x", 1, "only here");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "only here\n\n");
  DestroySingletons();
  EXPECT_FALSE(std::filesystem::exists(m_dir / "tarvel.html"));
}

TEST_F(HtmlLog, AFolderThatCannotHoldTheLogDoesNotLoopAndEntriesGoToTheDebugOutput) {
  // A plain file where the folder should be: the open fails, and the failing file stream
  // reports that through the log itself.
  m_dir.WriteFile("blocker", "not a folder");
  cProperties::GetInstance()->SetValue("log_directory", m_dir / "blocker");
  setenv("VELMARIS_DEBUG_OUTPUT", "1", 1);
  testing::internal::CaptureStderr();
  cLog* log = cLog::GetInstance();
  EXPECT_FALSE(log->Open());
  LogReport(kLogError, "sources\\cApplication", 243, "still reported");
  DestroySingletons();
  const std::string captured = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Count(captured, "Could not open file"), 1u) << captured;
  EXPECT_EQ(Count(captured, "still reported"), 1u) << captured;
}

TEST_F(HtmlLog, AFolderThatVanishesDuringTheRunIsReportedOnlyToTheDebugOutput) {
  const std::string folder = m_dir / "sub";
  std::filesystem::create_directories(folder);
  cProperties::GetInstance()->SetValue("log_directory", folder);
  OpenLog();
  std::filesystem::remove_all(folder);
  setenv("VELMARIS_DEBUG_OUTPUT", "1", 1);
  testing::internal::CaptureStderr();
  LogReport(kLogPlain, "x", 1, "into nowhere");
  const std::string captured = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Count(captured, "Could not open file"), 1u) << captured;
  EXPECT_EQ(Count(captured, "into nowhere"), 1u) << captured;
}

TEST_F(HtmlLog, ReportsFromTwoThreadsKeepTheirEntriesWhole) {
  // Loader threads may fail to open a file; each report must stay one piece with its own level.
  cProperties::GetInstance()->SetValue("hard_log", "false");
  OpenLog();
  auto reporter = [](int level, const char* word) {
    for (int i = 0; i < 200; ++i) LogReport(level, "sources\\cThread", i, "%s %d", word, i);
  };
  std::thread warnings(reporter, kLogWarning, "warning");
  std::thread errors(reporter, kLogError, "error");
  warnings.join();
  errors.join();
  const std::string entries = Entries();
  EXPECT_EQ(Count(entries, "Warning: warning "), 200u);
  EXPECT_EQ(Count(entries, "): Error: error "), 200u);
  EXPECT_EQ(Count(entries, "Warning: error"), 0u);
  EXPECT_EQ(Count(entries, "Error: warning"), 0u);
  EXPECT_NE(entries.find("<FONT color=\"#FF0000\"><BR>sources\\cThread(199): Error: error 199!<BR><BR></FONT>"),
            std::string::npos);
}

TEST(LogFormat, ColoursAreTruncatedUpperCaseHex) {
  EXPECT_EQ(ColorToHex(kLogWhite), "#FFFFFF");
  EXPECT_EQ(ColorToHex(kLogGrey), "#7F7F7F");
  EXPECT_EQ(ColorToHex(kLogRed), "#FF0000");
  EXPECT_EQ(ColorToHex(kLogGreen), "#00FF00");
  EXPECT_EQ(ColorToHex(kLogBlack), "#000000");
  EXPECT_EQ(ColorToHex({0.999f, -2.0f, 7.0f}), "#FE00FF");
}

TEST(LogFormat, LevelsComposeTheirPrefixesAndFraming) {
  EXPECT_EQ(ComposeLogEntry(0, "s", 1, "t"), "t\n");
  EXPECT_EQ(ComposeLogEntry(1, "s", 1, "t"), "\nWarning: t!\n\n");
  EXPECT_EQ(ComposeLogEntry(2, "s", 1, "t"), "\ns(1): Error: t!\n\n");
  EXPECT_EQ(ComposeLogEntry(3, "s", -1, "t"), "s(-1): PROGRAM ABORTING! t\n");
  EXPECT_EQ(ComposeLogEntry(17, "s", 1, "t"), "t\n");  // an unknown level is plain
}

TEST(LogFormat, TheDateIsCtimesTextWithoutItsLineFeed) {
  const std::string date = LogDateNow();
  EXPECT_EQ(date.size(), 24u) << date;  // "Wed Dec  9 04:47:31 2026"
  EXPECT_EQ(date.find('\n'), std::string::npos);
}

}  // namespace
