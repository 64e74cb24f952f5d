#pragma once
// The sample adventure played through the real program with the pointer, from a new player to the
// credits, and Play once more begins a new journey: a case a stage of the story (the office,
// PlayThroughTest.cpp; the quay's search for hints, then its games, PlayThroughQuayTest.cpp; the
// lamp room, PlayThroughLampRoomTest.cpp), so that they run side by side. Each case but the first
// begins with a player seeded by velmaris-profile-seed, and the case before it ends by checking
// that its own player holds what that seed gives. Every game is won through its steps
// (MiniGameWins.h), skipped for hints, or played through its keys; at each place the game saves,
// the program is ended (closed, and once killed) and started again, and the scene and the slots
// come back as they were. Frames are kept as PNG files ("playthrough-frames" in the build folder);
// the log of each case must hold no error, warning or missing resource. Here: the places of the
// scenes and games, the stage seeds, and the fixture whose steps the cases take.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/GameScreen.h"
#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/PlayerHands.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace playthrough {

using namespace e2e;

// The screens the log named as they came to the front, in order.
std::vector<std::string> FrontScreens(const std::string& log);
// Entries of the log (HTML, an entry a "<BR>") that say something was missing or went wrong: the
// warnings are grey, the errors red.
std::vector<std::string> FaultLines(const std::string& log);

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
inline bool SealGreen(int r, int g, int b) { return g > 80 && r < 90 && b < 90 && g > r + 30; }
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
inline std::string WonIn(const std::string& game) { return game + std::string("\x03\0\0\0win", 7); }
// A hint gem's deep blue, not the pale place a search's reward stands on.
inline bool DeepGem(int r, int g, int b) { return b > 100 && r < 80 && b > g + 40; }
// The middle of the panel's n-th hint gem.
inline Area GemArea(int n) { return {799.0f + 44.0f * static_cast<float>(n), 49.0f, 815.0f + 44.0f * static_cast<float>(n), 65.0f}; }
// The search's countdown on the panel (minutes, colon, seconds), and the left half of the list of
// things to find (the search's tips may stand over its right half).
constexpr Area kSearchTimer{110, 8, 200, 46}, kSearchList{200, 8, 480, 70};
// The small map's lenses over the office's place and the quay's.
constexpr Point kOfficeLens{236, 240}, kQuayLens{313, 352};
// Where the things to find stand in each layout of a search scene (their middles, in the order
// the scenes place them): the office's and the quay's three layouts. A layout holds ten things, of
// which the scene lists eight.
using Layout = std::vector<Point>;
inline const std::vector<Layout> kOfficeLayouts{
    {{517, 398}, {210, 629}, {601, 648}, {689, 315}, {500, 534}, {686, 687}, {891, 619}, {100, 654}, {252, 466}, {848, 231}},
    {{718, 237}, {747, 450}, {636, 720}, {719, 568}, {515, 344}, {203, 348}, {267, 646}, {640, 486}, {134, 188}, {865, 613}},
    {{584, 464}, {812, 389}, {95, 279}, {166, 681}, {362, 570}, {144, 445}, {894, 241}, {804, 269}, {404, 451}, {550, 144}}};
