// The game shell as a player meets it, through the real program on the test's display: the
// logos skipped by clicks, the name prompt answered with "Ann", the welcome line, the options'
// music slider moved and cancelled, a second player "Bob" added on the profile screen and "Ann"
// chosen again, and the way out through the exit question. Then the player files hold exactly
// what they should, and a second start goes straight to the menu. A second play renames a player,
// answers "No" to the exit and delete questions, deletes the last player and names a new one, and
// the menu afterwards shows nothing of the players list. The same again in Russian, chosen on the
// command line.
// Frames of every screen are kept as PNG files in the build folder ("shell-frames").

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <set>
#include <string>

#include "tests/e2e/PlayerHands.h"
#include "tests/e2e/ProgramUnderTest.h"
#include "tests/e2e/WindowPixels.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTimeout = 30000;
constexpr float kGuiWidth = 1024.0f, kGuiHeight = 768.0f;

// A rectangle of the GUI's 1024 x 768 screen (y upward), as the shell's forms place things.
struct Area {
  float x0, y0, x1, y1;
};
constexpr Area kWelcomeLine{262, 55, 762, 90};
constexpr Area kDialogTitle{262, 465, 762, 500};
constexpr Area kMenuButtons{392, 150, 632, 546};
constexpr Area kOptionsTitle{362, 595, 662, 630};
constexpr Area kPlayersList{272, 260, 572, 580};
constexpr Area kWholeScreen{0, 0, 1024, 768};
// The name entry's field, and the first line of the players list.
constexpr Area kNameField{322, 345, 702, 380};
constexpr Area kFirstName{276, 544, 568, 576};
// The lines of the players list's first two rows.
constexpr Area kFirstRow{272, 540, 572, 580}, kSecondRow{272, 484, 572, 524};
// Left of the menu's board, where the first name of the players list lies while it is open.
constexpr Area kBesideMenu{276, 540, 338, 580};
// Parchment there: a small dialog is open (the menu shows the night sky there).
constexpr Area kSmallDialog{178, 300, 228, 330};
// Parchment there: a large screen (options, players) is open.
constexpr Area kLargeScreen{250, 200, 330, 260};

std::string U32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string Wide(const std::string& ascii) {
  std::string bytes = U32(static_cast<uint32_t>(ascii.size()));
  for (char c : ascii) bytes += std::string{c, '\0'};
  return bytes;
}

class ShellTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    const std::string reason = ProgramUnderTest::SkipReason();
    if (!reason.empty()) GTEST_SKIP() << reason;
#if defined(__SANITIZE_ADDRESS__)
    // The sanitized program draws through the software rasteriser that compiles nothing (see
    // ProgramUnderTest): a frame of the menu under its logos takes seconds, longer than a click.
    GTEST_SKIP() << "the shell's screens are played end to end by the unsanitized build";
