// The sample adventure played through the real program with the pointer, from a new player to the
// credits and back to the main menu, and Play once more begins a new journey. In the harbour
// office the key flies into the panel, the diary is read, the key opens the cabinet, a hint is
// spent and the paused game's menu comes and goes; the desk's letter and safe and the bureau's
// notebook, journal, telephone and till are played through their keys (the till gives the boat's
// key), and a search for hints is begun (its exit tip drawn whole over the small map, pointing at
// the leave button) and left. The chart finishes the diary's first picture and, with what the
// desk and the bureau gave, opens the door; the town map shows the way to the quay, whose chest
// gives the pearl and the map. On the quay the skip button, short of hints, says so; a whole
// search for hints pays two, and three skip the food stall's game. Every other game the quay and
// the lamp room start is won through its steps (MiniGameWins.h), or opened and left while it has
// none; each win says what it gives and a solved game wears its seal, and the pieces the games
// give finish the quay's two pictures and the lamp room's two. The boat leads to a comics page and
// the lamp room, whose lamp lit closes the story with a page and the credits. At each place the game saves, the program
// is ended (closed, and once killed) and started again, and the scene and the slots come back as
// they were. Frames are kept as PNG files in the build folder ("playthrough-frames"); the log of
// the whole run must hold no error, warning or missing resource.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/GameScreen.h"
#include "tests/e2e/MiniGameWins.h"
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
constexpr Point kHeroLine{400, 178};
// The third slot, where the till's boat key lands; the brass seal a solved game of the quay wears
// (the food stall's), the green above the left of its tick.
constexpr Area kThirdSlot{338, 20, 374, 60}, kFoodStallSeal{219, 376, 222, 379};
bool SealGreen(int r, int g, int b) { return g > 80 && r < 90 && b < 90 && g > r + 30; }
// The dark frame of the diary's note, gone once it is read; the story page's heading on the right
// page, blank paper on the pictures page.
constexpr Area kDiaryNoteFrame{100, 244, 400, 252}, kStoryHeading{570, 622, 800, 638};
// The search for hints: the panel's button, its leave button and the Yes of the question; the
// words that open it over the map, and its exit tip left of the leave button: the foot of its
// board, its top over the small map's frame, and its arrow at the button.
constexpr Point kSearch{826, 24}, kLeaveSearch{870, 24}, kYes{402, 303};
constexpr Point kSearchWordsPage{300, 195};
constexpr Area kSearchWords{100, 175, 500, 215}, kExitTip{490, 56, 770, 100}, kExitTipTop{490, 165, 770, 200},
    kExitTipArrow{790, 48, 808, 62};
// The quay's food stall; what the profile keeps of a game won (its name, the length of the word,
// the word).
constexpr Point kFoodStall{195, 308};
std::string WonIn(const std::string& game) { return game + std::string("\x03\0\0\0win", 7); }
// A hint gem's deep blue, not the pale place a search's reward stands on.
bool DeepGem(int r, int g, int b) { return b > 100 && r < 80 && b > g + 40; }
// The middle of the panel's n-th hint gem.
Area GemArea(int n) { return {799.0f + 44.0f * static_cast<float>(n), 49.0f, 815.0f + 44.0f * static_cast<float>(n), 65.0f}; }
// The search's countdown on the panel (minutes, colon, seconds), and the left half of the list of
// things to find (the search's tips may stand over its right half).
constexpr Area kSearchTimer{110, 8, 200, 46}, kSearchList{200, 8, 480, 70};
// The small map's lenses over the office's place and the quay's.
constexpr Point kOfficeLens{236, 240}, kQuayLens{313, 352};
// Where the things to find stand in each layout of a search scene (their middles, in the order
// the scenes place them): the office's and the quay's three layouts. A layout holds ten things, of
// which the scene lists eight.
using Layout = std::vector<Point>;
const std::vector<Layout> kOfficeLayouts{
    {{517, 398}, {210, 629}, {601, 648}, {689, 315}, {500, 534}, {686, 687}, {891, 619}, {100, 654}, {252, 466}, {848, 231}},
    {{718, 237}, {747, 450}, {636, 720}, {719, 568}, {515, 344}, {203, 348}, {267, 646}, {640, 486}, {134, 188}, {865, 613}},
    {{584, 464}, {812, 389}, {95, 279}, {166, 681}, {362, 570}, {144, 445}, {894, 241}, {804, 269}, {404, 451}, {550, 144}}};
