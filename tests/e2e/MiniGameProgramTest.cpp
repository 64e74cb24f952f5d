// Mini-games through the real program's start-up, frame loop and render pass on the test's display:
// the safe drawn in its art and fonts, its rule written above it, answers the real pointer (a wrong
// code turns its display red until clear, then the combination and enter open it), and a click
// beside it leaves it; the cash register shows the
// keyed sum in its display cells. Results are read from the log, looks from the frames read back
// (kept as PNG files in the build folder, "minigame-frames").

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "tests/e2e/ProgramUnderTest.h"
#include "tests/e2e/WindowPixels.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTimeout = 30000;

int Red(uint32_t p) { return (p >> 16) & 0xFF; }
int Green(uint32_t p) { return (p >> 8) & 0xFF; }
int Blue(uint32_t p) { return p & 0xFF; }
bool Brass(uint32_t p) { return Red(p) > 150 && Green(p) > 100 && Blue(p) < 110; }
bool Lit(uint32_t p) { return Green(p) > 150 && Green(p) > Red(p) + 40; }  // a lit display segment or glyph
bool Refused(uint32_t p) { return Red(p) > 120 && Red(p) > Green(p) + 60; }  // a digit turned red
bool Cream(uint32_t p) { return Red(p) > 200 && Green(p) > 200 && Blue(p) > 170; }  // the small font's letters

class MiniGameProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string reason = ProgramUnderTest::SkipReason();
    if (!reason.empty()) GTEST_SKIP() << reason;
    const fs::path built = fs::path(ProgramUnderTest::BuiltProgram()).parent_path();
    if (!fs::exists(built / "velmaris-minigame") || !fs::is_directory(built / "data")) {
      GTEST_SKIP() << "the mini-game driver or the sample data is not built beside this test";
    }
    fs::copy_file(built / "velmaris-minigame", program.BinFolder() + "/velmaris-minigame");
    for (const char* group : {"data", "localization"}) {
      fs::copy(built / group, program.BinFolder() + "/" + group, fs::copy_options::recursive);
    }
    frames = ProgramUnderTest::FramesFolder("minigame");
    program.WriteConfiguration({{"video_fullscreen", "false"}});
  }

  void Open(const std::string& game) {
    child = program.StartProgram("velmaris-minigame", {game}, {"ASAN_OPTIONS=detect_leaks=1", "SDL_AUDIODRIVER=dummy"});
    ASSERT_GT(child, 0);
    window = ProgramUnderTest::FindWindow(child, kTimeout);
    ASSERT_NE(window, 0u) << Log() << program.ErrorOutput();
    ASSERT_TRUE(ProgramUnderTest::WaitUntilViewable(window, kTimeout));
  }

  void Close() {
    ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
    int status = 0;
    ASSERT_TRUE(ProgramUnderTest::Wait(child, &status, kTimeout));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }

  int X(float gx) const { return static_cast<int>(gx * static_cast<float>(frame.width) / 1024.0f); }
  int Y(float gy) const { return static_cast<int>(static_cast<float>(frame.height) * (1.0f - gy / 768.0f)); }
  // Pixels of the GUI rectangle that pass the test.
  int Count(const WindowPixels& p, float x0, float y0, float x1, float y1, const std::function<bool(uint32_t)>& test) {
    int count = 0;
    for (int y = Y(y1); y <= Y(y0); ++y) {
      for (int x = X(x0); x <= X(x1); ++x) count += test(p.At(x, y)) ? 1 : 0;
    }
    return count;
  }

  bool WaitFor(const std::string& name, const std::function<bool(const WindowPixels&)>& shows) {
    bool written = false;
    const bool seen = WaitForWindowPixels(window, kTimeout, (frames / (name + ".png")).string(), shows, &frame, &written);
    EXPECT_TRUE(written) << name;
    return seen;
  }
  // Until the log holds the text `times` times.
  bool WaitForLog(const std::string& text, int times = 1) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeout);
    const auto count = [this, &text] {
      const std::string log = Log();
      int n = 0;
      for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
      return n;
    };
    while (count() < times) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
  }

  // A click of the real pointer at a GUI point.
  void Click(float gx, float gy) {
    ProgramUnderTest::Command("xdotool mousemove --window " + std::to_string(window) + " " + std::to_string(X(gx)) + " " +
                              std::to_string(Y(gy)) + " sleep 0.3 mousedown 1 sleep 0.15 mouseup 1 sleep 0.2");
  }
  std::string Log() const { return ReadWholeFile(program.UserFolder() + "/tarvel.html"); }

  ProgramUnderTest program;
  fs::path frames;
  pid_t child = -1;
  unsigned long window = 0;
  WindowPixels frame;  // the last frame read: X() and Y() place points by its size
};

// Key centres of the safe's keypad (its form: 90 x 70 keys from (362, 410), 105 across, 90 down).
float SafeKeyX(int column) { return 362 + column * 105 + 45; }
float SafeKeyY(int row) { return 410 - row * 90 + 35; }

