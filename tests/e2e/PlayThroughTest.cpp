// The sample adventure played through the real program with the pointer, from a new player to the
// credits and back to the main menu, and Play once more begins a new journey. In the harbour
// office the key flies into the panel, the diary is read, the key opens the cabinet, a hint is
// spent and the paused game's menu comes and goes; the desk's letter and safe and the bureau's
// notebook, journal, telephone and till are played through their keys, and a search for hints is
// begun (its exit tip drawn whole over the small map) and left. The chart opens the door, the
// town map shows the way to the quay, whose chest gives the pearl and the map; every game the quay
// and the lamp room start is opened and left (the skip button, short of hints, says so). The boat
// leads to a comics page and the lamp room, whose lamp lit closes the story with a page and the
// credits. At each place the game saves, the program is ended (closed, and once killed) and
// started again, and the scene and the slots come back as they were. Frames are kept as PNG files
// in the build folder ("playthrough-frames"); the log of the whole run must hold no error, warning
// or missing resource.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/GameScreen.h"
#include "tests/e2e/PlayerHands.h"

namespace {

// The screens the log named as they came to the front, in order.
std::vector<std::string> FrontScreens(const std::string& log) {
  static const std::string kLine = "screen in front: ";
  std::vector<std::string> names;
  for (std::size_t at = log.find(kLine); at != std::string::npos;) {
    const std::size_t next = log.find(kLine, at + 1);
    names.push_back(FrontScreen(log.substr(0, next)));
    at = next;
  }
  return names;
}

using namespace e2e;

constexpr Area kSpeech{600, 600, 700, 620}, kFirstGem{802, 52, 812, 62};
constexpr Point kKey{456, 101}, kFirstSlot{234, 40}, kCabinet{170, 438}, kHintIcon{807, 57}, kMenuButton{152, 59},
    kBackToGame{512, 463}, kExitToMenu{512, 253}, kJournal{986, 24}, kBesideTheBook{20, 740}, kPicturesTab{966, 573},
    kChart{170, 318}, kDoor{880, 468}, kBeside{512, 400}, kChest{250, 98}, kMapButton{920, 24};
// A game's skip button on the panel; the OK of a message box.
constexpr Point kSkip{892, 39}, kOk{512, 303};
// A point beside every close-up and every game's pieces: the top left corner of the screen.
constexpr Point kCorner{12, 756};
// The diary's left page, ruled paper over the scene while the diary is open.
constexpr Area kDiaryPage{150, 300, 250, 400};
// The sea in the map's top left corner; the quay's sail in the sun.
constexpr Area kMapSea{16, 700, 60, 750}, kSail{726, 204, 734, 212};
// The sea in the small map's top left corner, over the quay's evening sky.
constexpr Area kSmallMapSea{140, 660, 180, 700};
// The first and the second slot of the panel's inventory; all nine slots.
constexpr Area kFirstSlotArea{214, 22, 254, 58}, kSecondSlot{272, 16, 320, 64}, kSlots{206, 14, 756, 66};
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
// The search for hints: the panel's button, its leave button and the Yes of the question; the
// words that open it over the map, and its exit tip in the bottom left corner (its top over the
// small map's frame).
constexpr Point kSearch{826, 24}, kLeaveSearch{870, 24}, kYes{402, 303};
constexpr Area kSearchWords{100, 175, 500, 215}, kExitTip{40, 30, 280, 100}, kExitTipTop{130, 150, 300, 165};
// The lamp room: the oil can by the stairs, the lamp, the window onto the night sea.
constexpr Point kOilCan{830, 115}, kLamp{512, 338};
constexpr Area kFifthSlot{524, 20, 564, 60}, kLampRoomWindow{440, 600, 580, 700};
// Where a close-up or a game is drawn over the scene, clear of the things a game gives or takes.
constexpr Area kMiddle{470, 400, 560, 460};
// The office wall left of the window, seen again once a close-up is closed.
constexpr Area kOfficeWall{20, 560, 60, 700};

// The n-th slot of the panel.
Point Slot(int n) { return {234.0f + 62.0f * static_cast<float>(n), 40.0f}; }

// A game a place starts: the object clicked, then the keys that win it, or a click beside it.
struct Game {
  const char* name;
  Point object;
  std::vector<Point> keys;  // empty: left with a click beside its pieces
};

// The keypads (keys of the forms' grids, counted from the top left).
Point PhoneKey(int column, int row) { return {372.0f + 100.0f * column + 40.0f, 410.0f - 90.0f * row + 35.0f}; }
Point TillKey(int column, int row) { return {300.0f + 95.0f * column + 40.0f, 420.0f - 80.0f * row + 32.0f}; }
Point SafeKey(int column, int row) { return {362.0f + 105.0f * column + 45.0f, 410.0f - 90.0f * row + 35.0f}; }
// A page of text: read on with a click on it, left with a click beside it.
const std::vector<Point> kReadAndClose{{500, 400}, kCorner};

class PlayThroughTest : public GameScreen {
 protected:
  PlayThroughTest() : GameScreen("playthrough") {}

