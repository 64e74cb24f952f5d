// The player files as the real program keeps them: written at the first start; a damaged list is
// kept aside and the previous good copy read in its place.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/ProgramUnderTest.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

constexpr int kTimeout = 30000;

std::string U32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

// One start to the end of the logos and a close, which must end the game well.
void StartAndClose(ProgramUnderTest& program) {
  const pid_t child = program.Start();
  const unsigned long window = ProgramUnderTest::FindWindow(child, kTimeout);
  EXPECT_TRUE(window != 0 && program.WaitUntilStarted(kTimeout));
  ProgramUnderTest::SendCloseRequest(window);
  int status = -1;
  EXPECT_TRUE(ProgramUnderTest::Wait(child, &status, kTimeout) && WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(PlayerFiles, FirstStartWritesThemAndADamagedListIsKeptAsideForItsBackup) {
  const std::string reason = ProgramUnderTest::SkipReason();
  if (!reason.empty()) GTEST_SKIP() << reason;
  ProgramUnderTest program;
  const std::string users = program.UserFolder() + "/usersdata/";
  auto run_once = [&] { StartAndClose(program); };
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

std::string Wide(const std::u16string& text) {
  std::string bytes = U32(static_cast<uint32_t>(text.size()));
  for (char16_t unit : text) bytes += {char(unit & 0xFF), char(unit >> 8)};
  return bytes;
}

std::string List(const std::vector<std::u16string>& names, const std::u16string& current) {
  std::string bytes = "FLPMF" + U32(112) + U32(static_cast<uint32_t>(names.size()));
  for (const auto& name : names) bytes += Wide(name);
  return bytes + Wide(current);
}

std::string Digits(const std::u16string& name) {
  std::string digits;
  for (char16_t unit : name) digits += std::to_string(static_cast<unsigned>(unit));
  return digits;
}

// A player file with an empty game and `hints` charges.
std::string PlayerFile(uint32_t hints) {
  const std::string progress = std::string(2, '\0') + U32(0) + U32(0) + U32(0) + U32(0) + U32(0) + U32(0) + U32(0) +
                               U32(hints) + std::string(3, '\0') + U32(0) + std::string(6, '\1') + U32(0) + U32(0) +
                               U32(0) + U32(0) + U32(0);
  return "FLPRF" + U32(102) + progress + progress + U32(0) + U32(0);
}

// Players the real program finds at its start: long names stay listed, and a damaged list gives
// every player back, the current one current.
TEST(PlayerFiles, LongNamesAndPlayersOfADamagedListStayListed) {
  const std::string reason = ProgramUnderTest::SkipReason();
  if (!reason.empty()) GTEST_SKIP() << reason;
  const std::u16string alexandra = u"Alexandra Konstantinopoulou";
  const std::u16string sixty = std::u16string(58, u'e') + u" Z";
  const std::vector<std::u16string> eight = {u"2024", u"Bob", u"Mary Lou", u"a1b", sixty, alexandra.substr(0, 9),
                                             u"\u0418\u0432\u0430\u043d", u"\u05d3\u05e0\u05d4"};
  std::vector<std::u16string> sorted = eight;
  std::sort(sorted.begin(), sorted.end());
  const struct {
    const char* what;
    std::vector<std::u16string> listed;  // in the list written before the start
    const char* list;                    // written over the list: "" none
    std::vector<std::u16string> after;
    std::u16string current;
  } cases[] = {
      {"27 and 60 units", {alexandra, u"Bob", sixty}, "", {alexandra, u"Bob", sixty}, alexandra},
      {"eight, the list damaged", sorted, "FLPMF junk", sorted, u"a1b"},
      {"eight, the list whole but missing three", {sorted[0], sorted[3], sorted[5], u"a1b", sorted[7]}, "", sorted,
       u"a1b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ProgramUnderTest program;
    const std::string users = program.UserFolder() + "/usersdata/";
    std::filesystem::create_directories(users + "profiles");
    std::vector<std::u16string> listed = c.listed;
    std::sort(listed.begin(), listed.end());
    WriteWholeFile(users + "profiles.pmf", List(listed, c.current));
    WriteWholeFile(users + "profiles.pmf.bak", List(listed, c.current));
    if (*c.list != '\0') WriteWholeFile(users + "profiles.pmf", c.list);
    for (const auto& name : c.after) WriteWholeFile(users + "profiles/" + Digits(name) + ".prf", PlayerFile(3));
    StartAndClose(program);
    std::vector<std::u16string> after = c.after;
    std::sort(after.begin(), after.end());
    EXPECT_EQ(ReadWholeFile(users + "profiles.pmf"), List(after, c.current));
    for (const auto& name : c.after) {
      EXPECT_EQ(ReadWholeFile(users + "profiles/" + Digits(name) + ".prf"), PlayerFile(3)) << Digits(name);
    }
  }
}

}  // namespace
