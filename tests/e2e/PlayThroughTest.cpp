// The office's part of the play-through (PlayThrough.h), from a new player: the key flies into
// the panel, the diary is read, the key opens the cabinet, a hint is spent and the paused game's
// menu comes and goes; the desk's letter and safe and the bureau's notebook, journal, telephone and
// till are played through their keys (the till gives the boat's key), and a search for hints is
// begun (its exit tip drawn whole over the small map, pointing at the leave button) and left. The
// program is ended and resumed; the chart finishes the diary's first picture and, with what the
// desk and the bureau gave, opens the door, and the town map shows the way to the quay.

#include "tests/e2e/PlayThrough.h"

namespace playthrough {

TEST_F(PlayThroughTest, TheOfficeIsPlayedFromANewPlayerToTheQuay) {
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

  // ---- the harbour office ----
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
  for (int tries = 0; tries < 3; ++tries) {  // a click lost on a loaded machine is pressed again
    Click(kJournal);
    if (WaitForParchment("diary", kDiaryPage, true, 15000)) break;
  }
  EXPECT_TRUE(WaitForParchment("diary-shown", kDiaryPage, true, 0)) << Log();
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

  // The desk: the letter read and taken, the reading glass, and the safe opened to the code the
  // keeper's notebook gives (it holds the compass).
  ASSERT_TRUE(Open("desk", {520, 293}, kMiddle)) << Log();
  PlayGames("desk", {{"letter", nullptr, {380, 463}, kReadAndClose},
                     {"safe", nullptr, {620, 273}, {SafeKey(1, 2), SafeKey(0, 0), SafeKey(2, 1), SafeKey(0, 1), SafeKey(2, 3)}}});
  EXPECT_TRUE(WaitForBrass("compass-in-slot", kSecondSlot, true)) << "the safe opened and gave its compass";
  Click({275, 276});  // the reading glass
  CloseDiary("desk-lens");
  const WindowPixels office = ReadWindowPixels(window);
  Click(kCorner);
  EXPECT_TRUE(WaitForSame("desk-closed", office, kOfficeWall)) << Log();
  // The bureau: the notebook and the journal read, the lighthouse dialled, the day's takings keyed.
  ASSERT_TRUE(Open("bureau", {740, 333}, kMiddle)) << Log();
  PlayGames("bureau", {{"notebook", nullptr, {480, 303}, kReadAndClose},
                       {"journal", nullptr, {675, 278}, kReadAndClose},
                       {"telephone", nullptr, {301, 493}, {PhoneKey(2, 1), PhoneKey(1, 3), PhoneKey(0, 1), PhoneKey(1, 0),
                                                  PhoneKey(1, 2), PhoneKey(0, 0), PhoneKey(0, 2)}},
                       {"till", nullptr, {690, 498}, {TillKey(1, 2), TillKey(0, 0), TillKey(2, 2), TillKey(2, 0)}}});
  EXPECT_TRUE(WaitForArea("boat-key-in-slot", kThirdSlot, false, kTimeout, Parchment)) << "the till gave the boat's key";
  Click(kCorner);
  EXPECT_TRUE(WaitForSame("bureau-closed", office, kOfficeWall)) << Log();
  // The reading glass offers a search for hints on the small map; once its first words are read
  // its exit tip shows (the frame "search-exit-tip"), and Leave search with Yes puts the map away.
  Click(kSearch);
  EXPECT_TRUE(WaitForArea("search-map", kSmallMapSea, true, kTimeout, Sea)) << Log();
  EXPECT_TRUE(WaitForParchment("search-words", kSearchWords, true)) << Log();
  Click(kBeside);
  EXPECT_TRUE(WaitFor("search-exit-tip", kTimeout, [&](const WindowPixels& p) {
    return Mostly(p, kExitTip, Parchment) && Count(p, kExitTipTop, Parchment) * 10 > Size(kExitTipTop) * 6 &&
           Count(p, kExitTipArrow, Brass) * 3 > Size(kExitTipArrow);
  })) << "the exit tip points at the leave button, drawn whole over the small map";
  for (int tries = 0; tries < 3 && !WaitForArea("search-left", kSmallMapSea, false, 10000, Sea); ++tries) {
    Click(kLeaveSearch);
    Click(kYes);
  }
  EXPECT_TRUE(WaitForArea("search-over", kSmallMapSea, false, 0, Sea)) << Log();
  ExpectScreensNamed({"place/location_1", "diary/picture", "GameOptions", "closeup/desk", "minigame/letter",
                     "minigame/safe", "closeup/bureau", "minigame/notebook_chief", "minigame/journal", "minigame/phone",
                     "minigame/cashregister"});
  // Left and started again, the office shows the open cabinet and the same slots.
  WindowPixels left_at = ReadWindowPixels(window);
  child = Resume(child, false, "office", left_at, kChartOnShelf);

  // The chart from the cabinet opens the door; the map shows the way to the quay.
  Click(kChart);
  Hush("chart-words");  // the door now leads on
  // The chart holds the picture's other half: the diary opens on the finished picture.
  EXPECT_TRUE(CloseDiary("chart-diary")) << "the chart finishes the lighthouse picture";
  Hush("picture-words", 5000);
  Click(kDoor);
  ASSERT_TRUE(WaitForArea("map-travel", kMapSea, true, kTimeout, Sea)) << Log();
  // A click goes on only once the way is drawn: pressed again while the map stays.
  for (int tries = 0; tries < 4; ++tries) {
    Click(kBeside);
    if (WaitForArea("quay", kSail, true, 15000, Bright)) break;
  }
  ASSERT_TRUE(WaitForArea("quay-shown", kSail, true, 0, Bright)) << Log();
  Hush("quay-words");  // the boat is the way on, and every puzzle holds a piece
  ExpectScreensNamed({"map/travel", "place/location_2"});
  // The quay's case begins from a seeded player: it must hold what this one holds here.
  EndCase(child, &kQuaySeed, true);
}

}  // namespace playthrough