const std::vector<Layout> kQuayLayouts{
    {{600, 467}, {857, 687}, {79, 341}, {669, 278}, {112, 568}, {892, 483}, {293, 665}, {502, 287}, {593, 181}, {762, 588}},
    {{335, 658}, {382, 520}, {625, 253}, {767, 667}, {642, 685}, {643, 420}, {398, 289}, {246, 517}, {920, 576}, {661, 177}},
    {{266, 443}, {510, 694}, {286, 228}, {77, 598}, {137, 180}, {579, 262}, {419, 643}, {270, 672}, {668, 343}, {713, 514}}};
// The lamp room: the oil can by the stairs, the lamp, the window onto the night sea.
constexpr Point kOilCan{830, 115}, kLamp{512, 338};
constexpr Area kSecondSlotSpot{276, 20, 316, 60}, kLampRoomWindow{440, 600, 580, 700};
// Where a close-up or a game is drawn over the scene, clear of the things a game gives or takes.
constexpr Area kMiddle{470, 400, 560, 460};
// The office wall left of the window, seen again once a close-up is closed.
constexpr Area kOfficeWall{20, 560, 60, 700};

// The n-th slot of the panel.
Point Slot(int n) { return {234.0f + 62.0f * static_cast<float>(n), 40.0f}; }