#endif
    const fs::path built = fs::path(ProgramUnderTest::BuiltProgram()).parent_path();
    if (!fs::is_directory(built / "data")) GTEST_SKIP() << "the sample data is not built beside this test";
    for (const char* group : {"data", "localization", "fsdata", "splash"}) {
      if (fs::exists(built / group)) fs::copy(built / group, program.BinFolder() + "/" + group, fs::copy_options::recursive);
    }
    language = GetParam();
    frames = ProgramUnderTest::FramesFolder("shell");
    // A music volume between the sliders' steps: opening and cancelling the options keeps it.
    program.WriteConfiguration({{"video_fullscreen", "false"}, {"music_volume", "0.530000"}});
  }

  int X(float gx) const { return static_cast<int>(gx * static_cast<float>(frame.width) / kGuiWidth); }
  int Y(float gy) const { return static_cast<int>(static_cast<float>(frame.height) * (1.0f - gy / kGuiHeight)); }

  // Distinct colours in the area (coarsely): text drawn over a panel gives many.
  int Colours(const WindowPixels& p, const Area& a) const {
    std::set<uint32_t> seen;
    for (int y = Y(a.y1); y <= Y(a.y0); y += 1) {
      for (int x = X(a.x0); x <= X(a.x1); x += 1) seen.insert(p.At(x, y) & 0xF0F0F0);
    }
    return static_cast<int>(seen.size());
  }
  // Pixels of the area far darker and far lighter than its middle grey: glyphs with an outline,
  // or dark ink on parchment, both give some of each.
  bool HasText(const WindowPixels& p, const Area& a) const {
    int dark = 0, light = 0;
    for (int y = Y(a.y1); y <= Y(a.y0); ++y) {
      for (int x = X(a.x0); x <= X(a.x1); ++x) {
        const uint32_t c = p.At(x, y);
        const int sum = static_cast<int>(((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF));
        dark += sum < 180 ? 1 : 0;
        light += sum > 560 ? 1 : 0;
      }
    }
    return dark > 40 && light > 40;
  }

  // The chosen player's name is written in red ink: many of the area's pixels are red.
  bool RedInk(const WindowPixels& p, const Area& a) const {
    int red = 0;
    for (int y = Y(a.y1); y <= Y(a.y0); ++y) {
      for (int x = X(a.x0); x <= X(a.x1); ++x) {
        const uint32_t c = p.At(x, y);
        const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
        red += r > 110 && r > g + 60 && r > b + 60 ? 1 : 0;
      }
    }
    return red > 30;
  }
  // The middle (GUI x) of the dark and red ink on the parchment of the area; -1 with none.
  float InkMiddle(const WindowPixels& p, const Area& a) const {
    int first = -1, last = -1;
    for (int x = X(a.x0); x <= X(a.x1); ++x) {
      for (int y = Y(a.y1); y <= Y(a.y0); ++y) {
        const uint32_t c = p.At(x, y);
        if (((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) >= 300) continue;
        if (first < 0) first = x;
        last = x;
        break;
      }
    }
    return first < 0 ? -1.0f : (static_cast<float>(first + last) * 0.5f) * kGuiWidth / static_cast<float>(frame.width);
  }

  // The share of the area's pixels that differ clearly between two frames of one size.
  double Difference(const WindowPixels& a, const WindowPixels& b, const Area& area) const {
    if (a.width != b.width || a.height != b.height) return 1.0;
    int changed = 0, all = 0;
    for (int y = Y(area.y1); y <= Y(area.y0); ++y) {
      for (int x = X(area.x0); x <= X(area.x1); ++x) {
        const uint32_t c = a.At(x, y), d = b.At(x, y);
        int distance = 0;
        for (int shift : {0, 8, 16}) distance += std::abs(static_cast<int>((c >> shift) & 0xFF) - static_cast<int>((d >> shift) & 0xFF));
        changed += distance > 60 ? 1 : 0;
        ++all;
      }
    }
    return all > 0 ? static_cast<double>(changed) / all : 0.0;
  }

  // Most of the area shows a slider's brass knob (its grip lines too), not the dark track or the
  // parchment beside it.
  bool Knob(const WindowPixels& p, const Area& a) const {
    int knob = 0, all = 0;
    for (int y = Y(a.y1); y <= Y(a.y0); ++y) {
      for (int x = X(a.x0); x <= X(a.x1); ++x) {
        const uint32_t c = p.At(x, y);
        const int r = static_cast<int>((c >> 16) & 0xFF), b = static_cast<int>(c & 0xFF);
        knob += r > 120 && r > b + 60 ? 1 : 0;
        ++all;
      }
    }
    return knob * 10 > all * 8;
  }

  // Nearly every pixel of the area is light, as parchment is.
  bool Parchment(const WindowPixels& p, const Area& a) const {
    int light = 0, all = 0;
    for (int y = Y(a.y1); y <= Y(a.y0); ++y) {
      for (int x = X(a.x0); x <= X(a.x1); ++x) {
        const uint32_t c = p.At(x, y);
        light += ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) > 450 ? 1 : 0;
        ++all;
      }
    }
    return light * 10 > all * 8;
  }

  // Waits until the frame shows what `shows` asks; keeps the last frame read as a PNG.
  bool WaitFor(const std::string& name, const std::function<bool(const WindowPixels&)>& shows) {
    const std::string file = language + "-" + std::to_string(++shots) + "-" + name + ".png";
    bool written = false;
    const bool seen = WaitForWindowPixels(window, kTimeout, (frames / file).string(), shows, &frame, &written);
    EXPECT_TRUE(written) << file;
    return seen;
  }

  void Xdotool(const std::string& arguments) { ProgramUnderTest::Command("xdotool " + arguments); }
  std::string Move(float gx, float gy) const {
    return "mousemove --window " + std::to_string(window) + " " + std::to_string(X(gx)) + " " + std::to_string(Y(gy));
  }
  void Click(float gx, float gy) {
    // Held long enough for the poll of a slow (sanitized, software-drawn) frame to see it.
    Xdotool(Move(gx, gy) + " sleep 0.4 mousedown 1 sleep 0.4 mouseup 1 sleep 0.6");
  }
  void Type(const std::string& text) { EXPECT_TRUE(TypeText(window, text, kTimeout)) << text; }

  std::string Log() const { return ReadWholeFile(program.UserFolder() + "/tarvel.html"); }
  std::string Users(const std::string& file) const { return ReadWholeFile(program.UserFolder() + "/usersdata/" + file); }

  pid_t StartGame() {
    // The language as a player chooses it: on the command line.
    const pid_t child = program.StartProgram("velmaris", {"-lang", language}, {"SDL_AUDIODRIVER=dummy"});
    window = child > 0 ? ProgramUnderTest::FindWindow(child, kTimeout) : 0;
    EXPECT_NE(window, 0u) << Log();
    EXPECT_TRUE(window != 0 && ProgramUnderTest::WaitUntilViewable(window, kTimeout));
    return child;
  }
  // The splash screens and logos: the first shows, and clicks skip them until the game puts
  // another screen in front.
  void SkipLogos(const std::string& then) {
    ASSERT_TRUE(WaitFor("logo", [this](const WindowPixels& p) { return Colours(p, kWholeScreen) > 20; })) << Log();
    ASSERT_EQ(PassLogos(program, window, kTimeout), then) << Log();
  }
  // A fresh start: past the logos to the name prompt, the name typed and OK clicked, the menu.
  void NameTheFirstPlayer(const std::string& name) {
    SkipLogos("GameEnterName");  // no player yet: the name prompt
    ASSERT_TRUE(WaitFor("name-prompt", [this](const WindowPixels& p) {
      return Parchment(p, kSmallDialog) && HasText(p, kDialogTitle);
    })) << Log();
    Type(name);
    Click(402, 303);  // OK
    ASSERT_TRUE(WaitFor("menu", [this](const WindowPixels& p) {
      return HasText(p, kWelcomeLine) && HasText(p, kMenuButtons) && !Parchment(p, kSmallDialog);
    })) << Log();
  }
  void ExpectExitedNormally(pid_t child) {
    int status = -1;
    ASSERT_TRUE(ProgramUnderTest::Wait(child, &status, kTimeout));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << Log();
  }

  ProgramUnderTest program;
  std::string language;
  fs::path frames;
  unsigned long window = 0;
  WindowPixels frame;  // the last frame read: X() and Y() place points by its size
  int shots = 0;
};

