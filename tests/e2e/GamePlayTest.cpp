// A game played through the real program on the test's display: a new game enters the harbour
// office, the key is clicked (it flies into the panel), the diary is opened and closed, the key is
// taken from its slot and used on the cabinet, a hint is asked for, the in-game menu is opened and
// closed, the chart opens the door and the town map shows the way to the quay until a click goes
// on, the quay's chest gives the map, which the panel's map button opens and a click closes, and
// the player goes back to the main menu. A second start continues the saved game where it
// was left, with the same slots and scene, and so does a start after the game was killed. Frames
// are kept as PNG files in the build folder ("game-frames").

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/GameScreen.h"
#include "tests/e2e/PlayerHands.h"

namespace {

using namespace e2e;

constexpr Area kSpeech{600, 600, 700, 620}, kFirstGem{802, 52, 812, 62};
constexpr Point kKey{456, 101}, kFirstSlot{234, 40}, kCabinet{170, 438}, kHintIcon{807, 57}, kMenuButton{152, 59},
    kBackToGame{512, 463}, kExitToMenu{512, 253}, kJournal{986, 24}, kBesideTheBook{20, 740}, kPicturesTab{966, 573},
    kChart{170, 318}, kDoor{880, 468}, kBeside{512, 400}, kChest{250, 98}, kMapButton{920, 24};
// The diary's left page, ruled paper over the scene while the diary is open.
constexpr Area kDiaryPage{150, 300, 250, 400};
// The sea in the map's top left corner; the quay's sail in the sun.
constexpr Area kMapSea{16, 700, 60, 750}, kSail{726, 204, 734, 212};
// The sea in the small map's top left corner, over the quay's evening sky.
constexpr Area kSmallMapSea{140, 660, 180, 700};
// The first slot of the panel's inventory.
constexpr Area kFirstSlotArea{214, 22, 254, 58};
// The key on the office's rug; the key in hand beside the pointer over the cabinet; the chart on
// the open cabinet's shelf; the paused game's menu over the office wall; the panel's map button,
// there once the map is owned.
constexpr Area kKeyOnRug{426, 93, 486, 109}, kKeyInHand{48, 405, 92, 421}, kChartOnShelf{125, 312, 160, 324},
    kGameMenu{330, 520, 370, 560}, kMapButtonArea{870, 20, 882, 32};
// The hero's words beneath the office, a line of the welcome between the keeper's.
constexpr Area kHeroSpeech{300, 168, 500, 188};
// The dark frame of the diary's note, gone once it is read; the story page's heading on the right
// page, blank paper on the pictures page.
constexpr Area kDiaryNoteFrame{100, 244, 400, 252}, kStoryHeading{570, 622, 800, 638};

class GamePlayTest : public GameScreen {
 protected:
  GamePlayTest() : GameScreen("game") {}

