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

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <set>
#include <string>

#include "tests/e2e/GameScreen.h"
#include "tests/e2e/PlayerHands.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

namespace fs = std::filesystem;
using namespace e2e;

// Rectangles of the GUI's 1024 x 768 screen (y upward), as the shell's forms place things.
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
// Parchment there: a large screen (options, players) is open (kSmallDialog: a small dialog).
constexpr Area kLargeScreen{250, 200, 330, 260};

// Glyphs with an outline, or dark ink on parchment, give some pixels of each.
bool Dark(int r, int g, int b) { return r + g + b < 180; }
bool Light(int r, int g, int b) { return r + g + b > 560; }
// The chosen player's name is written in red ink.
bool RedPixel(int r, int g, int b) { return r > 110 && r > g + 60 && r > b + 60; }
// A slider's brass knob (its grip lines too), not the dark track or the parchment beside it.
bool KnobPixel(int r, int, int b) { return r > 120 && r > b + 60; }

std::string U32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string Wide(const std::string& ascii) {
  std::string bytes = U32(static_cast<uint32_t>(ascii.size()));
  for (char c : ascii) bytes += std::string{c, '\0'};
  return bytes;
}

class ShellTest : public GameScreen, public ::testing::WithParamInterface<const char*> {
 protected:
  ShellTest() : GameScreen("shell") {}
  void SetUp() override {
    GameScreen::SetUp();
    if (IsSkipped()) return;
    language = GetParam();
    // A music volume between the sliders' steps: opening and cancelling the options keeps it.
    program.WriteConfiguration({{"video_fullscreen", "false"}, {"music_volume", "0.530000"}});
  }

  // Distinct colours in the area (coarsely): text drawn over a panel gives many.
  int Colours(const WindowPixels& p, const Area& a) const {
    std::set<uint32_t> seen;
    for (int y = Y(a.y1); y <= Y(a.y0); y += 1) {
      for (int x = X(a.x0); x <= X(a.x1); x += 1) seen.insert(p.At(x, y) & 0xF0F0F0);
    }
    return static_cast<int>(seen.size());
  }
  bool HasText(const WindowPixels& p, const Area& a) const { return Count(p, a, Dark) > 40 && Count(p, a, Light) > 40; }
  bool RedInk(const WindowPixels& p, const Area& a) const { return Count(p, a, RedPixel) > 30; }
  bool Knob(const WindowPixels& p, const Area& a) const { return Mostly(p, a, KnobPixel); }
  bool Parchment(const WindowPixels& p, const Area& a) const { return Mostly(p, a, e2e::Parchment); }
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
    return first < 0 ? -1.0f : (static_cast<float>(first + last) * 0.5f) * 1024.0f / static_cast<float>(p.width);
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

 public:  // the screens as the waits look for them
  bool Dialog(const WindowPixels& p) const { return Parchment(p, kSmallDialog) && HasText(p, kDialogTitle); }
  bool Menu(const WindowPixels& p) const {
    return HasText(p, kWelcomeLine) && HasText(p, kMenuButtons) && !Parchment(p, kSmallDialog);
  }
  bool Players(const WindowPixels& p) const { return Parchment(p, kLargeScreen) && HasText(p, kPlayersList); }
  // The players screen with no dialog over it and a name in its first row.
  bool PlayersNamed(const WindowPixels& p) const {
    return !Parchment(p, kSmallDialog) && Parchment(p, kLargeScreen) && HasText(p, kFirstName);
  }

 protected:
  // Waits until the frame shows what `shows` asks; keeps the last frame read as a PNG.
  bool WaitFor(const std::string& name, const std::function<bool(const WindowPixels&)>& shows) {
    return GameScreen::WaitFor(language + "-" + name, kTimeout, shows);
  }
  bool WaitFor(const std::string& name, bool (ShellTest::*shows)(const WindowPixels&) const) {
    return WaitFor(name, [this, shows](const WindowPixels& p) { return (this->*shows)(p); });
  }

  std::string Move(float gx, float gy) const { return GameScreen::Move({gx, gy}); }
  void Click(float gx, float gy) { GameScreen::Click({gx, gy}); }
  void Type(const std::string& text) { EXPECT_TRUE(TypeText(window, text, kTimeout)) << text; }
  std::string Users(const std::string& file) const { return program.UserFile("usersdata/" + file); }

  // The language as a player chooses it: on the command line.
  pid_t StartGame() { return StartDriver("velmaris", {"-lang", language}); }
  // The splash screens and logos: the first shows, and clicks skip them until the game puts
  // another screen in front.
  void SkipLogos(const std::string& then) {
    ASSERT_TRUE(WaitFor("logo", [this](const WindowPixels& p) { return Colours(p, kWholeScreen) > 20; })) << Log();
    ASSERT_EQ(PassLogos(program, window, kTimeout), then) << Log();
  }
  // A fresh start: past the logos to the name prompt, the name typed and OK clicked, the menu.
  void NameTheFirstPlayer(const std::string& name) {
    SkipLogos("GameEnterName");  // no player yet: the name prompt
    ASSERT_TRUE(WaitFor("name-prompt", &ShellTest::Dialog)) << Log();
    Type(name);
    Click(402, 303);  // OK
    ASSERT_TRUE(WaitFor("menu", &ShellTest::Menu)) << Log();
  }
  // Exit on the menu and Yes to its question: the program ends with 0.
  void ExitWithYes(pid_t child, const std::string& name) {
    Click(512, 173);  // Exit
    ASSERT_TRUE(WaitFor(name, &ShellTest::Dialog)) << Log();
    Click(402, 303);  // Yes
    ExpectExitedNormally(child);
  }

