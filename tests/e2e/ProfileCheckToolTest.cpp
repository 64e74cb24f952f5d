// The soak's player-file checker, run as the soak runs it, on user folders written by the game's
// own writers (the seeding tool) and then damaged as a crash or a full disk would leave them.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/e2e/ProgramUnderTest.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int status = -1;
  std::string output;
};

ToolRun RunTool(const std::string& command) {
  ToolRun run;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.output += buffer;
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

struct FolderCase {
  const char* name;
  // What befalls the seeded player's files ("<folder>/usersdata/profiles/<digits>.prf").
  void (*damage)(const fs::path& prf);
  int status;
  const char* said;  // in the checker's output
};

void Truncate(const fs::path& file, uintmax_t size) { fs::resize_file(file, size); }

const FolderCase kFolders[] = {
    {"good", [](const fs::path&) {}, 0, "whole, its backup whole"},
    {"empty", [](const fs::path& prf) { Truncate(prf, 0), Truncate(prf.string() + ".bak", 0); }, 1, "has no whole"},
    {"damaged, no backup",
     [](const fs::path& prf) { Truncate(prf, fs::file_size(prf) / 2), fs::remove(prf.string() + ".bak"); }, 1,
     "has no whole"},
    {"damaged, backup whole", [](const fs::path& prf) { Truncate(prf, 7); }, 1, "is damaged or empty"},
    {"a file kept aside", [](const fs::path& prf) { fs::copy_file(prf, prf.string() + ".bad"); }, 1,
     "kept aside as damaged"},
    {"a player left out of the list",
     [](const fs::path& prf) { fs::copy_file(prf, prf.parent_path() / "1048107410721085.prf"); }, 1,
     "the player file 1048107410721085.prf is not listed (its digits give the name \"\u0418\u0432\u0430\u043d\")"},
};

TEST(ProfileCheckToolTest, SaysWhetherEveryPlayerHasAWholeGame) {
  const fs::path bin = fs::path(ProgramUnderTest::BuiltProgram()).parent_path();
  const fs::path check = bin / "velmaris-profile-check";
  const fs::path seed = bin / "velmaris-profile-seed";
  if (!fs::exists(check) || !fs::exists(seed)) GTEST_SKIP() << "the player-file tools are not built beside this test";
  for (const FolderCase& c : kFolders) {
    SCOPED_TRACE(c.name);
    TempDir home("velmaris-profilecheck");
    const std::string env = "env XDG_DATA_HOME=" + home / "data" + " XDG_RUNTIME_DIR=" + home.Path() + " ";
    const std::string user = home / "data/Moskelt/tarvel";
    const ToolRun seeded = RunTool(env + seed.string() + " " + user + " Ada location_2 map hints=3");
    ASSERT_EQ(seeded.status, 0) << seeded.output;
    const fs::path prf = fs::path(user) / "usersdata/profiles" / "6510097.prf";  // "Ada" in code units
    ASSERT_TRUE(fs::exists(prf)) << seeded.output;
    c.damage(prf);
    const ToolRun checked = RunTool(env + check.string() + " " + user);
    EXPECT_EQ(checked.status, c.status) << checked.output;
    EXPECT_NE(checked.output.find(c.said), std::string::npos) << checked.output;
    EXPECT_NE(checked.output.find("player \"Ada\" (current)"), std::string::npos) << checked.output;
  }
}

TEST(ProfileCheckToolTest, RefusesAWrongCall) {
  const fs::path bin = fs::path(ProgramUnderTest::BuiltProgram()).parent_path();
  if (!fs::exists(bin / "velmaris-profile-check")) GTEST_SKIP() << "the checker is not built beside this test";
  EXPECT_EQ(RunTool((bin / "velmaris-profile-check").string()).status, 2);
  EXPECT_EQ(RunTool((bin / "velmaris-profile-seed").string() + " /nonexistent Ada location_1 hints=-1").status, 2);
}

}  // namespace
