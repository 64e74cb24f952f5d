// Mini-games through the real program's start-up, frame loop and render pass on the test's display:
// the safe drawn in its art and fonts, its rule written above it, answers the real pointer (a wrong
// code turns its display red until clear, then the combination and enter open it), and a click
// beside it leaves it; the cash register shows the
// keyed sum in its display cells. Results are read from the log, looks from the frames read back
// (kept as PNG files in the build folder, "minigame-frames").

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/GameScreen.h"

namespace {

using namespace e2e;

bool KeyBrass(int r, int g, int b) { return r > 150 && g > 100 && b < 110; }  // the keypad
bool Lit(int r, int g, int) { return g > 150 && g > r + 40; }        // a lit display segment or glyph
bool Refused(int r, int g, int) { return r > 120 && r > g + 60; }     // a digit turned red
bool Cream(int r, int g, int b) { return r > 200 && g > 200 && b > 170; }  // the small font's letters
bool Paper(int r, int g, int b) { return r + g + b > 600; }

class MiniGameProgramTest : public GameScreen {
 protected:
  MiniGameProgramTest() : GameScreen("minigame", true) {}

  void Open(const std::string& game) {
    child = StartDriver("velmaris-minigame", {game}, {"ASAN_OPTIONS=detect_leaks=1", "SDL_AUDIODRIVER=dummy"});
    ASSERT_GT(child, 0);
    ASSERT_NE(window, 0u);
  }
  void Close() { CloseGame(child); }
  bool WaitFor(const std::string& name, const std::function<bool(const WindowPixels&)>& shows) {
    return GameScreen::WaitFor(name, kTimeout, shows);
  }
  // Until the log holds the text `times` times.
  bool WaitForLog(const std::string& text, int times = 1) { return GameScreen::WaitForLog(text, kTimeout, times - 1); }
  void Click(float gx, float gy) { GameScreen::Click({gx, gy}); }

  pid_t child = -1;
};

// Key centres of the safe's keypad (its form: 90 x 70 keys from (362, 410), 105 across, 90 down).
float SafeKeyX(int column) { return 362 + column * 105 + 45; }
float SafeKeyY(int row) { return 410 - row * 90 + 35; }

TEST_F(MiniGameProgramTest, TheSafeOpensToItsCombinationTypedWithThePointer) {
  ASSERT_NO_FATAL_FAILURE(Open("safe"));
  ASSERT_TRUE(WaitFor("s1-safe", [this](const WindowPixels& p) {
    return Count(p, {362, 140, 662, 480}, KeyBrass) > 2000 && Count(p, {112, 700, 912, 752}, Cream) > 100;  // keys, rule
  })) << Log();
  ASSERT_TRUE(WaitForLog("minigame: safe ready"));
  // A wrong code stays on the display, red, until cleared.
  Click(SafeKeyX(0), SafeKeyY(0));  // 1
  Click(SafeKeyX(2), SafeKeyY(3));  // enter
  EXPECT_TRUE(WaitFor("s2-wrong", [this](const WindowPixels& p) {
    return Count(p, {610, 525, 700, 590}, Refused) > 40 && Count(p, {610, 525, 700, 590}, Lit) == 0;
  }));
  Click(SafeKeyX(0), SafeKeyY(3));  // clear
  for (const auto& [column, row] : {std::pair{1, 2}, {0, 0}, {2, 1}, {0, 1}}) Click(SafeKeyX(column), SafeKeyY(row));
  EXPECT_TRUE(WaitFor("s3-typed", [this](const WindowPixels& p) { return Count(p, {440, 525, 700, 590}, Lit) > 150; }));
  Click(SafeKeyX(2), SafeKeyY(3));  // enter
  EXPECT_TRUE(WaitForLog("minigame: safe win")) << Log();
  // Started again after a moment; a click beside it leaves it.
  ASSERT_TRUE(WaitForLog("minigame: safe ready", 2));
  Click(100, 100);
  EXPECT_TRUE(WaitForLog("minigame: safe close")) << Log();
  Close();
}

TEST_F(MiniGameProgramTest, TheCashRegisterShowsTheSumInItsCells) {
  ASSERT_NO_FATAL_FAILURE(Open("cashregister"));
  // Five cells lit on the display: the sum 0.
  ASSERT_TRUE(WaitFor("c0-register", [this](const WindowPixels& p) { return Count(p, {385, 540, 645, 604}, Lit) > 200; }))
      << Log();
  ASSERT_TRUE(WaitForLog("minigame: cashregister ready")) << Log();
  // Keys 7 8 9 / 4 5 6 / 1 2 3 / 0 of 80 x 64 from (300, 420), 95 across, 80 down.
  const auto key = [this](int column, int row) { Click(300 + column * 95 + 40, 420 - row * 80 + 32); };
  key(1, 2);  // 2
  key(0, 0);  // 7
  key(2, 2);  // 3
  key(2, 0);  // 9
  EXPECT_TRUE(WaitFor("c1-sum", [this](const WindowPixels& p) { return Count(p, {385, 540, 645, 604}, Lit) > 200; }));
  EXPECT_TRUE(WaitForLog("minigame: cashregister win")) << Log();
  Close();
}

TEST_F(MiniGameProgramTest, TheLetterShowsItsTextAndAClickBesideClosesIt) {
  ASSERT_NO_FATAL_FAILURE(Open("letter"));
  // Brown ink on the light page, inside the text's box (262..762 across, 104..664 up).
  const auto ink = [](int r, int g, int b) { return r + g + b < 250 && r > b + 15; };
  ASSERT_TRUE(WaitFor("l1-letter", [&](const WindowPixels& p) {
    return Count(p, {262, 450, 762, 664}, ink) > 500 && Count(p, {262, 104, 762, 450}, Paper) > 20000;
  })) << Log();
  ASSERT_TRUE(WaitForLog("minigame: text ready")) << Log();
  Click(500, 400);  // on the page: read on
  const std::size_t before_beside = Log().size();
  Click(100, 400);  // beside it
  EXPECT_TRUE(WaitForLog("minigame: text close")) << Log();
  // Judged up to the close: a second later the driver starts the game again.
  const std::string log = Log();
  const std::size_t closed = log.find("minigame: text close");
  EXPECT_GE(closed, before_beside) << "the page itself closed it";
  EXPECT_EQ(log.find("minigame: text wait"), log.rfind("minigame: text wait", closed)) << "the page itself kept it open";
  Close();
}

TEST_F(MiniGameProgramTest, TheNotebooksInkAppearsOverItsPage) {
  ASSERT_NO_FATAL_FAILURE(Open("notebook_chief"));
  // Red strokes over the page, and the page itself still white between them.
  const auto red = [](int r, int g, int b) { return r > 120 && g < 80 && b < 80; };
  EXPECT_TRUE(WaitFor("n1-ink", [&](const WindowPixels& p) {
    return Count(p, {262, 104, 762, 664}, red) > 500 && Count(p, {262, 300, 762, 600}, Paper) > 20000;
  })) << Log();
  Close();
}

}  // namespace
