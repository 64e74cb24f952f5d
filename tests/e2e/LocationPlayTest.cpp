// The sample game's locations played through in the real program's loop on the test's display,
// with the real pointer and keyboard: the harbour office (the key opens the chart cabinet, whose
// chart alone does not yet open the door) and the quay (the chest gives the pearl the boat wants,
// which alone does not yet sail). The frames
// read back are kept as PNG files in the build folder ("location-frames"). A second run starts
// on a script damaged on disk: it is logged, and the office still shows and closes cleanly.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/ProgramUnderTest.h"
#include "tests/e2e/WindowPixels.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTimeout = 30000;

// Window pixels (from the top left) of the objects, as content/levels places them.
struct Spot {
  int x, y;
};
constexpr Spot kKey{465, 667}, kCabinet{170, 330}, kChart{170, 450}, kDoor{880, 300}, kChest{250, 670},
    kBoat{700, 600}, kFloor{900, 700}, kSail{730, 560}, kPearl{250, 614};

int Channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }
// Brass: much more red than blue.
bool IsBrass(uint32_t pixel) {
  return Channel(pixel, 16) > 150 && Channel(pixel, 8) > 110 && Channel(pixel, 16) > Channel(pixel, 0) + 80;
}
bool IsBright(uint32_t pixel) { return Channel(pixel, 16) > 200 && Channel(pixel, 8) > 200 && Channel(pixel, 0) > 180; }
// The open cabinet's dark inside, where its shut doors show wood and its shelf the chart.
bool IsDark(uint32_t pixel) { return Channel(pixel, 16) < 60 && Channel(pixel, 8) < 60 && Channel(pixel, 0) < 60; }

class LocationPlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string reason = ProgramUnderTest::SkipReason();
    if (!reason.empty()) GTEST_SKIP() << reason;
    const fs::path built = fs::path(ProgramUnderTest::BuiltProgram()).parent_path();
    if (!fs::exists(built / "velmaris-location") || !fs::is_directory(built / "data" / "levels")) {
      GTEST_SKIP() << "the location driver or the sample data is not built beside this test";
    }
    fs::copy_file(built / "velmaris-location", program.BinFolder() + "/velmaris-location");
    for (const char* group : {"data", "localization", "fsdata", "splash"}) {
      if (fs::exists(built / group)) fs::copy(built / group, program.BinFolder() + "/" + group, fs::copy_options::recursive);
    }
    frames = ProgramUnderTest::FramesFolder("location");
    program.WriteConfiguration({{"video_fullscreen", "false"}});
  }

  // Starts the driver on the office, or on the location named.
  void Start(const std::vector<std::string>& arguments = {}) {
    child = program.StartProgram("velmaris-location", arguments, {"ASAN_OPTIONS=detect_leaks=1"});
    ASSERT_GT(child, 0);
    window = ProgramUnderTest::FindWindow(child, kTimeout);
    ASSERT_NE(window, 0u) << Log();
    ASSERT_TRUE(ProgramUnderTest::WaitUntilViewable(window, kTimeout));
  }
  std::string Log() const { return ReadWholeFile(program.UserFolder() + "/tarvel.html"); }

  // Waits until the log holds the line, or the window shows what `shows` asks for.
  bool WaitForLog(const std::string& line) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeout);
    while (std::chrono::steady_clock::now() < deadline) {
      if (Log().find(line) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ADD_FAILURE() << "no \"" << line << "\" in the log";
    return false;
  }
  bool WaitFor(const std::string& name, const std::function<bool(const WindowPixels&)>& shows) {
    return WaitForWindowPixels(window, kTimeout, (frames / (name + ".png")).string(), shows);
  }
  // A click as a player makes one: the pointer rests on the spot first.
  void Click(Spot at) {
    ProgramUnderTest::Command("xdotool mousemove --window " + std::to_string(window) + " " + std::to_string(at.x) + " " +
                              std::to_string(at.y) + " sleep 0.3 mousedown 1 sleep 0.2 mouseup 1 sleep 0.2");
  }
  // Clicks beside everything until the phrase on show has turned its last page.
  void TurnPages(int pages) {
    for (int i = 0; i < pages; ++i) Click(kFloor);
  }
  void Key(const std::string& key) {
    ProgramUnderTest::Command("xdotool windowfocus --sync " + std::to_string(window) + " keydown " + key +
                              " sleep 0.2 keyup " + key + " sleep 0.2");
  }
  int Finish() {
    int status = -1;
    EXPECT_TRUE(ProgramUnderTest::Wait(child, &status, kTimeout));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  ProgramUnderTest program;
  fs::path frames;
  pid_t child = -1;
  unsigned long window = 0;
};

TEST_F(LocationPlayTest, TheOfficeAndTheQuayKeepTheirWayOnUntilTheirThingsAreHad) {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitized program draws through the software rasteriser (see ProgramUnderTest): a frame
  // takes longer than a click is held, so the locations are played through by the unsanitized build.
  GTEST_SKIP() << "the locations are played through end to end by the unsanitized build";
#endif
  Start();
  EXPECT_TRUE(WaitFor("1-office", [](const WindowPixels& p) { return IsBrass(p.At(kKey.x, kKey.y)); }));
  TurnPages(3);  // the keeper's welcome
  Click(kKey);
  ASSERT_TRUE(WaitForLog("panel: item key"));
  EXPECT_TRUE(WaitFor("2-key-taken", [](const WindowPixels& p) { return !IsBrass(p.At(kKey.x, kKey.y)); }));
  // The door wants the chart first: a click on it now only says so.
  Click(kDoor);
  TurnPages(1);
  Key("1");
  ASSERT_TRUE(WaitForLog("panel: hand key"));
  Click(kCabinet);
  ASSERT_TRUE(WaitForLog("panel: dropped key"));
  Click(kChart);
  ASSERT_TRUE(WaitForLog("panel: item chart"));
  // Open, and empty where the chart lay (left of where its name shows under the pointer).
  EXPECT_TRUE(WaitFor("3-cabinet-open", [](const WindowPixels& p) {
    bool empty = IsDark(p.At(kCabinet.x + 30, kCabinet.y - 30));
    for (int x = kChart.x - 42; x <= kChart.x - 14; x += 4) empty = empty && IsDark(p.At(x, kChart.y));
    return empty;
  }));
  Click(kFloor);
  // With the chart alone the door still waits for what the desk and the bureau give.
  Click(kDoor);
  TurnPages(2);
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  EXPECT_EQ(Finish(), 0);
  EXPECT_EQ(Log().find("ended location_1"), std::string::npos) << "the office is not left with the chart alone";

  // The quay: the boat wants the pearl, and the chest gives it once; with the pearl alone the
  // boat still waits for the pictures the quay's puzzles give.
  Start({"location_2"});
  EXPECT_TRUE(WaitFor("4-quay", [](const WindowPixels& p) { return IsBright(p.At(kSail.x, kSail.y)); }));
  TurnPages(2);  // the boat is the way on
  Click(kBoat);
  TurnPages(2);  // not without the pearl
  Click(kChest);
  ASSERT_TRUE(WaitForLog("panel: item pearl"));
  // The chest stands open, its inside dark where the pearl lay: the pearl is in hand, not drawn on.
  EXPECT_TRUE(WaitFor("5-chest-open", [](const WindowPixels& p) { return IsDark(p.At(kPearl.x, kPearl.y)); }));
  Click(kBoat);
  TurnPages(2);
  Click(kChest);
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  EXPECT_EQ(Finish(), 0);
  const std::string log = Log();
  EXPECT_EQ(log.find("ended location_2"), std::string::npos) << "the quay is not left before its puzzles";
  EXPECT_EQ(log.find("panel: item pearl"), log.rfind("panel: item pearl")) << "the chest gives once";
}

TEST_F(LocationPlayTest, ADamagedScriptIsLoggedAndTheOfficeStillShowsAndCloses) {
  WriteWholeFile(program.BinFolder() + "/data/levels/location_1/location_1.cnf", std::string("\x04\0\0\0cli", 7));
  Start();
  EXPECT_TRUE(WaitFor("6-office-without-script", [](const WindowPixels& p) { return IsBrass(p.At(kKey.x, kKey.y)); }));
  Click(kKey);
  Click(kDoor);
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  EXPECT_EQ(Finish(), 0);
  const std::string log = Log();
  EXPECT_NE(log.find("is damaged and not used"), std::string::npos) << log;
  EXPECT_EQ(log.find("panel: item"), std::string::npos);
}

// The desk's close-up starts two games from its script: the letter, taken once it has been read
// and put down, and the safe of the drawer, which gives the compass when opened and stays shut
// when the player turns away from it.
TEST_F(LocationPlayTest, TheDeskLetterIsReadAndTakenAndTheDrawerOpensToItsCombination) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the locations are played through end to end by the unsanitized build";
#endif
  constexpr Spot kDesk{520, 475}, kLetter{380, 305}, kDrawer{620, 470}, kBeside{200, 140};
  // The safe's keys as the window shows them: 8, 1, 6, 4 and enter.
  constexpr Spot kOne{407, 323}, kEight{512, 503}, kSix{617, 413}, kFour{407, 413}, kEnter{617, 593};
  Start();
  EXPECT_TRUE(WaitFor("7-office", [](const WindowPixels& p) { return IsBrass(p.At(kKey.x, kKey.y)); }));
  TurnPages(3);  // the keeper's welcome
  Click(kDesk);
  Click(kLetter);
  Click(kBeside);
  ASSERT_TRUE(WaitForLog("panel: item letter"));
  Click(kDrawer);
  Click(kBeside);  // turned away: the drawer stays shut and can be tried again
  Click(kDrawer);
  for (Spot key : {kEight, kOne, kSix, kFour}) Click(key);
  EXPECT_TRUE(WaitFor("8-safe-typed", [](const WindowPixels& p) { return Channel(p.At(472, 214), 8) > 170; }));
  Click(kEnter);
  ASSERT_TRUE(WaitForLog("panel: item compass"));
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  EXPECT_EQ(Finish(), 0);
}

}  // namespace
