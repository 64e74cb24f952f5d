// The widgets through the real program's start-up, frame loop, render pass and sound card on the
// test's display: the options board shows its texts in the game's fonts (Latin and Cyrillic); a
// click checks the check box (its look changes and its click sounds), a drag moves the slider's
// knob and value, typing (with letters beyond ASCII) fills the name field, and a click on a menu
// entry chooses it. Values are read from the log, looks from the frames read back (kept as PNG
// files in the build folder, "gui-frames"), sounds from SDL's disk driver.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

#include "tests/e2e/GameScreen.h"
#include "tests/e2e/PlayerHands.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

using namespace e2e;

// Rectangles of the GUI's 1024 x 768 screen (y upward), as the options form places things.
constexpr Area kLatinWords{380, 537, 500, 560};    // "Options" of "Options — Настройки"
constexpr Area kCyrillicWord{560, 537, 680, 560};  // "Настройки"
constexpr Area kCheckBox{274, 394, 306, 426};
constexpr Area kNameField{425, 314, 600, 350};
constexpr Area kMenuEnglish{272, 192, 400, 226};
constexpr Area kMenuRussian{522, 192, 650, 226};

class GuiWidgetsTest : public GameScreen {
 protected:
  GuiWidgetsTest() : GameScreen("gui", true) {}
  void SetUp() override {
    GameScreen::SetUp();
    card = program.UserFolder() + "/../card.raw";
  }

  static bool Dark(int r, int g, int b) { return r + g + b < 200; }    // a glyph's outline
  static bool Bright(int r, int g, int b) { return r + g + b > 600; }  // parchment, glyph fill
  static bool Greenish(int r, int g, int b) { return g > r + 25 && g > b + 25; }
  static bool Brass(uint32_t p) { return ((p >> 16) & 0xFF) > 170 && ((p >> 8) & 0xFF) > 110 && (p & 0xFF) < 110; }

  bool WaitFor(const std::string& name, const std::function<bool(const WindowPixels&)>& shows) {
    return GameScreen::WaitFor(name, kTimeout, shows);
  }
  std::string Move(float gx, float gy) const { return GameScreen::Move({gx, gy}); }

  // The loudest sample the card got after `from` bytes of its output.
  int LoudestSince(std::size_t from) const {
    const std::string bytes = ReadWholeFile(card);
    int loudest = 0;
    for (std::size_t i = from & ~std::size_t{3}; i + 2 <= bytes.size(); i += 2) {
      int16_t sample;
      std::memcpy(&sample, bytes.data() + i, 2);
      loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    }
    return loudest;
  }
  // The last value the log reports for the widget.
  std::string LastValue(const std::string& widget) const {
    const std::string log = Log();
    const std::regex line("options: " + widget + " ([^<\\n]*)");
    std::string value;
    for (auto it = std::sregex_iterator(log.begin(), log.end(), line); it != std::sregex_iterator(); ++it) {
      value = (*it)[1];
    }
    return value;
  }

  std::string card;
};

TEST_F(GuiWidgetsTest, TextsSliderCheckBoxNameFieldAndMenuAnswerThePlayer) {
  const pid_t child = StartDriver("velmaris-gui-form", {"options"},
                                  {"ASAN_OPTIONS=detect_leaks=1", "SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + card});
  ASSERT_GT(child, 0);
  ASSERT_NE(window, 0u);

  // Both halves of the line in two languages are drawn on the parchment (each glyph has a dark
  // outline around a light fill).
  ASSERT_TRUE(WaitFor("w1-options", [this](const WindowPixels& p) {
    for (const Area& words : {kLatinWords, kCyrillicWord}) {
      if (Count(p, words, Dark) < 80 || Count(p, words, Bright) < 400) return false;
    }
    return Count(p, kCheckBox, Bright) > 400 && Count(p, kCheckBox, Greenish) == 0;
  })) << Log();

  // A click on the check box: checked, with its click sound.
  Xdotool(Move(290, 410) + " sleep 0.3");
  const std::size_t before_click = ReadWholeFile(card).size();
  Xdotool("mousedown 1 sleep 0.2 mouseup 1 sleep 0.6");
  EXPECT_TRUE(WaitFor("w2-checked", [this](const WindowPixels& p) { return Count(p, kCheckBox, Greenish) > 20; }));
  EXPECT_EQ(LastValue("full_screen"), "true");
  EXPECT_GT(LoudestSince(before_click), 2000) << "the click reaches the sound card";

  // The knob (value 30 of 100 on a 320-unit groove, 24 wide) dragged 148 units right: 30 + 46.
  const float knob_x = 420 + 0.3f * (320 - 24) + 12;
  // The pointer rests at the end long enough for a frame slowed by load to read it before the release.
  Xdotool(Move(knob_x, 493) + " sleep 0.3 mousedown 1 sleep 0.2 " + Move(knob_x + 60, 493) + " sleep 0.2 " +
          Move(knob_x + 110, 493) + " sleep 0.2 " + Move(knob_x + 148, 493) + " sleep 1.0 mouseup 1 sleep 0.3");
  // The value follows the mouse over the groove's length; the knob travels the groove less its width.
  const int music = std::atoi(LastValue("music").c_str());
  EXPECT_NEAR(music, 76, 2) << Log();
  const float moved_x = 420 + static_cast<float>(music) / 100.0f * (320 - 24) + 12;
  EXPECT_TRUE(WaitFor("w3-dragged", [this, knob_x, moved_x](const WindowPixels& p) {
    return Brass(p.At(X(moved_x), Y(485))) && !Brass(p.At(X(knob_x), Y(485)));
  }));

  // Typing, a letter beyond Latin-1 included, with the window holding the keyboard: each letter
  // is waited for in the program's report before the next one goes.
  Xdotool(Move(900, 600) + " sleep 0.2");
  EXPECT_TRUE(TypeText(window, "Jörg Ж", kTimeout, [this](const std::string& so_far) {
    return LastValue("name") == "[" + so_far + "]";
  })) << LastValue("name");
  EXPECT_TRUE(WaitFor("w4-name", [this](const WindowPixels& p) {
    return Count(p, kNameField, Dark) > 100 && Count(p, kNameField, Bright) > 400;
  }));
  EXPECT_EQ(LastValue("name"), "[Jörg Ж]") << Log();

  // A click on the Russian menu entry chooses it: it keeps the select font (the main one, whose
  // glyphs have dark outlines) when the mouse leaves; the other entry keeps the small one.
  Xdotool(Move(630, 210) + " sleep 0.3 mousedown 1 sleep 0.2 mouseup 1 sleep 0.3 " + Move(900, 600));
  EXPECT_TRUE(WaitFor("w5-menu", [this](const WindowPixels& p) {
    return Count(p, kMenuRussian, Dark) > 60 && Count(p, kMenuEnglish, Dark) < 20;
  }));
  EXPECT_EQ(LastValue("lang_ru"), "chosen") << Log();
  EXPECT_EQ(LastValue("lang_en"), "");

  ASSERT_NO_FATAL_FAILURE(CloseGame(child));
  const std::string log = Log();
  for (const char* sound : {"audio\\game\\button03", "audio\\game\\text", "GUI_SOUND_SLIDER_TODDLER_CLICK"}) {
    EXPECT_EQ(log.find(std::string("Resource:") + sound), std::string::npos) << sound << " is missing";
  }
}

}  // namespace