inline const std::vector<Layout> kQuayLayouts{
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
inline Point Slot(int n) { return {234.0f + 62.0f * static_cast<float>(n), 40.0f}; }

// A game a place starts: the object clicked, then the steps that win it (by the name the place's
// script starts it by), or the keys that play it, or a click beside it.
struct Game {
  const char* name;
  const char* script;  // null: no steps to win it, its keys are pressed
  Point object;
  std::vector<Point> keys;  // empty: left with a click beside its pieces
};

// The keypads (keys of the forms' grids, counted from the top left).
inline Point PhoneKey(int column, int row) { return {372.0f + 100.0f * column + 40.0f, 410.0f - 90.0f * row + 35.0f}; }
inline Point TillKey(int column, int row) { return {300.0f + 95.0f * column + 40.0f, 420.0f - 80.0f * row + 32.0f}; }
inline Point SafeKey(int column, int row) { return {362.0f + 105.0f * column + 45.0f, 410.0f - 90.0f * row + 35.0f}; }
// A page of text: read on with a click on it, left with a click beside it.
inline const std::vector<Point> kReadAndClose{{500, 400}, kCorner};

// Where a stage's case begins: the stage and the seeding tool's options, what the case before it
// leaves the player holding (the office's chart kept; the quay's pearl and map from its chest, one
// piece of the lighthouse picture with them, the search's two hints and the tips its scenes open
// with; the pearl and the items the boat took gone).
struct Seed {
  const char* stage;
  const char* options;
};
constexpr Seed kQuaySeed{"location_2", "lens hints=1 items=letter,compass,boat_key,chart pictures=0 tips-shown=4,5"};
constexpr Seed kQuayGamesSeed{"location_2",
                              "map lens hints=3 items=letter,compass,boat_key,chart,pearl pictures=0 pieces=1:1/3 "
                              "tips-shown=0,2,3,4,5"};
constexpr Seed kLampRoomSeed{"location_3", "map lens hints=0 items=chart pictures=0,2,3 pieces=1:1/3 tips-shown=0,2,3,4,5"};

// What of a player's file the next stage needs: the stage, the items in their order, the diary's
// pictures whole and begun, the hints and the map and the lens, and with `tips` the tips shown;
// empty when the file does not read.
std::string Holdings(const std::string& bytes, bool tips);

class PlayThroughTest : public GameScreen {
 protected:
  PlayThroughTest() : GameScreen("playthrough") {}

  // Writes the player Ann at the seed's stage into the user folder; answers whether it was written.
  bool SeedInto(const std::string& folder, const Seed& seed) {
    const std::string tool =
        (std::filesystem::path(ProgramUnderTest::BuiltProgram()).parent_path() / "velmaris-profile-seed").string();
    const std::string said = ProgramUnderTest::Command(tool + " " + folder + " Ann " + seed.stage + " " + seed.options +
                                                       " 2>&1; echo status $?");
    EXPECT_NE(said.find("status 0"), std::string::npos) << said;
    return said.find("status 0") != std::string::npos;
  }
  // Starts the game with Ann seeded at the stage, presses Play and waits until the place is
  // `shown`; answers the child (0 when the seed could not be written or the place did not show).
  pid_t StartSeeded(const Seed& seed, const std::function<bool(const WindowPixels&)>& shown) {
    if (!SeedInto(program.UserFolder(), seed)) return 0;
    const pid_t child = StartGame();
    if (child <= 0) return child;
    PressPlay(std::string(seed.stage) + "-play");
    EXPECT_TRUE(WaitFor(std::string(seed.stage) + "-shown", kTimeout, shown)) << Log();
    return child;
  }
  // Ends the case: before the next stage's case the game is left for the main menu (so saved) and
  // the player's file must hold what that stage's seed gives (with `tips`, the tips shown too:
  // left out where a search's clock decides them); the program is closed, and its log holds no
  // entry of anything missing or wrong.
  void EndCase(pid_t child, const Seed* next = nullptr, bool tips = false) {
    if (next != nullptr) {
      ExitToMenu(std::string(next->stage) + "-seed");
      const std::string folder = program.UserFolder() + "/seed-check";
      EXPECT_TRUE(SeedInto(folder, *next));
      const std::string seeded = Holdings(ReadWholeFile(folder + "/usersdata/profiles/65110110.prf"), tips);
      EXPECT_FALSE(seeded.empty()) << "the seeded file reads";
      EXPECT_EQ(Holdings(Profile(), tips), seeded) << "the next stage's seed gives what the player holds here";
    }
    CloseGame(child);
    EXPECT_EQ(FaultLines(Log()), std::vector<std::string>{});
  }
  // The quay in the sun; the lamp room, its scene loaded and the hero speaking.
  bool OnTheQuay(const WindowPixels& p) const { return Mostly(p, kSail, Bright); }
  bool InTheLampRoom(const WindowPixels& p) const {
    return LogCount("levels\\location_3\\location_3") > 0 && Mostly(p, kHeroSpeech, Parchment);
  }
  // The profile keeps each game won.
  void ExpectKeptWon(const std::vector<std::string>& games) {
    const std::string kept = Profile();
    for (const std::string& game : games) EXPECT_NE(kept.find(WonIn(game)), std::string::npos) << game << " is kept won";
  }

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

}  // namespace playthrough
