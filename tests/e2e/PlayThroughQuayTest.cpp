// The quay's part of the play-through (PlayThrough.h), in two cases, each from a player seeded
// where the case before it leaves one: the chest, the skip button short of hints and a whole
// search for hints; then the food stall skipped, every other game won, the program ended and
// resumed, and the boat to the lamp room.

#include "tests/e2e/PlayThrough.h"

namespace playthrough {

TEST_F(PlayThroughTest, TheQuaysChestGivesTheMapAndASearchForHintsPaysTwo) {
  pid_t child = StartSeeded(kQuaySeed, [&](const WindowPixels& p) { return OnTheQuay(p); });
  ASSERT_GT(child, 0);
  Hush("quay-words");

  // The sea chest holds the pearl and the town map: the panel's map button then opens the map on
  // the quay, and a click on it puts it away.
  Click(kChest);
  ASSERT_TRUE(WaitForArea("chest-open", kMapButtonArea, true, kTimeout, Brass)) << Log();
  CloseDiary("quay-diary");
  Click(kMapButton);
  EXPECT_TRUE(WaitForArea("small-map", kSmallMapSea, true, kTimeout, Sea)) << Log();
  Click(kBeside);
  EXPECT_TRUE(WaitForArea("small-map-closed", kSmallMapSea, false, kTimeout, Sea)) << Log();
  // Short of three hints, the panel's skip button only says so in the OK box, and the game stays
  // until a click beside it.
  const WindowPixels before_stall = ReadWindowPixels(window);
  EXPECT_TRUE(Open("quay-food-stall", kFoodStall, kMiddle)) << Log();
  Click(kSkip);
  EXPECT_TRUE(WaitForParchment("quay-skip-needs-hints", kSmallDialog, true)) << Log();
  Click(kOk);
  EXPECT_TRUE(WaitForParchment("quay-skip-answered", kSmallDialog, false)) << Log();
  EXPECT_FALSE(Same(ReadWindowPixels(window), before_stall, kMiddle)) << "the game stays";
  Click(kCorner);
  EXPECT_TRUE(WaitForSame("quay-food-stall-gone", before_stall, kMiddle)) << Log();
  // A whole search for hints: the small map offers the office and the quay; the office's scene is
  // searched to its end, which brings the map back, and the quay's until the thirteen things are
  // found. The search pays two hints, in time for both: three gems.
  Click(kSearch);
  ASSERT_TRUE(WaitForArea("quay-search-map", kSmallMapSea, true, kTimeout, Sea)) << Log();
  if (WaitForParchment("quay-search-words", kSearchWords, true, 10000)) Click(kBeside);
  EXPECT_TRUE(SearchScene("quay-search-office", kOfficeLens, kOfficeLayouts, 8, [&](const WindowPixels& p) {
    return Mostly(p, kSmallMapSea, Sea);
  })) << "the office's scene is searched to its end and the map comes back";
  EXPECT_TRUE(SearchScene("quay-search-quay", kQuayLens, kQuayLayouts, 5, [&](const WindowPixels& p) {
    return GemsShown(p) == 3 && !Mostly(p, kSmallMapSea, Sea);
  })) << "the search pays two hints and the map goes";
  ExpectScreensNamed({"place/location_2", "map/small", "minigame/foodmachine"});
  // Which tips the search shows past those its scenes open with hangs on its clock: they are not
  // compared (the next stages search no more).
  EndCase(child, &kQuayGamesSeed);
}

TEST_F(PlayThroughTest, TheQuaysGamesAreWonAndTheBoatLeadsToTheLampRoom) {
  pid_t child = StartSeeded(kQuayGamesSeed, [&](const WindowPixels& p) { return OnTheQuay(p) && GemsShown(p) == 3; });
  ASSERT_GT(child, 0);
  Hush("quay-words");

  // Three hints skip a game: the skip button asks, Yes leaves the game won and takes the three gems.
  const WindowPixels before_skip = ReadWindowPixels(window);
  EXPECT_TRUE(Open("quay-food-stall", kFoodStall, kMiddle)) << Log();
  for (int tries = 0; tries < 3 && !WaitForParchment("quay-skip-asked", kSmallDialog, true, 10000); ++tries) Click(kSkip);
  Click(kYes);
  EXPECT_TRUE(WaitForParchment("quay-skip-confirmed", kSmallDialog, false)) << Log();
  EXPECT_TRUE(WaitForSame("quay-food-stall-skipped", before_skip, kMiddle)) << "the skipped game is gone";
  EXPECT_TRUE(WaitFor("quay-hints-spent", kTimeout, [&](const WindowPixels& p) { return GemsShown(p) == 0; }));
  Hush("quay-food-stall-words");
  EXPECT_TRUE(WaitForArea("quay-food-stall-seal", kFoodStallSeal, true, kTimeout, SealGreen))
      << "a solved game wears its seal";
  // Six games give the pieces of one picture of the harbour, five of the other: the last piece
  // of each opens the diary on it.
  std::vector<std::string> quay_won = PlayGames("quay", {{"sling", "slingshot", {525, 110}, {}},
                     {"warehouse-window", "break_window", {940, 433}, {}},
                     {"clock", "clock", {75, 328}, {}},
                     {"stone-disc", "circles", {428, 125}, {}},
                     {"crate", "gridlock", {945, 202}, {}}});
  EXPECT_TRUE(CloseDiary("quay-first-picture")) << "the crate's piece finishes the first picture of the harbour";
  const std::vector<std::string> quay_won_after = PlayGames("quay", {
                     {"chart-frame", "collect_details", {95, 125}, {}},
                     {"music-box", "musicbox", {320, 273}, {}},
                     {"signal-board", "signalling", {448, 298}, {}},
                     {"switchboard", "switches", {940, 313}, {}},
                     {"hatch", "get_through_rays", {945, 115}, {}}});
  EXPECT_TRUE(CloseDiary("quay-second-picture")) << "the hatch's piece finishes the second picture of the harbour";
  quay_won.insert(quay_won.end(), quay_won_after.begin(), quay_won_after.end());
  // What a resumed game must show again: the slots and the quay's sail; through the main menu and
  // a close, and through a kill.
  WindowPixels left_at = ReadWindowPixels(window);
  ExitToMenu("quay");
  EXPECT_NE(Profile().find("location_2"), std::string::npos) << "the stage in play is kept";
  quay_won.push_back("foodmachine");  // skipped, and so won
  ExpectKeptWon(quay_won);
  ExpectScreensNamed({"place/location_2", "minigame/foodmachine", "minigame/slingshot", "minigame/break_window",
                      "minigame/clock", "minigame/circles", "minigame/gridlock", "minigame/collect_details",
                      "minigame/musicbox", "minigame/signalling", "minigame/switches", "minigame/get_through_rays",
                      "GameOptions", "MainMenu"});
  child = Resume(child, false, "quay", left_at, kSail);
  EXPECT_NE(Log().find("the game goes on at location_2"), std::string::npos) << Log();
  // A won game keeps its seal and stays won.
  EXPECT_TRUE(WaitForArea("quay-food-stall-sealed", kFoodStallSeal, true, kTimeout, SealGreen)) << Log();
  ExitToMenu("quay-resumed");
  ExpectKeptWon({"foodmachine"});
  child = Resume(child, true, "quay-killed", left_at, kSail);

  // The pearl pays the boatman: a comics page, then the lamp room with the items in their slots.
  const WindowPixels quay = ReadWindowPixels(window);
  Click({710, 193});
  ASSERT_TRUE(ClickUntil("comics-1", [&](const WindowPixels& p) { return !Same(p, quay, kFirstSlotArea); })) << Log();
  ASSERT_TRUE(ClickUntil("lamp-room", [&](const WindowPixels& p) { return InTheLampRoom(p); })) << Log();
  ExpectScreensNamed({"comics/comics_1", "place/location_3"});
  Hush("lamp-room-words");  // a click while the keeper speaks only turns a line
  EndCase(child, &kLampRoomSeed, true);
}

}  // namespace playthrough