  std::string language;
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
  ASSERT_TRUE(WaitFor("players", &ShellTest::Players)) << Log();
  Click(680, 543);  // New
  ASSERT_TRUE(WaitFor("new-player", &ShellTest::Dialog)) << Log();
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

  ASSERT_NO_FATAL_FAILURE(ExitWithYes(child, "exit-question"));

  EXPECT_EQ(Users("profiles.pmf"), "FLPMF" + U32(112) + U32(2) + Wide("Ann") + Wide("Bob") + Wide("Ann"));
  EXPECT_EQ(Users("profiles/65110110.prf"), "FLPRF" + U32(102) + std::string(142, '\0'));
  EXPECT_EQ(Users("profiles/6611198.prf"), "FLPRF" + U32(102) + std::string(142, '\0'));
  const std::string records = Users("topscores.hsf");
  EXPECT_EQ(records.size(), 29u);
  EXPECT_EQ(records.substr(0, 9), "FLPMF" + U32(112));
  const std::string config = program.UserFile("tarvel.xml");
  std::smatch music;
  ASSERT_TRUE(std::regex_search(config, music, std::regex("id=\"music_volume\" value=\"([0-9.]+)\""))) << config;
  EXPECT_NEAR(std::atof(music[1].str().c_str()), 0.53, 1e-6) << "the volume is exactly as before";

  // A second start goes straight to the menu, with "Ann" welcomed.
  child = StartGame();
  SkipLogos("MainMenu");
  ASSERT_TRUE(WaitFor("second-start", &ShellTest::Menu)) << Log();
  CloseGame(child);
  EXPECT_EQ(Users("profiles.pmf"), "FLPMF" + U32(112) + U32(2) + Wide("Ann") + Wide("Bob") + Wide("Ann"));
}

TEST_P(ShellTest, APlayerRenamedDeletedAndAnsweredNoKeepsExactlyWhatWasAskedFor) {
  const pid_t child = StartGame();
  ASSERT_GT(child, 0);
  ASSERT_NO_FATAL_FAILURE(NameTheFirstPlayer("Ann"));
  const WindowPixels menu = frame;

  // "No" to the exit question leaves the player in the menu.
  Click(512, 173);  // Exit
  ASSERT_TRUE(WaitFor("exit-question", &ShellTest::Dialog)) << Log();
  Click(622, 303);  // No
  ASSERT_TRUE(WaitFor("exit-refused", &ShellTest::Menu)) << Log();

  // Rename: "Ann" becomes "Cleo".
  Click(512, 453);  // Players
  ASSERT_TRUE(WaitFor("players", &ShellTest::Players)) << Log();
  Click(680, 473);  // Rename
  ASSERT_TRUE(WaitFor("rename", [this](const WindowPixels& p) {
    return Parchment(p, kSmallDialog) && HasText(p, kDialogTitle) && HasText(p, kNameField);
  })) << Log();
  Xdotool("windowfocus --sync " + std::to_string(window));
  Xdotool("key --delay 250 BackSpace BackSpace BackSpace");
  Type("Cleo");
  Click(402, 303);  // OK
  ASSERT_TRUE(WaitFor("renamed", &ShellTest::PlayersNamed)) << Log();
  const WindowPixels renamed = frame;

  // Delete, answered "No": the question goes and the player stays.
  Click(680, 403);  // Delete
  ASSERT_TRUE(WaitFor("delete-question", &ShellTest::Dialog)) << Log();
  Click(622, 303);  // No
  ASSERT_TRUE(WaitFor("delete-refused", &ShellTest::PlayersNamed)) << Log();
  EXPECT_LT(Difference(frame, renamed, kFirstName), 0.02) << "the same name in the same place";

  // Delete, answered "Yes": the last player goes and a new one is asked for.
  Click(680, 403);
  ASSERT_TRUE(WaitFor("delete-question-again", &ShellTest::Dialog)) << Log();
  Click(402, 303);  // Yes
  ASSERT_TRUE(WaitFor("first-player-prompt", [this](const WindowPixels& p) {
    return Parchment(p, kSmallDialog) && HasText(p, kDialogTitle) && !HasText(p, kNameField);
  })) << Log();
  Type("Dan");
  Click(402, 303);  // OK
  ASSERT_TRUE(WaitFor("new-player", &ShellTest::PlayersNamed)) << Log();

  // Back: the list's names go with the screen, the menu shows as it did.
  Click(680, 173);  // Back
  ASSERT_TRUE(WaitFor("menu-again", [this, &menu](const WindowPixels& p) {
    return HasText(p, kWelcomeLine) && !Parchment(p, kLargeScreen) && Difference(p, menu, kBesideMenu) < 0.02;
  })) << Log() << "\nshare of the menu changed beside its buttons: " << Difference(frame, menu, kBesideMenu);

  ASSERT_NO_FATAL_FAILURE(ExitWithYes(child, "exit-question-again"));

  EXPECT_EQ(Users("profiles.pmf"), "FLPMF" + U32(112) + U32(1) + Wide("Dan") + Wide("Dan"));
  EXPECT_EQ(Users("profiles/6897110.prf"), "FLPRF" + U32(102) + std::string(142, '\0'));
  for (const char* gone : {"65110110", "67108101111"}) {
    EXPECT_FALSE(fs::exists(program.UserFolder() + "/usersdata/profiles/" + gone + ".prf")) << gone;
    EXPECT_FALSE(fs::exists(program.UserFolder() + "/usersdata/profiles/" + gone + ".bak")) << gone;
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShellTest, ::testing::Values("en", "ru"));

}  // namespace