  // Waits until neither the keeper's nor the hero's words show over the office.
  bool WaitForSilence(const std::string& name, int timeout_ms) {
    return WaitFor(name, timeout_ms, [&](const WindowPixels& pixels) {
      return !Mostly(pixels, kSpeech, Parchment) && !Mostly(pixels, kHeroSpeech, Parchment);
    });
  }
  // Clicks `at` until the area no longer shows what it showed before (a lost click is pressed
  // again); answers whether it changed.
  bool Open(const std::string& name, Point at, Area a) {
    const WindowPixels before = ReadWindowPixels(window);
    for (int tries = 0; tries < 3; ++tries) {
      Click(at);
      if (WaitFor(name, 15000, [&](const WindowPixels& pixels) { return !Same(pixels, before, a); })) return true;
    }
    return false;
  }
  // Plays each game of the place: it opens over the scene, its keys are pressed (a page read and
  // left, a number dialled, a code keyed) or a click beside its pieces leaves it, and the scene
  // shows again where the game was drawn.
  void PlayGames(const std::string& place, const std::vector<Game>& games) {
    for (const Game& game : games) {
      const WindowPixels scene = ReadWindowPixels(window);
      const std::string name = place + "-" + game.name;
      EXPECT_TRUE(Open(name, game.object, kMiddle)) << name << " does not open";
      for (Point key : game.keys.empty() ? std::vector<Point>{kCorner} : game.keys) Click(key);
      EXPECT_TRUE(WaitForSame(name + "-gone", scene, kMiddle)) << name << " stays";
    }
  }
  // Ends the program (closed, or killed) and starts it again; Play must show what `left_at`
  // showed in the scene's area and the slots.
  pid_t Resume(pid_t child, bool killed, const std::string& place, const WindowPixels& left_at, Area scene) {
    if (killed) {
      KillGame(child);
    } else {
      CloseGame(child);
    }
    child = StartGame();
    EXPECT_TRUE(WaitForParchment(place + "-menu", kMenuBoard, true)) << Log();
    PressPlay(place + "-play");
    EXPECT_TRUE(WaitForSame(place + "-resumed-slots", left_at, kSlots)) << "the items stand in their slots again";
    EXPECT_TRUE(WaitForSame(place + "-resumed-scene", left_at, scene)) << Log();
    return child;
  }
  // The log of this start named these screens as they came to the front, in this order (others
  // may come between).
  void ExpectScreensNamed(const std::vector<std::string>& screens) {
    const std::vector<std::string> fronts = FrontScreens(Log());
    auto seen = fronts.begin();
    for (const std::string& screen : screens) {
      seen = std::find(seen, fronts.end(), screen);
      ASSERT_NE(seen, fronts.end()) << screen << " not named in its turn; named: " << ::testing::PrintToString(fronts);
    }
  }
  // Closes the diary when a card or an item opened it.
  void CloseDiary(const std::string& name) {
    if (!WaitForParchment(name, kDiaryPage, true, 10000)) return;
    for (int i = 0; i < 4 && !WaitForParchment(name + "-closed", kDiaryPage, false, 3000); ++i) Click(kBesideTheBook);
  }
  // Clicks through pages (comics, credits) until `shown` holds.
  bool ClickUntil(const std::string& name, const std::function<bool(const WindowPixels&)>& shown) {
    for (int i = 0; i < 20; ++i) {
      if (WaitFor(name, 6000, shown)) return true;
      Click(kBeside);
    }
    return false;
  }
};

// Entries of the log (HTML, an entry a "<BR>") that say something was missing or went wrong: the
// warnings are grey, the errors red.
std::vector<std::string> FaultLines(const std::string& log) {
  std::vector<std::string> faults;
  for (std::size_t at = 0, end = 0; at < log.size(); at = end + 4) {
    end = log.find("<BR>", at);
    if (end == std::string::npos) end = log.size();
    const std::string entry = log.substr(at, end - at);
    if (entry.find("not found") != std::string::npos || entry.find("color=\"#FF0000\"") != std::string::npos ||
        entry.find("color=\"#7F7F7F\"") != std::string::npos) {
      faults.push_back(entry);
    }
  }
  return faults;
}

TEST_F(PlayThroughTest, TheAdventureIsPlayedFromANewPlayerToTheCreditsAndBegunAgain) {
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

  // The desk: the letter read and taken, the reading glass, and the safe opened to the code the
  // keeper's notebook gives (it holds the compass).
  ASSERT_TRUE(Open("desk", {520, 293}, kMiddle)) << Log();
  PlayGames("desk", {{"letter", {380, 463}, kReadAndClose},
                     {"safe", {620, 273}, {SafeKey(1, 2), SafeKey(0, 0), SafeKey(2, 1), SafeKey(0, 1), SafeKey(2, 3)}}});
  EXPECT_TRUE(WaitForBrass("compass-in-slot", kSecondSlot, true)) << "the safe opened and gave its compass";
  Click({275, 276});  // the reading glass
  CloseDiary("desk-lens");
  const WindowPixels office = ReadWindowPixels(window);
  Click(kCorner);
  EXPECT_TRUE(WaitForSame("desk-closed", office, kOfficeWall)) << Log();
  // The bureau: the notebook and the journal read, the lighthouse dialled, the day's takings keyed.
  ASSERT_TRUE(Open("bureau", {740, 333}, kMiddle)) << Log();
  PlayGames("bureau", {{"notebook", {480, 303}, kReadAndClose},
                       {"journal", {675, 278}, kReadAndClose},
                       {"telephone", {301, 493}, {PhoneKey(2, 1), PhoneKey(1, 3), PhoneKey(0, 1), PhoneKey(1, 0),
                                                  PhoneKey(1, 2), PhoneKey(0, 0), PhoneKey(0, 2)}},
                       {"till", {690, 498}, {TillKey(1, 2), TillKey(0, 0), TillKey(2, 2), TillKey(2, 0)}}});
  Click(kCorner);
  EXPECT_TRUE(WaitForSame("bureau-closed", office, kOfficeWall)) << Log();
  // The reading glass offers a search for hints on the small map; once its first words are read
  // its exit tip shows (the frame "search-exit-tip"), and Leave search with Yes puts the map away.
  Click(kSearch);
  EXPECT_TRUE(WaitForArea("search-map", kSmallMapSea, true, kTimeout, Sea)) << Log();
  EXPECT_TRUE(WaitForParchment("search-words", kSearchWords, true)) << Log();
  Click(kBeside);
  EXPECT_TRUE(WaitFor("search-exit-tip", kTimeout, [&](const WindowPixels& p) {
    return Mostly(p, kExitTip, Parchment) && Count(p, kExitTipTop, Parchment) * 10 > Size(kExitTipTop) * 6;
  })) << "the exit tip is drawn whole, over the small map";
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
  // The chart holds the picture's other half: the diary opens on the finished picture.
  CloseDiary("chart-diary");
  Click(kBeside);
  Click(kDoor);
  ASSERT_TRUE(WaitForArea("map-travel", kMapSea, true, kTimeout, Sea)) << Log();
  // A click goes on only once the way is drawn: pressed again while the map stays.
  for (int tries = 0; tries < 4; ++tries) {
    Click(kBeside);
    if (WaitForArea("quay", kSail, true, 15000, Bright)) break;
  }
  ASSERT_TRUE(WaitForArea("quay-shown", kSail, true, 0, Bright)) << Log();

  // ---- the quay ----
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
  EXPECT_TRUE(Open("quay-food-stall", {195, 308}, kMiddle)) << Log();
  Click(kSkip);
  EXPECT_TRUE(WaitForParchment("quay-skip-needs-hints", kSmallDialog, true)) << Log();
  Click(kOk);
  EXPECT_TRUE(WaitForParchment("quay-skip-answered", kSmallDialog, false)) << Log();
  EXPECT_FALSE(Same(ReadWindowPixels(window), before_stall, kMiddle)) << "the game stays";
  Click(kCorner);
  EXPECT_TRUE(WaitForSame("quay-food-stall-gone", before_stall, kMiddle)) << Log();
  PlayGames("quay", {{"sling", {525, 110}, {}},
                     {"warehouse-window", {940, 433}, {}}, {"clock", {75, 328}, {}},
                     {"stone-disc", {428, 125}, {}},       {"crate", {945, 202}, {}},
                     {"chart-frame", {95, 125}, {}},       {"music-box", {320, 273}, {}},
                     {"signal-board", {448, 298}, {}},     {"switchboard", {940, 313}, {}},
                     {"hatch", {945, 115}, {}}});
  // What a resumed game must show again: the slots and the quay's sail; through the main menu and
  // a close, and through a kill.
  left_at = ReadWindowPixels(window);
  Click(kMenuButton);
  ASSERT_TRUE(WaitForParchment("game-menu-on-quay", kGameMenu, true, kTimeout)) << Log();
  Click(kExitToMenu);
  ASSERT_TRUE(WaitForParchment("main-menu-again", kMenuBoard, true)) << Log();
  EXPECT_NE(Profile().find("location_2"), std::string::npos) << "the stage in play is kept";
  ExpectScreensNamed({"map/travel", "place/location_2", "map/small", "minigame/foodmachine", "minigame/slingshot",
                      "minigame/break_window", "minigame/clock", "minigame/circles", "minigame/gridlock",
                      "minigame/collect_details", "minigame/musicbox", "minigame/signalling", "minigame/switches",
                      "minigame/get_through_rays", "GameOptions", "MainMenu"});
  child = Resume(child, false, "quay", left_at, kSail);
  EXPECT_NE(Log().find("the game goes on at location_2"), std::string::npos) << Log();
  child = Resume(child, true, "quay-killed", left_at, kSail);

  // The pearl pays the boatman: a comics page, then the lamp room with the items in their slots.
  const WindowPixels quay = ReadWindowPixels(window);
  Click({710, 193});
  ASSERT_TRUE(ClickUntil("comics-1", [&](const WindowPixels& p) { return !Same(p, quay, kFirstSlotArea); })) << Log();
  ASSERT_TRUE(ClickUntil("lamp-room", [&](const WindowPixels& p) {
    return LogCount("levels\\location_3\\location_3") > 0 && Same(p, quay, kFirstSlotArea);
  })) << Log();

  // ---- the lamp room ----
  // The oil can flies into the fifth slot, and its pages open the diary.
  for (int tries = 0; tries < 3 && !WaitForArea("oil-can-taken", kFifthSlot, false, 15000, Parchment); ++tries) {
    Click(kOilCan);
  }
  CloseDiary("oil-can-diary");
  PlayGames("lamp-room", {{"sea-chest", {150, 173}, {}}, {"stone-dial", {175, 383}, {}}, {"card-box", {695, 143}, {}}});
  ExpectScreensNamed({"comics/comics_1", "place/location_3", "minigame/lock", "minigame/round_puzzle",
                      "minigame/remember_pictures"});
  left_at = ReadWindowPixels(window);
  child = Resume(child, false, "lamp-room", left_at, kLampRoomWindow);
  // The oil poured into the lamp lights it: the closing page, the credits, the main menu.
  Click(Slot(4));
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
  CloseGame(child);

  // Nothing of the game's data was missing or broken on the way.
  EXPECT_EQ(FaultLines(Log()), std::vector<std::string>{});
}

}  // namespace
