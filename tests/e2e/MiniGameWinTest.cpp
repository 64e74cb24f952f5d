// Each mini-game of the quay and the lamp room, alone in the mini-game driver, is played to its
// win with the real pointer by the same steps the play-through takes in its place. The frames are
// kept in "minigame-wins-frames".

#include "tests/e2e/GameScreen.h"
#include "tests/e2e/MiniGameWins.h"

namespace e2e {
namespace {

class MiniGameWinTest : public GameScreen {
 protected:
  MiniGameWinTest() : GameScreen("minigame-wins") {}
};

TEST_F(MiniGameWinTest, EveryGameIsWonWithThePointer) {
  for (const MiniGameWin& win : MiniGameWins()) {
    if (win.play == nullptr) continue;
    SCOPED_TRACE(win.game);
    const pid_t child = StartMiniGame(win.game);
    ASSERT_GT(child, 0);
    EXPECT_TRUE(win.play(*this)) << "the steps gave up";
    EXPECT_TRUE(WaitForLog(std::string("minigame: ") + win.game + " win")) << Log();
    Snap(std::string(win.game) + "-won");
    CloseGame(child);
  }
}

}  // namespace
}  // namespace e2e
