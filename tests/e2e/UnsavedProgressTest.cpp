// A save the disk refuses, through the real program: the player is told "Progress not saved"
// where it happens, on the main menu the game was left for and before the window closes, and the
// last saved copy is kept. The disk refuses as a full one would: a folder stands where the
// player's file would be written.
// Frames are kept as PNG files in the build folder ("unsaved-progress-frames").

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/e2e/GameScreen.h"
#include "tests/e2e/PlayerHands.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

using namespace e2e;

namespace fs = std::filesystem;

constexpr Point kBoxOk{512, 303}, kMenuButton{152, 59}, kExitToMenu{512, 253};
constexpr Area kGameMenu{330, 520, 370, 560};
const char* const kPlayerFile = "/usersdata/profiles/6510097.prf";  // "Ada": its characters' codes

class UnsavedProgressTest : public GameScreen {
 protected:
  UnsavedProgressTest() : GameScreen("unsaved-progress") {}

  void SeedAndPlay() {
    ASSERT_EQ(program.SeedPlayer("Ada location_1"), "");
    child = StartGame();
    PressPlay("menu");
    ASSERT_TRUE(WaitForLog("screen in front: place/")) << Log();
    saved = ReadWholeFile(program.UserFolder() + kPlayerFile);
    ASSERT_FALSE(saved.empty());
  }
  // From now on every save of the player's file fails; the saved copy is kept aside to compare.
  void RefuseSaves() {
    const std::string file = program.UserFolder() + kPlayerFile;
    fs::rename(file, program.UserFolder() + "/kept.prf");
    fs::create_directory(file);
  }
  void ExpectToldInABox(const std::string& name, std::size_t boxes_before) {
    ASSERT_TRUE(WaitForLog("screen in front: message_box", kTimeout, boxes_before)) << Log();
    EXPECT_TRUE(WaitForParchment(name, kSmallDialog, true)) << Log();
    EXPECT_EQ(FrontScreen(Log()), "message_box");
  }
  void ExpectSavedCopyKept() const {
    EXPECT_EQ(ReadWholeFile(program.UserFolder() + "/kept.prf"), saved);
    EXPECT_NE(program.ErrorOutput().find("progress cannot be saved to "), std::string::npos) << program.ErrorOutput();
  }

  pid_t child = -1;
  std::string saved;
};

TEST_F(UnsavedProgressTest, ASaveThatFailsAtClosingIsToldBeforeTheWindowCloses) {
  SeedAndPlay();
  RefuseSaves();
  const std::size_t boxes = LogCount("screen in front: message_box");
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  ExpectToldInABox("closing-box", boxes);
  int status = 0;
  EXPECT_FALSE(ProgramUnderTest::Wait(child, &status, 0)) << "the window waits for the player";
  Click(kBoxOk);
  ExpectExitedNormally(child);
  ExpectSavedCopyKept();
}

TEST_F(UnsavedProgressTest, ASaveThatFailsOnLeavingForTheMenuIsToldOnTheMenu) {
  SeedAndPlay();
  RefuseSaves();
  // The place's opening phrase takes the first clicks (each turns its page): pressed again until
  // the game's menu opens.
  bool menu_open = false;
  for (int press = 0; press < 8 && !menu_open; ++press) {
    Click(kMenuButton);
    menu_open = WaitForParchment("game-menu", kGameMenu, true, 6000);
  }
  ASSERT_TRUE(menu_open) << Log();
  const std::size_t boxes = LogCount("screen in front: message_box");
  Click(kExitToMenu);
  ExpectToldInABox("menu-box", boxes);
  Click(kBoxOk);
  // Told where it happened: beneath the box lay the menu, not the game.
  ASSERT_TRUE(WaitForFrontScreen(program, "MainMenu", kTimeout)) << Log();
  EXPECT_TRUE(WaitForParchment("menu-after-box", kMenuBoard, true)) << Log();
  // Closing saves the game left on the menu once more, and it fails once more: told again.
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  ExpectToldInABox("closing-box", LogCount("screen in front: message_box"));
  Click(kBoxOk);
  ExpectExitedNormally(child);
  ExpectSavedCopyKept();
}

}  // namespace