TEST_P(ShellTest, APlayerNamesThemselvesAddsASecondPlayerAndLeavesTheWayTheyCame) {
  pid_t child = StartGame();
  ASSERT_GT(child, 0);
  ASSERT_NO_FATAL_FAILURE(NameTheFirstPlayer("Ann"));
  EXPECT_EQ(Users("profiles.pmf"), "FLPMF" + U32(112) + U32(1) + Wide("Ann") + Wide("Ann"));

  // Options: the music knob (at 0.53 of its 276-unit travel) dragged left, then Cancel.
  Click(512, 383);
  ASSERT_TRUE(WaitFor("options", [this](const WindowPixels& p) {
    return Parchment(p, kLargeScreen) && HasText(p, kOptionsTitle);
  })) << Log();
  const float knob_x = 460 + 0.53f * 276 + 12;
  Xdotool(Move(knob_x, 463) + " sleep 0.3 mousedown 1 sleep 0.2 " + Move(knob_x - 60, 463) + " sleep 0.2 " +
          Move(knob_x - 120, 463) + " sleep 0.3 mouseup 1 sleep 0.3");
  ASSERT_TRUE(WaitFor("options-moved", [this, knob_x](const WindowPixels& p) {
    return Knob(p, {knob_x - 116, 455, knob_x - 104, 471}) && !Knob(p, {knob_x - 6, 455, knob_x + 6, 471});
  })) << "the music knob follows the pointer";
  Click(682, 173);  // Cancel

  // The profile screen: "Bob" added (and current), then "Ann" chosen again, and back.
  Click(512, 453);
  ASSERT_TRUE(WaitFor("players", [this](const WindowPixels& p) {
    return Parchment(p, kLargeScreen) && HasText(p, kPlayersList);
  })) << Log();
  Click(680, 543);  // New
  ASSERT_TRUE(WaitFor("new-player", [this](const WindowPixels& p) {
    return Parchment(p, kSmallDialog) && HasText(p, kDialogTitle);
  })) << Log();
  Type("Bob");
  Click(402, 303);
  // The new player is the chosen one: Bob is listed under Ann and his row is marked, Ann's not;
  // each name stands in the middle of its row.
  ASSERT_TRUE(WaitFor("two-players", [this](const WindowPixels& p) {
    return !Parchment(p, kSmallDialog) && RedInk(p, kSecondRow) && !RedInk(p, kFirstRow) && HasText(p, kFirstRow);
  })) << Log();
  EXPECT_NEAR(InkMiddle(frame, kFirstRow), 422.0f, 8.0f);
  EXPECT_NEAR(InkMiddle(frame, kSecondRow), 422.0f, 8.0f);
  Click(422, 560);  // the first frame: Ann
  Xdotool(Move(680, 400));  // beside the list: the mark is the choice's, not the pointer's
  EXPECT_TRUE(WaitFor("ann-chosen", [this](const WindowPixels& p) {
    return RedInk(p, kFirstRow) && !RedInk(p, kSecondRow) && HasText(p, kSecondRow);
  })) << Log();
  Click(680, 173);  // Back
  ASSERT_TRUE(WaitFor("menu-again", [this](const WindowPixels& p) {
    return HasText(p, kWelcomeLine) && !Parchment(p, kLargeScreen);
  })) << Log();

  Click(512, 173);  // Exit
  ASSERT_TRUE(WaitFor("exit-question", [this](const WindowPixels& p) {
    return Parchment(p, kSmallDialog) && HasText(p, kDialogTitle);
  })) << Log();
  Click(402, 303);  // Yes
  ExpectExitedNormally(child);

  EXPECT_EQ(Users("profiles.pmf"), "FLPMF" + U32(112) + U32(2) + Wide("Ann") + Wide("Bob") + Wide("Ann"));
  EXPECT_EQ(Users("profiles/65110110.prf"), "FLPRF" + U32(102) + std::string(142, '\0'));
  EXPECT_EQ(Users("profiles/6611198.prf"), "FLPRF" + U32(102) + std::string(142, '\0'));
  const std::string records = Users("topscores.hsf");
  EXPECT_EQ(records.size(), 29u);
  EXPECT_EQ(records.substr(0, 9), "FLPMF" + U32(112));
  const std::string config = ReadWholeFile(program.UserFolder() + "/tarvel.xml");
  std::smatch music;
  ASSERT_TRUE(std::regex_search(config, music, std::regex("id=\"music_volume\" value=\"([0-9.]+)\""))) << config;
  EXPECT_NEAR(std::atof(music[1].str().c_str()), 0.53, 1e-6) << "the volume is exactly as before";

  // A second start goes straight to the menu, with "Ann" welcomed.
  child = StartGame();
  SkipLogos("MainMenu");
  ASSERT_TRUE(WaitFor("second-start", [this](const WindowPixels& p) {
    return HasText(p, kWelcomeLine) && HasText(p, kMenuButtons) && !Parchment(p, kSmallDialog);
  })) << Log();
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  ExpectExitedNormally(child);
  EXPECT_EQ(Users("profiles.pmf"), "FLPMF" + U32(112) + U32(2) + Wide("Ann") + Wide("Bob") + Wide("Ann"));
}