  // Waits until neither the keeper's nor the hero's words show over the office.
  bool WaitForSilence(const std::string& name, int timeout_ms) {
    return WaitFor(name, timeout_ms, [&](const WindowPixels& pixels) {
      return !Mostly(pixels, kSpeech, Parchment) && !Mostly(pixels, kHeroSpeech, Parchment);
    });
  }
};

TEST_F(GamePlayTest, ANewGameIsPlayedLeftAndContinuedWhereItWasSaved) {
  pid_t child = StartGame();
  ASSERT_GT(child, 0);
  ASSERT_TRUE(WaitForParchment("name-prompt", kSmallDialog, true)) << Log();
  ASSERT_TRUE(TypeText(window, "Ann", kTimeout));
  Click(kNameOk);
  ASSERT_TRUE(WaitForParchment("menu", kSmallDialog, false)) << Log();
  ASSERT_TRUE(WaitForParchment("menu-board", kMenuBoard, true)) << Log();
  Click(kStartGame);
  ASSERT_TRUE(WaitForLog("a new game begins", kTimeout)) << Log();
  Snap("office");
  ASSERT_TRUE(WaitForParchment("welcome", kSpeech, true)) << Log();
  for (int line = 0; line < 8 && !WaitForSilence("welcome-read", 3000); ++line) {
    Click({512, 400});  // the welcome, the keeper's and the hero's lines, a click a line
  }

  // The key lies on the rug until it is taken (a click is spent on a line of the welcome still to
  // come).
  ASSERT_TRUE(WaitForBrass("key-on-rug", kKeyOnRug, true, kTimeout));
  for (int tries = 0; tries < 4; ++tries) {
    ASSERT_TRUE(WaitForSilence("before-key", kTimeout));
    Click(kKey);
    if (WaitForBrass("key-flies", kKeyOnRug, false, 15000)) break;
  }
  EXPECT_TRUE(WaitForBrass("key-taken", kKeyOnRug, false, 0));
  ASSERT_TRUE(WaitForBrass("key-in-panel", kFirstSlotArea, true, kTimeout));
  // The key carried a piece of a picture into the diary: it opens on its story page with a first
  // note, and once that is read a click beside the book closes it again.
  Click(kJournal);
  EXPECT_TRUE(WaitForParchment("diary", kDiaryPage, true, kTimeout)) << Log();
  EXPECT_TRUE(WaitForParchment("diary-note", kDiaryNoteFrame, false, kTimeout));
  Click(kBesideTheBook);
  EXPECT_TRUE(WaitForParchment("diary-note-read", kDiaryNoteFrame, true, kTimeout));
  EXPECT_TRUE(WaitForParchment("diary-open", kDiaryPage, true, 1000)) << "the click that reads the note leaves the diary open";
  Click(kPicturesTab);
  EXPECT_TRUE(WaitForParchment("diary-pictures", kStoryHeading, true, kTimeout));
  Click(kBesideTheBook);
  EXPECT_TRUE(WaitForParchment("diary-closed", kDiaryPage, false, kTimeout)) << Log();
  Click(kFirstSlot);
  Xdotool(Move(kCabinet) + " sleep 0.5");
  EXPECT_TRUE(WaitForBrass("key-in-hand", kKeyInHand, true, kTimeout));
  Click(kCabinet);
  ASSERT_TRUE(WaitForParchment("cabinet-open", kChartOnShelf, true, kTimeout)) << Log();
  ASSERT_TRUE(WaitForGem("hint-icons", kFirstGem, true));
  Click(kHintIcon);
  EXPECT_TRUE(WaitForGem("hint", kFirstGem, false)) << "the hint is spent";
  Click(kMenuButton);
  ASSERT_TRUE(WaitForParchment("game-menu", kGameMenu, true, kTimeout)) << Log();
  for (int tries = 0; tries < 3; ++tries) {
    Click(kBackToGame);
    if (WaitForParchment("back-in-game", kGameMenu, false, 10000)) break;
  }
  ASSERT_TRUE(WaitForParchment("game-menu-closed", kGameMenu, false, 0)) << Log();
  // The chart from the cabinet opens the door; the map shows the way to the quay.
  Click(kChart);
  // The chart holds the picture's other half: the diary opens on the finished picture.
  if (WaitForParchment("chart-diary", kDiaryPage, true, 15000)) {
    for (int i = 0; i < 4 && !WaitForParchment("chart-diary-closed", kDiaryPage, false, 3000); ++i) {
      Click(kBesideTheBook);
    }
  }
  Click(kBeside);
  Click(kDoor);
  ASSERT_TRUE(WaitForArea("map-travel", kMapSea, true, kTimeout, Sea)) << Log();
  // A click goes on only once the way is drawn: pressed again while the map stays.
  for (int tries = 0; tries < 4; ++tries) {
    Click(kBeside);
    if (WaitForArea("quay", kSail, true, 15000, Bright)) break;
  }
  ASSERT_TRUE(WaitForArea("quay-shown", kSail, true, 0, Bright)) << Log();
  // The sea chest holds the pearl and the town map: the panel's map button then opens the map on
  // the quay, and a click on it puts it away.
  Click(kChest);
  ASSERT_TRUE(WaitForArea("chest-open", kMapButtonArea, true, kTimeout, Brass)) << Log();
  for (int i = 0; i < 4 && !WaitForParchment("quay-diary-closed", kDiaryPage, false, 3000); ++i) {
    Click(kBesideTheBook);
  }
  Click(kMapButton);
  EXPECT_TRUE(WaitForArea("small-map", kSmallMapSea, true, kTimeout, Sea)) << Log();
  Click(kBeside);
  EXPECT_TRUE(WaitForArea("small-map-closed", kSmallMapSea, false, kTimeout, Sea)) << Log();
  // What a continued game must show again: the first slot of the panel and the quay's sail.
  const WindowPixels left_at = ReadWindowPixels(window);
  Click(kMenuButton);
  ASSERT_TRUE(WaitForParchment("game-menu-on-quay", kGameMenu, true, kTimeout)) << Log();
  Click(kExitToMenu);
  ASSERT_TRUE(WaitForParchment("main-menu-again", kMenuBoard, true)) << Log();
  CloseGame(child);

  const std::string saved = Profile();
  EXPECT_NE(saved.find("location_2"), std::string::npos) << "the stage in play is kept";

  child = StartGame();
  ASSERT_TRUE(WaitForParchment("menu-second-start", kMenuBoard, true)) << Log();
  PressPlay("menu-left");
  EXPECT_TRUE(WaitForSame("quay-continued", left_at, kFirstSlotArea)) << "the item stands in its slot again";
  EXPECT_TRUE(WaitForSame("quay-continued-scene", left_at, kSail)) << Log();
  EXPECT_NE(Log().find("the game goes on at location_2"), std::string::npos) << Log();

  // Killed in play, the game goes on from what was saved on entering: the same place and slots.
  KillGame(child);
  child = StartGame();
  ASSERT_TRUE(WaitForParchment("menu-after-kill", kMenuBoard, true)) << Log();
  PressPlay("menu-left-after-kill");
  EXPECT_TRUE(WaitForSame("quay-after-kill", left_at, kFirstSlotArea)) << Log();
  EXPECT_TRUE(WaitForSame("quay-after-kill-scene", left_at, kSail)) << Log();
  CloseGame(child);
}

}  // namespace
