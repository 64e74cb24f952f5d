// The real program's "-pack" run and its crash report.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <string>

#include "source/Resources/cResource.h"
#include "source/Resources/cResourceLocation.h"
#include "source/core/Singleton.h"
#include "source/stream/cMemoryStream.h"
#include "tests/e2e/ProgramUnderTest.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

constexpr int kTimeout = 30000;

std::map<std::string, std::string> GroupContent(cResourceLocation& location) {
  std::map<std::string, std::string> content;
  for (cResource* resource : location.GetResources()) {
    cMemoryStream bytes;
    EXPECT_TRUE(resource->GetSource().LoadData(bytes)) << resource->GetName();
    content[resource->GetName()] =
        std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
  }
  return content;
}

class ProgramRunTest : public ProgramTest {
 protected:
  void TearDown() override { DestroySingletons(); }
};

TEST_F(ProgramRunTest, PackRunWritesPacksThatMountWithTheFoldersContent) {
  FixtureTree(program.BinFolder(), "data")
      .AddFile("game_init\\game_init.xml", "<game_init language=\"en\"/>")
      .AddFile("gui/windows/main_menu.bin", RandomBytes(20000, 3))
      .AddFile("levels/hall.cnf", CompressibleText(40000))
      .AddFolder("empty");
  FixtureTree(program.BinFolder(), "localization").AddFile("en/texts.xml", "<texts/>");
  const pid_t child = program.Start({"-pack"});
  ASSERT_EQ(ProgramUnderTest::ExitStatus(child, kTimeout), 0);

  for (const char* group : {"data", "localization"}) {
    cResourceLocation folder(group, program.BinFolder());
    ASSERT_TRUE(folder.Mount()) << group;
    cResourceLocation pack(std::string("my_") + group, program.BinFolder());
    ASSERT_TRUE(pack.Mount()) << group;
    EXPECT_TRUE(pack.IsPack());
    EXPECT_EQ(GroupContent(pack), GroupContent(folder)) << group;
  }
}

TEST_F(ProgramRunTest, FaultWritesCrashReportStartsTheReporterAndDiesBySignal) {
  WriteWholeFile(program.BinFolder() + "/bin/mb.dll", "#!/bin/sh\necho reported > reporter-ran\n");
  chmod((program.BinFolder() + "/bin/mb.dll").c_str(), 0755);
  const pid_t child = program.Start();
  ASSERT_NE(ProgramUnderTest::FindWindow(child, kTimeout), 0u);
  ASSERT_TRUE(program.WaitUntilStarted(kTimeout));  // it is in its own folder by then
  kill(child, SIGSEGV);
  int status = 0;
  ASSERT_TRUE(ProgramUnderTest::Wait(child, &status, kTimeout));
  ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  EXPECT_EQ(WTERMSIG(status), SIGSEGV);

  // The program runs in its own folder, so the report lies beside it.
  const std::string report = ReadWholeFile(program.BinFolder() + "/crash.txt");
  EXPECT_EQ(report.rfind("Date: ", 0), 0u) << report;
  EXPECT_NE(report.find("velmaris caused an EXCEPTION_ACCESS_VIOLATION (SIGSEGV)"), std::string::npos) << report;
  EXPECT_NE(report.find("RIP="), std::string::npos) << report;
  EXPECT_EQ(report.find("The faulting access"), std::string::npos) << report;  // sent, not a fault
  EXPECT_NE(report.find("Stack trace"), std::string::npos) << report;
  const std::string marker = program.BinFolder() + "/reporter-ran";
  for (int i = 0; i < 300 && access(marker.c_str(), F_OK) != 0; ++i) usleep(10000);
  EXPECT_EQ(access(marker.c_str(), F_OK), 0) << "the reporter did not run";
}

}  // namespace
