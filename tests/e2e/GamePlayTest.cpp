// A game played through the real program on the test's display: a new game enters the harbour
// office, the key is clicked (it flies into the panel), taken from its slot and used on the
// cabinet, a hint is asked for, the in-game menu is opened and closed, and the player goes back to
// the main menu. A second start continues the saved game where it was left. Frames are kept as PNG
// files in the build folder ("game-frames").

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

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
constexpr Point kNameOk{402, 303}, kStartGame{512, 523}, kKey{456, 101}, kFirstSlot{234, 40}, kCabinet{170, 438},
    kHintIcon{807, 57}, kMenuButton{152, 59}, kBackToGame{512, 463}, kExitToMenu{512, 253};

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

  // Waits `seconds` and keeps the frame.
  void Snap(const std::string& name, double seconds = 1.5) {
    std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(seconds * 1000)));
    const WindowPixels pixels = ReadWindowPixels(window);
    width = pixels.width > 0 ? pixels.width : width;
    height = pixels.height > 0 ? pixels.height : height;
    const std::string file = std::to_string(++shots) + "-" + name + ".png";
    EXPECT_TRUE(WritePng((frames / file).string(), static_cast<uint32_t>(pixels.width),
                         static_cast<uint32_t>(pixels.height), pixels.rgb));
  }
  // Waits until the small dialog's parchment shows at its left edge (or not), keeping the frame.
  bool WaitForDialog(const std::string& name, bool shown) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeout);
    while (std::chrono::steady_clock::now() < deadline) {
      const WindowPixels pixels = ReadWindowPixels(window);
      if (pixels.width > 0) {
        width = pixels.width;
        height = pixels.height;
        int light = 0;
        for (int y = Y(330); y <= Y(300); ++y) {
          for (int x = X(178); x <= X(228); ++x) {
            const uint32_t c = pixels.At(x, y);
            light += ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) > 450 ? 1 : 0;
          }
        }
        const bool parchment = light * 10 > (Y(300) - Y(330) + 1) * (X(228) - X(178) + 1) * 8;
        if (parchment == shown) {
          Snap(name, 0.0);
          return true;
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    Snap(name, 0.0);
    return false;
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
    Snap("started", 4.0);
    for (int i = 0; i < 4; ++i) Click({900, 100});  // the logos
    Snap("after-logos", 1.0);
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
  ASSERT_TRUE(WaitForDialog("name-prompt", true)) << Log();
  Xdotool("windowfocus --sync " + std::to_string(window));
  Xdotool("type --delay 250 'Ann'");
  Click(kNameOk);
  ASSERT_TRUE(WaitForDialog("menu", false)) << Log();
  Click(kStartGame);
  Snap("office", 4.0);
  ASSERT_NE(Log().find("a new game begins"), std::string::npos) << Log();

  Click(kKey);
  Snap("key-flies", 0.2);
  Snap("key-in-panel", 2.0);
  Click(kFirstSlot);
  Xdotool(Move(kCabinet) + " sleep 0.5");
  Snap("key-in-hand", 0.2);
  Click(kCabinet);
  Snap("cabinet-open", 2.0);
  Click(kHintIcon);
  Snap("hint", 0.5);
  Click(kMenuButton);
  Snap("game-menu");
  Click(kBackToGame);
  Snap("back-in-game");
  Click(kMenuButton);
  Click(kExitToMenu);
  Snap("main-menu-again", 4.0);
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  ExpectExitedNormally(child);

  const std::string saved = Profile();
  EXPECT_NE(saved.find("location_1"), std::string::npos) << "the stage in play is kept";
  EXPECT_EQ(saved.find(std::string("\3\0\0\0key", 7)), std::string::npos) << "the key was used up";

  child = StartGame();
  Snap("menu-second-start");
  Click(kStartGame);
  Snap("office-continued", 4.0);
  EXPECT_NE(Log().find("the game goes on at location_1"), std::string::npos) << Log();
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  ExpectExitedNormally(child);
}

}  // namespace