TEST_P(ShellTest, APlayerRenamedDeletedAndAnsweredNoKeepsExactlyWhatWasAskedFor) {
  const pid_t child = StartGame();
  ASSERT_GT(child, 0);
  ASSERT_NO_FATAL_FAILURE(NameTheFirstPlayer("Ann"));
  const WindowPixels menu = frame;

  // "No" to the exit question leaves the player in the menu.
  Click(512, 173);  // Exit
  ASSERT_TRUE(WaitFor("exit-question", [this](const WindowPixels& p) {
    return Parchment(p, kSmallDialog) && HasText(p, kDialogTitle);
  })) << Log();
  Click(622, 303);  // No
  ASSERT_TRUE(WaitFor("exit-refused", [this](const WindowPixels& p) {
    return HasText(p, kWelcomeLine) && HasText(p, kMenuButtons) && !Parchment(p, kSmallDialog);
  })) << Log();

  // Rename: "Ann" becomes "Cleo".
  Click(512, 453);  // Players
  ASSERT_TRUE(WaitFor("players", [this](const WindowPixels& p) {
    return Parchment(p, kLargeScreen) && HasText(p, kPlayersList);
  })) << Log();
  Click(680, 473);  // Rename
  ASSERT_TRUE(WaitFor("rename", [this](const WindowPixels& p) {
    return Parchment(p, kSmallDialog) && HasText(p, kDialogTitle) && HasText(p, kNameField);
  })) << Log();
  Xdotool("windowfocus --sync " + std::to_string(window));
  Xdotool("key --delay 250 BackSpace BackSpace BackSpace");
  Type("Cleo");
  Click(402, 303);  // OK
  ASSERT_TRUE(WaitFor("renamed", [this](const WindowPixels& p) {
    return !Parchment(p, kSmallDialog) && Parchment(p, kLargeScreen) && HasText(p, kFirstName);
  })) << Log();
  const WindowPixels renamed = frame;

  // Delete, answered "No": the question goes and the player stays.
  Click(680, 403);  // Delete
  ASSERT_TRUE(WaitFor("delete-question", [this](const WindowPixels& p) {
    return Parchment(p, kSmallDialog) && HasText(p, kDialogTitle);
  })) << Log();
  Click(622, 303);  // No
  ASSERT_TRUE(WaitFor("delete-refused", [this](const WindowPixels& p) {
    return !Parchment(p, kSmallDialog) && Parchment(p, kLargeScreen) && HasText(p, kFirstName);
  })) << Log();
  EXPECT_LT(Difference(frame, renamed, kFirstName), 0.02) << "the same name in the same place";

  // Delete, answered "Yes": the last player goes and a new one is asked for.
  Click(680, 403);
  ASSERT_TRUE(WaitFor("delete-question-again", [this](const WindowPixels& p) {
    return Parchment(p, kSmallDialog) && HasText(p, kDialogTitle);
  })) << Log();
  Click(402, 303);  // Yes
  ASSERT_TRUE(WaitFor("first-player-prompt", [this](const WindowPixels& p) {
    return Parchment(p, kSmallDialog) && HasText(p, kDialogTitle) && !HasText(p, kNameField);
  })) << Log();
  Type("Dan");
  Click(402, 303);  // OK
  ASSERT_TRUE(WaitFor("new-player", [this](const WindowPixels& p) {
    return !Parchment(p, kSmallDialog) && Parchment(p, kLargeScreen) && HasText(p, kFirstName);
  })) << Log();

  // Back: the list's names go with the screen, the menu shows as it did.
  Click(680, 173);  // Back
  ASSERT_TRUE(WaitFor("menu-again", [this, &menu](const WindowPixels& p) {
    return HasText(p, kWelcomeLine) && !Parchment(p, kLargeScreen) && Difference(p, menu, kBesideMenu) < 0.02;
  })) << Log() << "\nshare of the menu changed beside its buttons: " << Difference(frame, menu, kBesideMenu);

  Click(512, 173);  // Exit
  ASSERT_TRUE(WaitFor("exit-question-again", [this](const WindowPixels& p) {
    return Parchment(p, kSmallDialog) && HasText(p, kDialogTitle);
  })) << Log();
  Click(402, 303);  // Yes
  ExpectExitedNormally(child);

  EXPECT_EQ(Users("profiles.pmf"), "FLPMF" + U32(112) + U32(1) + Wide("Dan") + Wide("Dan"));
  EXPECT_EQ(Users("profiles/6897110.prf"), "FLPRF" + U32(102) + std::string(142, '\0'));
  for (const char* gone : {"65110110", "67108101111"}) {
    EXPECT_FALSE(fs::exists(program.UserFolder() + "/usersdata/profiles/" + gone + ".prf")) << gone;
    EXPECT_FALSE(fs::exists(program.UserFolder() + "/usersdata/profiles/" + gone + ".bak")) << gone;
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShellTest, ::testing::Values("en", "ru"));

}  // namespace
