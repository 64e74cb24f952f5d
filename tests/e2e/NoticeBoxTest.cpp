// The notice a player gets when the saved game stands at a stage this game does not know, in
// each language, through the real program: its words flow over the box's lines and stay on its
// parchment, none past its margins. Frames are kept as PNG files in the build folder
// ("notice-box-frames").

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/e2e/GameScreen.h"
#include "tests/e2e/PlayerHands.h"

namespace {

using namespace e2e;

// The OK box's first two lines of text, and its parchment's margins left and right of them.
constexpr Area kFirstLine{192, 414, 832, 434}, kSecondLine{192, 386, 832, 406};
constexpr Area kLeftMargin{172, 350, 188, 440}, kRightMargin{836, 350, 852, 440};
// The box's OK button.
constexpr Point kOk{512, 303};

// Ink on parchment.
bool Ink(int r, int g, int b) { return r + g + b < 300; }

class NoticeBoxTest : public GameScreen, public ::testing::WithParamInterface<const char*> {
 protected:
  NoticeBoxTest() : GameScreen(std::string("notice-box-") + GetParam()) {}
};

TEST_P(NoticeBoxTest, ANewJourneyAfterAnUnknownStageIsToldWithinItsBox) {
  ASSERT_EQ(program.SeedPlayer("Ada location_9"), "");
  const pid_t child = program.StartProgram("velmaris", {"-lang", GetParam()}, {"SDL_AUDIODRIVER=dummy"});
  ASSERT_GT(child, 0);
  window = ProgramUnderTest::FindWindow(child, 4 * kTimeout);
  ASSERT_NE(window, 0u) << Log();
  ASSERT_TRUE(ProgramUnderTest::WaitUntilViewable(window, kTimeout));
  ASSERT_NE(PassLogos(program, window, kTimeout), "") << Log();
  PressPlay("play");
  ASSERT_TRUE(WaitForLog("unknown stage \"location_9\"")) << Log();
  EXPECT_TRUE(WaitFor("notice", kTimeout, [&](const WindowPixels& p) {
    return Mostly(p, kSmallDialog, Parchment) && Count(p, kFirstLine, Ink) > 50 && Count(p, kSecondLine, Ink) > 50;
  })) << Log();
  Snap("notice-read");
  const WindowPixels notice = ReadWindowPixels(window);
  EXPECT_EQ(Count(notice, kLeftMargin, Ink), 0) << "words past the box's left margin";
  EXPECT_EQ(Count(notice, kRightMargin, Ink), 0) << "words past the box's right margin";
  Click(kOk);
  EXPECT_TRUE(WaitForFrontScreen(program, "place/location_1", kTimeout)) << Log();
  CloseGame(child);
}

INSTANTIATE_TEST_SUITE_P(Languages, NoticeBoxTest, ::testing::Values("en", "ru"));

}  // namespace
