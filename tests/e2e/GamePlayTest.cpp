// A game played through the real program on the test's display: a new game enters the harbour
// office, the key is clicked (it flies into the panel), the diary is opened and closed, the key is
// taken from its slot and used on the cabinet, a hint is asked for, the in-game menu is opened and
// closed, the chart opens the door and the town map shows the way to the quay until a click goes
// on, the quay's chest gives the map, which the panel's map button opens and a click closes, and
// the player goes back to the main menu. A second start continues the saved game where it
// was left, with the same slots and scene, and so does a start after the game was killed. Frames are kept as PNG files in the build folder ("game-frames").

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/e2e/PlayerHands.h"
#include "tests/e2e/ProgramUnderTest.h"
#include "tests/e2e/WindowPixels.h"
#include "tests/support/PngFile.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTimeout = 30000;
constexpr float kGuiWidth = 1024.0f, kGuiHeight = 768.0f;

// Points of the GUI's 1024 x 768 screen (y upward).
struct Point {
  float x, y;
};
struct Area {
  float x0, y0, x1, y1;
};
// Parchment there: a small dialog; the main menu's board; the keeper's words over the office.
constexpr Area kSmallDialog{178, 300, 228, 330}, kMenuBoard{362, 300, 388, 330}, kSpeech{600, 600, 700, 620},
    kFirstHintIcon{796, 46, 818, 68}, kFirstGem{802, 52, 812, 62};
constexpr Point kNameOk{402, 303}, kStartGame{512, 523}, kKey{456, 101}, kFirstSlot{234, 40}, kCabinet{170, 438},
    kHintIcon{807, 57}, kMenuButton{152, 59}, kBackToGame{512, 463}, kExitToMenu{512, 253}, kJournal{986, 24},
    kBesideTheBook{20, 740}, kPicturesTab{966, 573}, kChart{170, 318}, kDoor{880, 468}, kBeside{512, 400},
    kChest{250, 98}, kMapButton{920, 24};
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

bool Parchment(int r, int g, int b) { return r + g + b > 450; }
// Brass and gold: the key, the panel's buttons.
bool Brass(int r, int g, int b) { return r > 150 && g > 110 && r > b + 80; }

class GamePlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string reason = ProgramUnderTest::SkipReason();
    if (!reason.empty()) GTEST_SKIP() << reason;
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "a game is played end to end by the unsanitized build, whose frames keep up with a player";
#endif
    const fs::path built = fs::path(ProgramUnderTest::BuiltProgram()).parent_path();
    if (!fs::exists(built / "data" / "levels" / "stage.xml")) GTEST_SKIP() << "the sample game is not built";
    for (const char* group : {"data", "localization", "fsdata", "splash"}) {
      if (fs::exists(built / group)) fs::copy(built / group, program.BinFolder() + "/" + group, fs::copy_options::recursive);
    }
    frames = built / "game-frames";
    fs::create_directories(frames);
    program.WriteConfiguration({{"video_fullscreen", "false"}});
  }

  int X(float gx) const { return static_cast<int>(gx * static_cast<float>(width) / kGuiWidth); }
  int Y(float gy) const { return static_cast<int>(static_cast<float>(height) * (1.0f - gy / kGuiHeight)); }

  // Keeps the frame.
  void Snap(const std::string& name) { Keep(name, ReadWindowPixels(window)); }
  // Keeps `pixels` as the frame: the very one a wait saw.
  void Keep(const std::string& name, const WindowPixels& pixels) {
    width = pixels.width > 0 ? pixels.width : width;
    height = pixels.height > 0 ? pixels.height : height;
    const std::string file = std::to_string(++shots) + "-" + name + ".png";
    EXPECT_TRUE(WritePng((frames / file).string(), static_cast<uint32_t>(pixels.width),
                         static_cast<uint32_t>(pixels.height), pixels.rgb));
  }
  // Waits until parchment shows in the area (or not), keeping the frame.
  bool WaitForParchment(const std::string& name, Area a, bool shown, int timeout_ms = kTimeout) {
    return WaitForArea(name, a, shown, timeout_ms, Parchment);
  }
  // A hint charge is a blue gem.
  bool WaitForGem(const std::string& name, Area a, bool shown, int timeout_ms) {
    return WaitForArea(name, a, shown, timeout_ms, [](int r, int g, int b) { return b > 100 && b > r + 40 && b > g + 20; });
  }
  // Waits until most pixels of the area are of the kind (or not), keeping the frame.
  bool WaitForArea(const std::string& name, Area a, bool shown, int timeout_ms,
                   const std::function<bool(int, int, int)>& kind) {
    return WaitFor(name, timeout_ms, [&](const WindowPixels& pixels) { return Mostly(pixels, a, kind) == shown; });
  }
  // Waits until neither the keeper's nor the hero's words show over the office.
  bool WaitForSilence(const std::string& name, int timeout_ms) {
    return WaitFor(name, timeout_ms, [&](const WindowPixels& pixels) {
      return !Mostly(pixels, kSpeech, Parchment) && !Mostly(pixels, kHeroSpeech, Parchment);
    });
  }
  // Waits until brass shows in the area (or not), keeping the frame.
  bool WaitForBrass(const std::string& name, Area a, bool shown, int timeout_ms) {
    return WaitFor(name, timeout_ms, [&](const WindowPixels& pixels) { return (Count(pixels, a, Brass) > 20) == shown; });
  }
  // Polls the window until `holds` is true of what it shows or the time is up, keeping the frame.
  bool WaitFor(const std::string& name, int timeout_ms, const std::function<bool(const WindowPixels&)>& holds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
      const WindowPixels pixels = ReadWindowPixels(window);
      if (pixels.width > 0) {
        width = pixels.width;
        height = pixels.height;
        if (holds(pixels)) {
          Keep(name, pixels);
          return true;
        }
      }
      if (std::chrono::steady_clock::now() >= deadline) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    Snap(name);
    return false;
  }
  bool Mostly(const WindowPixels& pixels, Area a, const std::function<bool(int, int, int)>& kind) const {
    return Count(pixels, a, kind) * 10 > Size(a) * 8;
  }
  int Size(Area a) const { return (Y(a.y0) - Y(a.y1) + 1) * (X(a.x1) - X(a.x0) + 1); }
  int Count(const WindowPixels& pixels, Area a, const std::function<bool(int, int, int)>& kind) const {
    int count = 0;
    for (int y = Y(a.y1); y <= Y(a.y0); ++y) {
      for (int x = X(a.x0); x <= X(a.x1); ++x) {
        const uint32_t c = pixels.At(x, y);
        count += kind((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF) ? 1 : 0;
      }
    }
    return count;
  }
  // Polls the log until it holds `line`.
  bool WaitForLog(const std::string& line, int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (Log().find(line) == std::string::npos) {
      if (std::chrono::steady_clock::now() >= deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return true;
  }
  // Waits until the area shows what it showed in `reference` (nearly every pixel within a small
  // difference), keeping the frame.
  bool WaitForSame(const std::string& name, const WindowPixels& reference, Area a, int timeout_ms = kTimeout) {
    return WaitFor(name, timeout_ms, [&](const WindowPixels& pixels) {
      if (pixels.width != reference.width || pixels.height != reference.height) return false;
      const auto near = [&](int x, int y) {
        const uint32_t c = pixels.At(x, y), r = reference.At(x, y);
        int difference = 0;
        for (int shift : {0, 8, 16}) difference += std::abs(static_cast<int>((c >> shift) & 0xFF) - static_cast<int>((r >> shift) & 0xFF));
        return difference < 48;
      };
      int same = 0;
      for (int y = Y(a.y1); y <= Y(a.y0); ++y) {
        for (int x = X(a.x0); x <= X(a.x1); ++x) same += near(x, y) ? 1 : 0;
      }
      return same * 100 >= Size(a) * 95;
    });
  }
  // Play on the main menu, pressed again until the game says it goes on (a click on a logo that
  // still shows, or on the menu as it appears, is lost).
  void PressPlay(const std::string& name) {
    const auto times = [this] {
      const std::string log = Log(), line = "the game goes on at";
      std::size_t count = 0;
      for (std::size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) ++count;
      return count;
    };
    const std::size_t before = times();
    for (int i = 0; i < 8; ++i) {
      if (WaitForParchment(name, kMenuBoard, true, 8000)) Click(kStartGame);
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(8);
      while (std::chrono::steady_clock::now() < deadline) {
        if (times() > before) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
      }
    }
    ADD_FAILURE() << "the game did not go on after Play";
  }
  void Xdotool(const std::string& arguments) { ProgramUnderTest::Command("xdotool " + arguments); }
  std::string Move(Point at) const {
    return "mousemove --window " + std::to_string(window) + " " + std::to_string(X(at.x)) + " " + std::to_string(Y(at.y));
  }
  void Click(Point at) { Xdotool(Move(at) + " sleep 0.4 mousedown 1 sleep 0.4 mouseup 1 sleep 0.6"); }

  std::string Log() const { return ReadWholeFile(program.UserFolder() + "/tarvel.html"); }
  std::string Profile() const { return ReadWholeFile(program.UserFolder() + "/usersdata/profiles/65110110.prf"); }

  pid_t StartGame() {
    const pid_t child = program.StartProgram("velmaris", {}, {"SDL_AUDIODRIVER=dummy"});
    window = child > 0 ? ProgramUnderTest::FindWindow(child, kTimeout) : 0;
    EXPECT_NE(window, 0u) << Log();
    EXPECT_TRUE(window != 0 && ProgramUnderTest::WaitUntilViewable(window, kTimeout));
    // The logos clicked away until the game puts its prompt or menu in front.
    EXPECT_NE(PassLogos(program, window, kTimeout), "") << Log();
    Snap("after-logos");
    return child;
  }
  void ExpectExitedNormally(pid_t child) {
    int status = -1;
    ASSERT_TRUE(ProgramUnderTest::Wait(child, &status, kTimeout));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << Log();
  }

  ProgramUnderTest program;
  fs::path frames;
  unsigned long window = 0;
  int width = 1024, height = 768;
  int shots = 0;
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
  ASSERT_TRUE(WaitForGem("hint-icons", kFirstGem, true, kTimeout));
  Click(kHintIcon);
  EXPECT_TRUE(WaitForGem("hint", kFirstGem, false, kTimeout)) << "the hint is spent";
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
  const auto sea = [](int r, int g, int b) { return b > r + 30 && g > r + 15; };
  ASSERT_TRUE(WaitForArea("map-travel", kMapSea, true, kTimeout, sea)) << Log();
  // A click goes on only once the way is drawn: pressed again while the map stays.
  const auto bright = [](int r, int g, int b) { return r > 200 && g > 200 && b > 180; };
  for (int tries = 0; tries < 4; ++tries) {
    Click(kBeside);
    if (WaitForArea("quay", kSail, true, 15000, bright)) break;
  }
  ASSERT_TRUE(WaitForArea("quay-shown", kSail, true, 0, bright)) << Log();
  // The sea chest holds the pearl and the town map: the panel's map button then opens the map on
  // the quay, and a click on it puts it away.
  Click(kChest);
  ASSERT_TRUE(WaitForArea("chest-open", kMapButtonArea, true, kTimeout, Brass)) << Log();
  for (int i = 0; i < 4 && !WaitForParchment("quay-diary-closed", kDiaryPage, false, 3000); ++i) {
    Click(kBesideTheBook);
  }
  Click(kMapButton);
  EXPECT_TRUE(WaitForArea("small-map", kSmallMapSea, true, kTimeout, sea)) << Log();
  Click(kBeside);
  EXPECT_TRUE(WaitForArea("small-map-closed", kSmallMapSea, false, kTimeout, sea)) << Log();
  // What a continued game must show again: the first slot of the panel and the quay's sail.
  const WindowPixels left_at = ReadWindowPixels(window);
  Click(kMenuButton);
  ASSERT_TRUE(WaitForParchment("game-menu-on-quay", kGameMenu, true, kTimeout)) << Log();
  Click(kExitToMenu);
  ASSERT_TRUE(WaitForParchment("main-menu-again", kMenuBoard, true)) << Log();
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  ExpectExitedNormally(child);

  const std::string saved = Profile();
  EXPECT_NE(saved.find("location_2"), std::string::npos) << "the stage in play is kept";

  child = StartGame();
  ASSERT_TRUE(WaitForParchment("menu-second-start", kMenuBoard, true)) << Log();
  PressPlay("menu-left");
  EXPECT_TRUE(WaitForSame("quay-continued", left_at, kFirstSlotArea)) << "the item stands in its slot again";
  EXPECT_TRUE(WaitForSame("quay-continued-scene", left_at, kSail)) << Log();
  EXPECT_NE(Log().find("the game goes on at location_2"), std::string::npos) << Log();

  // Killed in play, the game goes on from what was saved on entering: the same place and slots.
  kill(child, SIGKILL);
  int status = 0;
  ASSERT_TRUE(ProgramUnderTest::Wait(child, &status, kTimeout));
  child = StartGame();
  ASSERT_TRUE(WaitForParchment("menu-after-kill", kMenuBoard, true)) << Log();
  PressPlay("menu-left-after-kill");
  EXPECT_TRUE(WaitForSame("quay-after-kill", left_at, kFirstSlotArea)) << Log();
  EXPECT_TRUE(WaitForSame("quay-after-kill-scene", left_at, kSail)) << Log();
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  ExpectExitedNormally(child);
}

}  // namespace
