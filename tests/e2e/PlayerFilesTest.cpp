// The player files as the real program keeps them: written at the first start; a damaged list is
// kept aside and the previous good copy read in its place.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <string>

#include "tests/e2e/ProgramUnderTest.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

constexpr int kTimeout = 30000;

std::string U32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

TEST(PlayerFiles, FirstStartWritesThemAndADamagedListIsKeptAsideForItsBackup) {
  const std::string reason = ProgramUnderTest::SkipReason();
  if (!reason.empty()) GTEST_SKIP() << reason;
  ProgramUnderTest program;
  const std::string users = program.UserFolder() + "/usersdata/";
  auto run_once = [&] {
    const pid_t child = program.Start();
    const unsigned long window = ProgramUnderTest::FindWindow(child, kTimeout);
    EXPECT_TRUE(window != 0 && program.WaitUntilStarted(kTimeout));
    ProgramUnderTest::SendCloseRequest(window);
    int status = -1;
    EXPECT_TRUE(ProgramUnderTest::Wait(child, &status, kTimeout) && WIFEXITED(status) && WEXITSTATUS(status) == 0);
  };
  run_once();
  EXPECT_EQ(ReadWholeFile(users + "profiles.pmf"), "FLPMF" + U32(112) + U32(0) + U32(0));
  EXPECT_EQ(ReadWholeFile(users + "topscores.hsf").size(), 29u);

  const std::string ann = U32(3) + std::string("A\0n\0n\0", 6);
  const std::string list = "FLPMF" + U32(112) + U32(1) + ann + ann;
  const std::string damaged = "FLPMF" + U32(112) + U32(900);  // names past the end
  WriteWholeFile(users + "profiles.pmf.bak", list);
  WriteWholeFile(users + "profiles.pmf", damaged);
  run_once();
  EXPECT_EQ(ReadWholeFile(users + "profiles.pmf"), list);
  EXPECT_EQ(ReadWholeFile(users + "profiles.pmf.bad"), damaged);
  EXPECT_EQ(ReadWholeFile(users + "profiles/65110110.prf").size(), 151u);  // Ann is current again
  const std::string log = ReadWholeFile(program.UserFolder() + "/tarvel.html");
  EXPECT_NE(log.find("kept as"), std::string::npos) << log;
}

}  // namespace
