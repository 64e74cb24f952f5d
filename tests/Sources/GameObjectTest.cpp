// The game object's least form: state changes, the pending pause, the accessor and the progress
// save that has nothing to save while no game runs.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Sources/shell/AdventureGame.h"
#include "Sources/shell/cGame.h"
#include "Sources/shell/cGameState.h"
#include "source/core/Singleton.h"

namespace {

class LoggingState : public cGameState {
 public:
  LoggingState(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}
  void Update(float dt) override {
    m_log.push_back(m_name + ".update");
    cGameState::Update(dt);
  }
  void Enter() override { m_log.push_back(m_name + ".enter"); }
  void Leave() override { m_log.push_back(m_name + ".leave"); }

 private:
  std::string m_name;
  std::vector<std::string>& m_log;
};

TEST(GameObject, ChangeStateLeavesTheOldAndEntersTheNewOnce) {
  std::vector<std::string> log;
  LoggingState a("a", log);
  LoggingState b("b", log);
  cGame game;
  game.ChangeState(&a);
  game.ChangeState(&a);
  game.ChangeState(&b);
  game.ChangeState(nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"a.enter", "a.leave", "b.enter", "b.leave"}));
  EXPECT_EQ(game.GetCurrentState(), nullptr);
}

TEST(GameObject, UpdateReachesTheStateAndItsSubState) {
  std::vector<std::string> log;
  LoggingState parent("parent", log);
  LoggingState child("child", log);
  cGame game;
  game.Update(0.05f);  // no state: nothing happens
  game.ChangeState(&parent);
  parent.ChangeSubState(&child);
  log.clear();
  game.Update(0.05f);
  EXPECT_EQ(log, (std::vector<std::string>{"parent.update", "child.update"}));
  log.clear();
  parent.ChangeSubState(&parent);  // closes the sub-state back to its parent
  EXPECT_EQ(log, (std::vector<std::string>{"child.leave"}));
  EXPECT_EQ(parent.GetSubState(), nullptr);
}

TEST(GameObject, PendingPauseReachesTheStateAtTheNextUpdate) {
  std::vector<std::string> log;
  LoggingState state("s", log);
  cGame game;
  game.ChangeState(&state);
  log.clear();
  game.SetPaused(true);
  EXPECT_FALSE(state.IsPaused());  // only marked so far
  game.Update(0.1f);
  EXPECT_TRUE(state.IsPaused());
  EXPECT_TRUE(log.empty());
  game.Update(0.1f);
  EXPECT_TRUE(log.empty());
  game.SetPaused(false);
  game.Update(0.1f);
  EXPECT_EQ(log, (std::vector<std::string>{"s.update"}));
}

TEST(GameObject, PauseMarkedWithoutAStateIsNotCarriedOver) {
  std::vector<std::string> log;
  LoggingState state("s", log);
  cGame game;
  game.SetPaused(true);
  game.Update(0.1f);
  game.ChangeState(&state);
  game.Update(0.1f);
  EXPECT_FALSE(state.IsPaused());
}

TEST(GameObject, AccessorMakesOneGameThatSavesNothingWithoutAGame) {
  DestroySingletons();
  AdventureGame* game = GameInstance();
  ASSERT_NE(game, nullptr);
  EXPECT_EQ(GameInstance(), game);
  EXPECT_FALSE(game->IsGameInProgress());
  game->SaveProgress();
  DestroySingletons();
  EXPECT_EQ(AdventureGame::PeekInstance(), nullptr);
}

}  // namespace
