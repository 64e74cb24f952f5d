// The lamp room's part of the play-through (PlayThrough.h), from a player seeded where the quay's
// case leaves one: the oil can, the three games, the program ended and resumed, the lamp lit, the
// closing page and the credits, and Play begins a new journey.

#include "tests/e2e/PlayThrough.h"

namespace playthrough {

TEST_F(PlayThroughTest, TheLampRoomIsSetRightTheLampLitAndTheStoryBegunAgain) {
  pid_t child = StartSeeded(kLampRoomSeed, [&](const WindowPixels& p) { return InTheLampRoom(p); });
  ASSERT_GT(child, 0);

  // The oil can flies into the second slot, beside the chart, and its pages open the diary.
  for (int tries = 0; tries < 3 && !WaitForArea("oil-can-taken", kSecondSlotSpot, false, 15000, Parchment); ++tries) {
    Click(kOilCan);
  }
  CloseDiary("oil-can-diary");
  // The sea chest keeps the lighthouse picture's last piece; the dial and the cards each give a
  // half of the lamp room's picture.
  std::vector<std::string> lamp_room_won = PlayGames("lamp-room", {{"sea-chest", "lock", {150, 173}, {}}});
  EXPECT_TRUE(CloseDiary("sea-chest-diary")) << "the sea chest finishes the lighthouse picture";
  for (const std::string& game : PlayGames("lamp-room", {{"stone-dial", "round_puzzle", {175, 383}, {}},
                                                         {"card-box", "remember_pictures", {695, 143}, {}}})) {
    lamp_room_won.push_back(game);
  }
  EXPECT_TRUE(CloseDiary("card-box-diary")) << "the cards finish the lamp room's picture";
  ExpectScreensNamed({"place/location_3", "minigame/lock", "minigame/round_puzzle",
                      "minigame/remember_pictures"});
  WindowPixels left_at = ReadWindowPixels(window);
  child = Resume(child, false, "lamp-room", left_at, kLampRoomWindow);
  ExpectKeptWon(lamp_room_won);
  // The oil poured into the lamp lights it: the closing page, the credits, the main menu.
  Click(Slot(1));
  Click(kLamp);
  ASSERT_TRUE(ClickUntil("closing-page", [&](const WindowPixels& p) { return !Same(p, left_at, kFirstSlotArea); })) << Log();
  ASSERT_TRUE(ClickUntil("closing-page-shown", [&](const WindowPixels&) { return LogCount("gui\\comics\\comics_3") > 0; }));
  ASSERT_TRUE(ClickUntil("credits-to-menu", [&](const WindowPixels& p) { return Mostly(p, kMenuBoard, Parchment); })) << Log();
  // Play after the credits begins a new journey in the office, with empty slots.
  const std::size_t new_games = LogCount("a new game begins");
  PressPlay("play-after-credits");
  EXPECT_EQ(LogCount("a new game begins"), new_games + 1) << Log();
  EXPECT_TRUE(WaitForParchment("new-journey", kSpeech, true)) << Log();
  EXPECT_TRUE(WaitForParchment("new-journey-slots", kFirstSlotArea, true)) << "the first slot is empty again";
  ExpectScreensNamed({"place/location_3", "comics/comics_3", "credits", "MainMenu", "place/location_1"});
  EndCase(child);
}

}  // namespace playthrough
