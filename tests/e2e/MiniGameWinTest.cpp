// Each mini-game of the quay and the lamp room, alone in the mini-game driver, is played to its
// win with the real pointer by the same steps the play-through takes in its place, a case a game.
// The frames are kept in "minigame-wins-frames".

#include "tests/e2e/GameScreen.h"
#include "tests/e2e/MiniGameWins.h"

namespace e2e {

void PrintTo(const MiniGameWin& win, std::ostream* out) { *out << win.game; }

namespace {

class MiniGameWinTest : public GameScreen, public ::testing::WithParamInterface<MiniGameWin> {
 protected:
  MiniGameWinTest() : GameScreen("minigame-wins") {}
};

TEST_P(MiniGameWinTest, IsWonWithThePointer) {
  const MiniGameWin& win = GetParam();
  const pid_t child = StartMiniGame(win.game);
  ASSERT_GT(child, 0);
  EXPECT_TRUE(win.play(*this)) << "the steps gave up";
  EXPECT_TRUE(WaitForLog(std::string("minigame: ") + win.game + " win")) << Log();
  Snap(std::string(win.game) + "-won");
  CloseGame(child);
}

std::vector<MiniGameWin> WithSteps() {
  std::vector<MiniGameWin> played;
  for (const MiniGameWin& win : MiniGameWins()) {
    if (win.play != nullptr) played.push_back(win);
  }
  return played;
}

INSTANTIATE_TEST_SUITE_P(Games, MiniGameWinTest, ::testing::ValuesIn(WithSteps()),
                         [](const ::testing::TestParamInfo<MiniGameWin>& info) { return std::string(info.param.game); });

}  // namespace
}  // namespace e2e
