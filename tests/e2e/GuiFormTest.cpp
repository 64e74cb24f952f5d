// The GUI through the real program's start-up, frame loop and render pass on the test's display:
// the travel panel made by the content tool appears; the real pointer over a button brightens
// it; a click opens the question dialog over the panel, which dims; a click on the dialog's
// button closes it and the panel brightens again. The frames read back are kept as PNG files in
// the build folder ("gui-frames").

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/GameScreen.h"

namespace {

using namespace e2e;

// Window pixels (from the top left) of the sample forms' parts.
constexpr int kParchmentX = 290, kParchmentY = 560;  // the panel's parchment, left of the dialog
constexpr int kJourneyX = 512, kJourneyY = 318;      // the panel's first button
constexpr int kYesX = 432, kYesY = 424;               // the dialog's first button

int Channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }
int Luma(uint32_t pixel) { return Channel(pixel, 16) * 3 + Channel(pixel, 8) * 6 + Channel(pixel, 0); }
// The pixel's brightness against the same pixel of another frame.
double Ratio(uint32_t now, uint32_t before) { return Luma(before) > 0 ? double(Luma(now)) / Luma(before) : 0.0; }
// The dialog's first button is tinted green.
bool IsGreen(uint32_t pixel) { return Channel(pixel, 8) > Channel(pixel, 16) + 20 && Channel(pixel, 8) > Channel(pixel, 0) + 20; }

class GuiFormTest : public GameScreen {
 protected:
  GuiFormTest() : GameScreen("gui", true) {}

  bool WaitFor(const std::string& name, const std::function<bool(const WindowPixels&)>& shows) {
    return GameScreen::WaitFor(name, kTimeout, shows);
  }
  // Moves the pointer there and, as a player does, clicks only once it rests on the spot.
  void Pointer(int x, int y, bool click) {
    Xdotool("mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " + std::to_string(y) +
            (click ? " sleep 0.3 mousedown 1 sleep 0.2 mouseup 1" : ""));
  }
};

TEST_F(GuiFormTest, APanelOfButtonsAndADialogOverItAnswerThePointer) {
  // Mesa's allocations are many: under the address sanitizer the slow unwinding of each would
  // make every frame take seconds.
  const pid_t child = StartDriver("velmaris-gui-form", {}, {"ASAN_OPTIONS=detect_leaks=1"});
  ASSERT_GT(child, 0);
  ASSERT_NE(window, 0u);

  Pointer(10, 10, false);
  WindowPixels shown;
  EXPECT_TRUE(WaitFor("1-panel", [&shown](const WindowPixels& p) {
    shown = p;
    return Luma(p.At(kParchmentX, kParchmentY)) > 1500 && Luma(p.At(kJourneyX, kJourneyY)) > 600 && p.At(5, 5) == 0;
  }));

  // Under the pointer the button brightens by a quarter.
  Pointer(kJourneyX, kJourneyY, false);
  EXPECT_TRUE(WaitFor("2-hover", [&shown](const WindowPixels& p) {
    return Ratio(p.At(kJourneyX, kJourneyY), shown.At(kJourneyX, kJourneyY)) > 1.15;
  }));

  // The question opens over the panel, which dims to seven tenths.
  Pointer(kJourneyX, kJourneyY, true);
  EXPECT_TRUE(WaitFor("3-dialog-over-dimmed-panel", [&shown](const WindowPixels& p) {
    const double dimmed = Ratio(p.At(kParchmentX, kParchmentY), shown.At(kParchmentX, kParchmentY));
    return IsGreen(p.At(kYesX, kYesY)) && dimmed > 0.64 && dimmed < 0.76;
  }));

  Pointer(kYesX, kYesY, true);
  EXPECT_TRUE(WaitFor("4-dialog-closed", [&shown](const WindowPixels& p) {
    const double light = Ratio(p.At(kParchmentX, kParchmentY), shown.At(kParchmentX, kParchmentY));
    return !IsGreen(p.At(kYesX, kYesY)) && light > 0.95 && light < 1.05;
  }));

  ASSERT_NO_FATAL_FAILURE(CloseGame(child));
  const std::string log = Log();
  EXPECT_NE(log.find("travel_panel: button_journey pressed"), std::string::npos) << log;
  EXPECT_NE(log.find("question: button_yes pressed"), std::string::npos) << log;
}

}  // namespace
