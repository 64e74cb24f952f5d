// The player files as the real program keeps them: written at the first start, and a damaged
// list kept aside while the previous good copy is read in its place.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <string>

#include "tests/e2e/ProgramUnderTest.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

constexpr int kTimeout = 30000;

std::string U32(uint32_t v) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(v >> (8 * i));
  return bytes;
}

class PlayerFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string reason = ProgramUnderTest::SkipReason();
    if (!reason.empty()) GTEST_SKIP() << reason;
  }
  // Starts the program, lets it finish starting and closes it; answers its exit status.
  int RunOnce() {
    const pid_t child = program.Start();
    const unsigned long window = ProgramUnderTest::FindWindow(child, kTimeout);
    EXPECT_NE(window, 0u) << Log();
    EXPECT_TRUE(program.WaitUntilStarted(kTimeout));
    ProgramUnderTest::SendCloseRequest(window);
    int status = 0;
    if (!ProgramUnderTest::Wait(child, &status, kTimeout)) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Users(const std::string& name) const { return program.UserFolder() + "/usersdata/" + name; }
  std::string Log() const { return ReadWholeFile(program.UserFolder() + "/tarvel.html"); }

  ProgramUnderTest program;
};

TEST_F(PlayerFilesTest, FirstStartWritesTheEmptyListAndTheDefaultRecords) {
  ASSERT_EQ(RunOnce(), 0);
  EXPECT_EQ(ReadWholeFile(Users("profiles.pmf")), "FLPMF" + U32(112) + U32(0) + U32(0));
  EXPECT_EQ(ReadWholeFile(Users("topscores.hsf")).size(), 29u);
}

TEST_F(PlayerFilesTest, DamagedListIsKeptAsideAndItsBackupBringsThePlayerBack) {
  const std::string ann = U32(3) + std::string("A\0n\0n\0", 6);
  const std::string list = "FLPMF" + U32(112) + U32(1) + ann + ann;
  WriteWholeFile(Users("profiles.pmf.bak"), list);
  WriteWholeFile(Users("profiles.pmf"), "FLPMF" + U32(112) + U32(900));  // names past the end
  ASSERT_EQ(RunOnce(), 0);
  EXPECT_EQ(ReadWholeFile(Users("profiles.pmf")), list);
  EXPECT_EQ(ReadWholeFile(Users("profiles.pmf.bad")), "FLPMF" + U32(112) + U32(900));
  EXPECT_EQ(ReadWholeFile(Users("profiles/65110110.prf")).size(), 151u);  // Ann is current again
  EXPECT_NE(Log().find("kept as"), std::string::npos) << Log();
}

}  // namespace