// A game a place starts: the object clicked, then the steps that win it (by the name the place's
// script starts it by), or the keys that play it, or a click beside it.
struct Game {
  const char* name;
  const char* script;  // null: no steps to win it, its keys are pressed
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
  // Plays each game of the place: it opens over the scene and is won through its steps, or its
  // keys are pressed (a page read and left, a number dialled, a code keyed), or a click beside its
  // pieces leaves it; the scene shows again where the game was drawn. Answers the games won.
  std::vector<std::string> PlayGames(const std::string& place, const std::vector<Game>& games) {
    std::vector<std::string> won;
    for (const Game& game : games) {
      const WindowPixels scene = ReadWindowPixels(window);
      const std::string name = place + "-" + game.name;
      EXPECT_TRUE(Open(name, game.object, kMiddle)) << name << " does not open";
      const MiniGameWin* win = game.script != nullptr ? FindMiniGameWin(game.script) : nullptr;
      if (win != nullptr && win->play != nullptr) {
        const bool played = win->play(*this);
        EXPECT_TRUE(played) << name << " is not won";
        if (!played) Click(kCorner);
        // The pointer leaves the game's last piece: resting there it would light what lies behind.
        Xdotool(Move(kCorner));
        EXPECT_TRUE(WaitForSame(name + "-won", scene, kMiddle)) << name << " stays once won";
        if (played) won.push_back(game.script);
        Hush(name + "-words");
        continue;
      }
      // A game with keys of its own, or none: pressed, or left.
      for (Point key : game.keys.empty() ? std::vector<Point>{kCorner} : game.keys) Click(key);
      EXPECT_TRUE(WaitForSame(name + "-gone", scene, kMiddle)) << name << " stays";
      Hush(name + "-words", 5000);
    }
    return won;
  }
  // Whether more than `pixels` pixels of the area changed between two looks (a name fading from
  // the list, a digit of the countdown turning over).
  bool Differs(const WindowPixels& now, const WindowPixels& before, Area a, int pixels) const {
    if (now.width != before.width || now.height != before.height || now.width == 0) return false;
    int changed = 0;
    for (int y = Y(a.y1); y <= Y(a.y0); ++y) {
      for (int x = X(a.x0); x <= X(a.x1); ++x) {
        const uint32_t c = now.At(x, y), r = before.At(x, y);
        int difference = 0;
        for (int shift : {0, 8, 16}) difference += std::abs(static_cast<int>((c >> shift) & 0xFF) - static_cast<int>((r >> shift) & 0xFF));
        changed += difference >= 60 ? 1 : 0;
      }
    }
    return changed > pixels;
  }
  // Polls, keeping no frame, until the area shows the same in two looks a moment apart (a found
  // thing's name has faded from the list).
  void Settle(Area a) {
    WindowPixels last = ReadWindowPixels(window);
    for (int look = 0; look < 30; ++look) {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      const WindowPixels now = ReadWindowPixels(window);
      if (now.width > 0 && last.width > 0 && !Differs(now, last, a, 20)) return;
      last = now;
    }
  }
  // Waits until a second of the game's own time has passed (the search's countdown turns over
  // twice) or the list shows a find; answers whether it did.
  bool FindOrASecond(const WindowPixels& before) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(30000);
    WindowPixels tick = before;
    for (int ticks = 0; ticks < 2 && std::chrono::steady_clock::now() < deadline;) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      const WindowPixels now = ReadWindowPixels(window);
      if (now.width == 0) continue;
      if (Differs(now, before, kSearchList, 60)) return true;
      if (Differs(now, tick, kSearchTimer, 10)) {
        tick = now;
        ++ticks;
      }
    }
    return false;
  }
  // Searches the scene a lens opens. Its words are read first; then the places of each layout
  // are clicked in turn, a miss a second of game time before the next click (quicker misses cost
  // time). A click that finds something fades its name from the list: that layout is the scene's,
  // and only its places not seen found are clicked again (a click a tip took is lost); a layout
  // is tried three places a round until one finds something. Once `finds` things are found the
  // scene closes by itself, and no click follows while it does: it would land on the place behind.
  // Answers once `done` holds.
  bool SearchScene(const std::string& name, Point lens, const std::vector<Layout>& layouts, int finds,
                   const std::function<bool(const WindowPixels&)>& done) {
    for (int tries = 0; tries < 3 && !WaitForArea(name + "-chosen", kSmallMapSea, false, 10000, Sea); ++tries) {
      Click(lens);
    }
    for (int page = 0; page < 4 && WaitForParchment(name + "-words", kSearchWords, true, 5000); ++page) Click(kSearchWordsPage);
    // Per place: clicked while the scene's layout was unknown; seen found.
    std::vector<std::vector<bool>> tried(layouts.size()), found(layouts.size());
    for (std::size_t l = 0; l < layouts.size(); ++l) {
      tried[l].assign(layouts[l].size(), false);
      found[l].assign(layouts[l].size(), false);
    }
    int scene_layout = -1;
    for (int round = 0; round < 6; ++round) {
      for (int l = 0; l < static_cast<int>(layouts.size()); ++l) {
        if (scene_layout >= 0 && l != scene_layout) continue;
        int clicked = 0;
        for (std::size_t i = 0; i < layouts[l].size(); ++i) {
          if (done(ReadWindowPixels(window))) return WaitFor(name + "-done", 0, done);
          if (scene_layout < 0 && clicked >= 3) break;
          if (found[l][i] || (scene_layout < 0 && tried[l][i])) continue;
          const WindowPixels before = ReadWindowPixels(window);
          Click(layouts[l][i]);
          ++clicked;
          tried[l][i] = true;
          if (FindOrASecond(before)) {
            found[l][i] = true;
            scene_layout = l;
            // A find that was not one (a tip's fade) leaves the scene open: the search goes on.
            if (--finds <= 0 && WaitFor(name + "-done", 20000, done)) return true;
            Settle(kSearchList);
          }
        }
      }
    }
    return WaitFor(name + "-done", kTimeout, done);
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
  // Leaves the game for the main menu through the paused game's menu (the game is saved).
  void ExitToMenu(const std::string& name) {
    Click(kMenuButton);
    ASSERT_TRUE(WaitForParchment(name + "-game-menu", kGameMenu, true, kTimeout)) << Log();
    Click(kExitToMenu);
    ASSERT_TRUE(WaitForParchment(name + "-main-menu", kMenuBoard, true)) << Log();
  }
  // How many hint gems the panel shows.
  int GemsShown(const WindowPixels& pixels) const {
    int gems = 0;
    for (int n = 0; n < 5; ++n) gems += Count(pixels, GemArea(n), DeepGem) * 5 > Size(GemArea(n)) ? 1 : 0;
    return gems;
  }
  // Closes the diary when a card or an item opened it; answers whether it opened.
  bool CloseDiary(const std::string& name) {
    if (!WaitForParchment(name, kDiaryPage, true, 10000)) return false;
    for (int i = 0; i < 4 && !WaitForParchment(name + "-closed", kDiaryPage, false, 3000); ++i) Click(kBesideTheBook);
    Settle(kMiddle);  // the book's veil fades away before the scene is looked at again
    return true;
  }
  // Reads the words a place says (a win, a clue) line by line, once they show: a click given
  // while they show would only turn a line.
  void Hush(const std::string& name, int timeout_ms = 10000) {
    if (!WaitFor(name, timeout_ms, [&](const WindowPixels& p) {
          return Mostly(p, kSpeech, Parchment) || Mostly(p, kHeroSpeech, Parchment);
        })) {
      return;
    }
    for (int line = 0; line < 6 && !WaitForSilence(name + "-read", 3000); ++line) Click(kHeroLine);
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
  // Three hints skip a game: the skip button asks, Yes leaves the game won and takes the three gems.
  const WindowPixels before_skip = ReadWindowPixels(window);
  EXPECT_TRUE(Open("quay-food-stall-again", kFoodStall, kMiddle)) << Log();
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
  left_at = ReadWindowPixels(window);
  ExitToMenu("quay");
  EXPECT_NE(Profile().find("location_2"), std::string::npos) << "the stage in play is kept";
  EXPECT_NE(Profile().find(WonIn("foodmachine")), std::string::npos) << "the skipped game is kept won";
  for (const std::string& game : quay_won) EXPECT_NE(Profile().find(WonIn(game)), std::string::npos) << game << " is kept won";
  ExpectScreensNamed({"map/travel", "place/location_2", "map/small", "minigame/foodmachine", "minigame/slingshot",
                      "minigame/break_window", "minigame/clock", "minigame/circles", "minigame/gridlock",
                      "minigame/collect_details", "minigame/musicbox", "minigame/signalling", "minigame/switches",
                      "minigame/get_through_rays", "GameOptions", "MainMenu"});
  child = Resume(child, false, "quay", left_at, kSail);
  EXPECT_NE(Log().find("the game goes on at location_2"), std::string::npos) << Log();
  // A won game keeps its seal and stays won.
  EXPECT_TRUE(WaitForArea("quay-food-stall-sealed", kFoodStallSeal, true, kTimeout, SealGreen)) << Log();
  ExitToMenu("quay-resumed");
  EXPECT_NE(Profile().find(WonIn("foodmachine")), std::string::npos) << "a won game left again stays won";
  child = Resume(child, true, "quay-killed", left_at, kSail);

  // The pearl pays the boatman: a comics page, then the lamp room with the items in their slots.
  const WindowPixels quay = ReadWindowPixels(window);
  Click({710, 193});
  ASSERT_TRUE(ClickUntil("comics-1", [&](const WindowPixels& p) { return !Same(p, quay, kFirstSlotArea); })) << Log();
  ASSERT_TRUE(ClickUntil("lamp-room", [&](const WindowPixels& p) {
    return LogCount("levels\\location_3\\location_3") > 0 && Mostly(p, kHeroSpeech, Parchment);
  })) << Log();

  // ---- the lamp room ----
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
  ExpectScreensNamed({"comics/comics_1", "place/location_3", "minigame/lock", "minigame/round_puzzle",
                      "minigame/remember_pictures"});
  left_at = ReadWindowPixels(window);
  child = Resume(child, false, "lamp-room", left_at, kLampRoomWindow);
  for (const std::string& game : lamp_room_won) EXPECT_NE(Profile().find(WonIn(game)), std::string::npos) << game << " is kept won";
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
  CloseGame(child);

  // Nothing of the game's data was missing or broken on the way.
  EXPECT_EQ(FaultLines(Log()), std::vector<std::string>{});
}

}  // namespace