TEST_F(MiniGameProgramTest, TheSafeOpensToItsCombinationTypedWithThePointer) {
  ASSERT_NO_FATAL_FAILURE(Open("safe"));
  ASSERT_TRUE(WaitFor("s1-safe", [this](const WindowPixels& p) {
    return Count(p, 362, 140, 662, 480, Brass) > 2000 && Count(p, 112, 700, 912, 752, Cream) > 100;  // keys, rule
  })) << Log();
  ASSERT_TRUE(WaitForLog("minigame: safe ready"));
  // A wrong code stays on the display, red, until cleared.
  Click(SafeKeyX(0), SafeKeyY(0));  // 1
  Click(SafeKeyX(2), SafeKeyY(3));  // enter
  EXPECT_TRUE(WaitFor("s2-wrong", [this](const WindowPixels& p) {
    return Count(p, 610, 525, 700, 590, Refused) > 40 && Count(p, 610, 525, 700, 590, Lit) == 0;
  }));
  Click(SafeKeyX(0), SafeKeyY(3));  // clear
  for (const auto& [column, row] : {std::pair{1, 2}, {0, 0}, {2, 1}, {0, 1}}) Click(SafeKeyX(column), SafeKeyY(row));
  EXPECT_TRUE(WaitFor("s3-typed", [this](const WindowPixels& p) { return Count(p, 440, 525, 700, 590, Lit) > 150; }));
  Click(SafeKeyX(2), SafeKeyY(3));  // enter
  EXPECT_TRUE(WaitForLog("minigame: safe win")) << Log();
  // Started again after a moment; a click beside it leaves it.
  ASSERT_TRUE(WaitForLog("minigame: safe ready", 2));
  Click(100, 100);
  EXPECT_TRUE(WaitForLog("minigame: safe close")) << Log();
  Close();
}

TEST_F(MiniGameProgramTest, TheCashRegisterShowsTheSumInItsCells) {
  ASSERT_NO_FATAL_FAILURE(Open("cashregister"));
  // Five cells lit on the display: the sum 0.
  ASSERT_TRUE(WaitFor("c0-register", [this](const WindowPixels& p) { return Count(p, 385, 540, 645, 604, Lit) > 200; }))
      << Log();
  ASSERT_TRUE(WaitForLog("minigame: cashregister ready")) << Log();
  // Keys 7 8 9 / 4 5 6 / 1 2 3 / 0 of 80 x 64 from (300, 420), 95 across, 80 down.
  const auto key = [this](int column, int row) { Click(300 + column * 95 + 40, 420 - row * 80 + 32); };
  key(1, 2);  // 2
  key(0, 0);  // 7
  key(2, 2);  // 3
  key(2, 0);  // 9
  EXPECT_TRUE(WaitFor("c1-sum", [this](const WindowPixels& p) { return Count(p, 385, 540, 645, 604, Lit) > 200; }));
  EXPECT_TRUE(WaitForLog("minigame: cashregister win")) << Log();
  Close();
}

TEST_F(MiniGameProgramTest, TheLetterShowsItsTextAndAClickBesideClosesIt) {
  ASSERT_NO_FATAL_FAILURE(Open("letter"));
  // Brown ink on the light page, inside the text's box (262..762 across, 104..664 up).
  const auto ink = [](uint32_t p) { return Red(p) + Green(p) + Blue(p) < 250 && Red(p) > Blue(p) + 15; };
  const auto paper = [](uint32_t p) { return Red(p) + Green(p) + Blue(p) > 600; };
  ASSERT_TRUE(WaitFor("l1-letter", [&](const WindowPixels& p) {
    return Count(p, 262, 450, 762, 664, ink) > 500 && Count(p, 262, 104, 762, 450, paper) > 20000;
  })) << Log();
  ASSERT_TRUE(WaitForLog("minigame: text ready")) << Log();
  Click(500, 400);  // on the page: read on
  Click(100, 400);  // beside it
  EXPECT_TRUE(WaitForLog("minigame: text close")) << Log();
  EXPECT_EQ(Log().find("minigame: text wait"), Log().rfind("minigame: text wait")) << "the page itself kept it open";
  Close();
}

TEST_F(MiniGameProgramTest, TheNotebooksInkAppearsOverItsPage) {
  ASSERT_NO_FATAL_FAILURE(Open("notebook_chief"));
  // Red strokes over the page, and the page itself still white between them.
  const auto red = [](uint32_t p) { return Red(p) > 120 && Green(p) < 80 && Blue(p) < 80; };
  const auto paper = [](uint32_t p) { return Red(p) + Green(p) + Blue(p) > 600; };
  EXPECT_TRUE(WaitFor("n1-ink", [&](const WindowPixels& p) {
    return Count(p, 262, 104, 762, 664, red) > 500 && Count(p, 262, 300, 762, 600, paper) > 20000;
  })) << Log();
  Close();
}

}  // namespace
