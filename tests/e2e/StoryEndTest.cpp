// The end of the story played through the real program: a player seeded in the lamp room with the
// oil can pours it into the lamp, clicks the closing page away, and sees the credits, which stay
// until a click of their own takes the player to the main menu. Frames are kept as PNG files in
// the build folder ("story-end-frames").

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/e2e/GameScreen.h"
#include "tests/e2e/PlayerHands.h"

namespace {

using namespace e2e;

// The inventory's first slot; the lamp; a point clear of every page's buttons.
constexpr Point kFirstSlot{234, 40}, kLamp{512, 338}, kBeside{512, 400};
// The credits' parchment left of the main menu's board: parchment on the credits alone.
constexpr Area kCreditsParchment{290, 300, 330, 330};
// The white words at the foot of a page that ask for a click once it has come.
constexpr Area kCaption{400, 4, 624, 34};

class StoryEndTest : public GameScreen {
 protected:
  StoryEndTest() : GameScreen("story-end") {}
};

TEST_F(StoryEndTest, TheCreditsStayUntilAClickOfTheirOwn) {
  ASSERT_EQ(program.SeedPlayer("Ada location_3 items=oil_can pictures=1,4"), "");
  const pid_t child = StartGame();
  ASSERT_GT(child, 0);
  PressPlay("play");
  ASSERT_TRUE(WaitForLog("levels\\location_3\\location_3")) << Log();
  ASSERT_TRUE(WaitForFrontScreen(program, "place/location_3", kTimeout)) << Log();
  Snap("lamp-room");
  const std::size_t menus_before = LogCount("screen in front: MainMenu");

  // The oil in hand, poured into the lamp: the closing page comes.
  for (int tries = 0; tries < 5 && FrontScreen(Log()) != "comics/comics_3"; ++tries) {
    Click(kFirstSlot);
    Click(kLamp);
    WaitForFrontScreen(program, "comics/comics_3", 10000);
  }
  ASSERT_EQ(FrontScreen(Log()), "comics/comics_3") << Log();
  Snap("closing-page");

  // One click at a time on the page (the first may only bring its pictures to their end), until
  // the credits are in front.
  for (int clicks = 0; clicks < 10 && FrontScreen(Log()) == "comics/comics_3"; ++clicks) {
    Click(kBeside);
    WaitForFrontScreen(program, "credits", 6000);
  }
  // The click that ended the page is over (its release included): the credits still show, and
  // they are drawn, not the menu.
  ASSERT_TRUE(WaitFor("credits", kTimeout, [&](const WindowPixels& p) { return Mostly(p, kCreditsParchment, Parchment); }))
      << Log();
  EXPECT_EQ(FrontScreen(Log()), "credits") << Log();
  EXPECT_EQ(LogCount("screen in front: MainMenu"), menus_before) << Log();
  // The credits wait for the player: once their caption has come, they are still there.
  ASSERT_TRUE(WaitFor("credits-waiting", kTimeout, [&](const WindowPixels& p) {
    return Count(p, kCaption, Bright) > 20 && Mostly(p, kCreditsParchment, Parchment);
  })) << Log();
  EXPECT_EQ(FrontScreen(Log()), "credits") << Log();

  // A click of their own leads to the main menu.
  Click(kBeside);
  EXPECT_TRUE(WaitForFrontScreen(program, "MainMenu", kTimeout)) << Log();
  EXPECT_TRUE(WaitFor("menu", kTimeout, [&](const WindowPixels& p) {
    return Mostly(p, kMenuBoard, Parchment) && !Mostly(p, kCreditsParchment, Parchment);
  })) << Log();
  CloseGame(child);
}

}  // namespace
