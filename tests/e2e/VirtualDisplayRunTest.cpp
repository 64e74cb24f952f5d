// The run of ./run.sh on a machine without a display (tools/run-virtual-display.sh): on a fresh
// user folder it passes the logos, gives the first player's name, reaches the main menu and keeps
// its picture; a game stopped at a logo is reported as stopped there, with a failing status and
// no claim of a menu.

#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/e2e/ProgramUnderTest.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

namespace fs = std::filesystem;

// Stands for the game: starts it and stops it for good (SIGSTOP) once its logos are in front.
constexpr const char* kStoppedAtLogo = R"sh(#!/usr/bin/env bash
exec > /dev/null  # a stopped game must not hold the script's output open
"$(dirname "$0")/velmaris" "$@" 2> >(while IFS= read -r line; do
  printf '%s\n' "$line" >&2
  case $line in *"screen in front: logo_window"*) kill -STOP "$(cat "$0.pid")" ;; esac
done) &
echo $! > "$0.pid"
wait $!
)sh";

struct RunCase {
  const char* name;
  const char* program;       // in the sandbox's bin folder
  const char* wait_seconds;  // how long the script waits for each screen
  int status;
  const char* says;
  const char* never_says;
  bool picture;
};

const RunCase kRuns[] = {
    {"fresh_user_folder", "velmaris", "240", 0, "The player \"Ann\" is in the players' list.", "stopped", true},
    {"stopped_at_a_logo", "velmaris-stops-at-logo", "20", 1, "The game stopped at its logos", "reached its main menu",
     false},
};

class VirtualDisplayRunTest : public ::testing::TestWithParam<RunCase> {
 protected:
  void SetUp() override {
    const std::string reason = ProgramUnderTest::SkipReason();
    if (!reason.empty()) GTEST_SKIP() << reason;
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "./run.sh plays the Release build";
#endif
    if (ProgramUnderTest::Command("command -v xvfb-run").empty()) GTEST_SKIP() << "xvfb-run is not installed";
    const std::string why = program.AddBuiltProgram("velmaris");
    if (!why.empty()) GTEST_SKIP() << why;
    const fs::path built = fs::path(ProgramUnderTest::BuiltProgram()).parent_path();
    for (const char* helper : {"velmaris-keys", "velmaris-screenshot"}) {
      if (!fs::exists(built / helper)) GTEST_SKIP() << helper << " is not built beside this test";
      fs::copy_file(built / helper, program.BinFolder() + "/" + helper);
    }
    WriteWholeFile(program.BinFolder() + "/velmaris-stops-at-logo", kStoppedAtLogo);
    fs::permissions(program.BinFolder() + "/velmaris-stops-at-logo", fs::perms::owner_all, fs::perm_options::add);
  }
  void TearDown() override {
    // A game stopped at its logo outlives the script: it goes with the test.
    const std::string pid = ReadWholeFile(program.BinFolder() + "/velmaris-stops-at-logo.pid");
    if (std::atoi(pid.c_str()) > 0) kill(std::atoi(pid.c_str()), SIGKILL);
  }

  ProgramUnderTest program;
};

TEST_P(VirtualDisplayRunTest, SaysOnlyWhatTheGameShowed) {
  const RunCase& run = GetParam();
  const fs::path script = fs::path(VELMARIS_SOURCE_DIR) / "tools/run-virtual-display.sh";
  const std::string picture = program.Sandbox() / "menu.png";
  const std::string folder = program.Sandbox() / "xdg";
  const std::string output = ProgramUnderTest::Command(
      "env -u DISPLAY -u VELMARIS_INSIDE_VIRTUAL_DISPLAY -u VELMARIS_HEADLESS XDG_DATA_HOME=" + folder +
      " XDG_RUNTIME_DIR=" + (program.Sandbox() / "run") + " HOME=" + (program.Sandbox() / "home") +
      " VELMARIS_WAIT_SECONDS=" + run.wait_seconds + " " + script.string() + " " + program.BinFolder() + "/" +
      run.program + " " + picture + " Ann 2>&1 < /dev/null; echo \"status=$?\"");
  const std::string log = ReadWholeFile(program.Sandbox() / "menu.log");
  EXPECT_NE(output.find("status=" + std::to_string(run.status)), std::string::npos) << output << log;
  EXPECT_NE(output.find(run.says), std::string::npos) << output;
  EXPECT_EQ(output.find(run.never_says), std::string::npos) << output;
  EXPECT_EQ(fs::exists(picture), run.picture) << output;
  if (run.picture) {
    EXPECT_EQ(ReadWholeFile(picture).substr(1, 3), "PNG");
    const std::string players = ReadWholeFile(folder + "/Moskelt/tarvel/usersdata/profiles.pmf");
    EXPECT_NE(players.find(std::string("A\0n\0n\0", 6)), std::string::npos) << "the name given is the player's";
  }
}

INSTANTIATE_TEST_SUITE_P(Runs, VirtualDisplayRunTest, ::testing::ValuesIn(kRuns),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
