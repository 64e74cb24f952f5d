// The game's state machine: switches of the game and of sub-states, switches asked for while one
// runs, and screen states driven by their windows' next-state field.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Sources/shell/GameStateWindow.h"
#include "Sources/shell/cGame.h"
#include "Sources/shell/cScreenState.h"
#include "source/core/Singleton.h"

namespace {

using Log = std::vector<std::string>;

class LoggingState : public cGameState {
 public:
  LoggingState(std::string name, Log& log, const StateOwner& owner = StateOwner())
      : cGameState(owner), m_name(std::move(name)), m_log(log) {}
  void Update(float dt) override {
    m_log.push_back(m_name + ".update");
    cGameState::Update(dt);
    if (on_update) on_update();
  }
  void Enter() override {
    m_log.push_back(m_name + ".enter");
    if (on_enter) on_enter();
  }
  void Leave() override {
    m_log.push_back(m_name + ".leave");
    if (on_leave) on_leave();
  }
  std::function<void()> on_update, on_enter, on_leave;

 private:
  std::string m_name;
  Log& m_log;
};

class FakeWindow : public GameStateWindow {
 public:
  FakeWindow(std::string name, Log& log) : m_name(std::move(name)), m_log(log) {}
  void Show(bool on) override { m_log.push_back(m_name + (on ? ".shown" : ".hidden")); }
  void Show() override {
    next = nullptr;
    m_log.push_back(m_name + ".appear");
  }
  void Hide() override { m_log.push_back(m_name + ".disappear"); }
  cGameState* GetNextState() const override { return next; }
  cGameState* next = nullptr;

 private:
  std::string m_name;
  Log& m_log;
};

class GameStateTest : public ::testing::Test {
 protected:
  void SetUp() override { DestroySingletons(); }
  void TearDown() override { DestroySingletons(); }
  Log log;
};

TEST_F(GameStateTest, GameSwitchesLeaveTheOldAndEnterTheNewOnce) {
  LoggingState a("a", log), b("b", log);
  cGame game;
  log.clear();
  struct Step {
    cGameState* to;
    Log expected;
  } steps[] = {
      {&a, {"a.enter"}},
      {&a, {}},                         // the current state again: nothing
      {&b, {"a.leave", "b.enter"}},
      {nullptr, {"b.leave"}},           // no state: later updates do nothing
      {nullptr, {}},
  };
  for (const Step& step : steps) {
    log.clear();
    game.ChangeState(step.to);
    EXPECT_EQ(log, step.expected);
  }
  game.Update(0.1f);
  EXPECT_EQ(log, Log{});
}

TEST_F(GameStateTest, SubStatesSwitchAndCloseBackToTheirParent) {
  LoggingState parent("p", log), one("one", log), two("two", log);
  cGame game;
  game.ChangeState(&parent);
  struct Step {
    cGameState* to;
    Log expected;
  } steps[] = {
      {&parent, {}},                       // closing with no sub-state: nothing
      {&one, {"one.enter"}},
      {&two, {"one.leave", "two.enter"}},
      {&parent, {"two.leave"}},            // closed: the parent, which never left, is not entered
      {&parent, {}},
  };
  for (const Step& step : steps) {
    log.clear();
    parent.ChangeSubState(step.to);
    EXPECT_EQ(log, step.expected);
  }
  EXPECT_EQ(parent.GetSubState(), nullptr);
  parent.ChangeSubState(&one);
  log.clear();
  game.Update(0.05f);
  EXPECT_EQ(log, (Log{"p.update", "one.update"}));
}

TEST_F(GameStateTest, SwitchAskedForDuringASwitchFollowsItSoEveryEnteredStateLeavesOnce) {
  cGame game;
  LoggingState a("a", log), b("b", log), c("c", log);
  game.ChangeState(&a);
  a.on_leave = [&] { game.ChangeState(&c); };  // asked for while a leaves
  b.on_enter = [&] { game.ChangeState(&c); };  // asked for while b enters
  log.clear();
  game.ChangeState(&b);
  EXPECT_EQ(log, (Log{"a.leave", "b.enter", "b.leave", "c.enter"}));
  EXPECT_EQ(game.GetCurrentState(), &c);

  // The same rule for sub-states.
  LoggingState parent("p", log), s1("s1", log), s2("s2", log);
  parent.ChangeSubState(&s1);
  s1.on_leave = [&] { parent.ChangeSubState(&s2); };
  log.clear();
  parent.ChangeSubState(&parent);
  EXPECT_EQ(log, (Log{"s1.leave", "s2.enter"}));
  EXPECT_EQ(parent.GetSubState(), &s2);
}

TEST_F(GameStateTest, StatesThatKeepSwitchingToEachOtherStopInsteadOfHanging) {
  cGame game;
  LoggingState a("a", log), b("b", log);
  a.on_enter = [&] { game.ChangeState(&b); };
  b.on_enter = [&] { game.ChangeState(&a); };
  game.ChangeState(&a);
  EXPECT_NE(game.GetCurrentState(), nullptr);
  EXPECT_LT(log.size(), 200u);
  log.clear();
  a.on_enter = b.on_enter = nullptr;
  game.ChangeState(nullptr);  // the game still switches afterwards
  EXPECT_EQ(game.GetCurrentState(), nullptr);
}

TEST_F(GameStateTest, ScreenStateShowsItsWindowAndFollowsItsNextState) {
  cGame game;
  FakeWindow menu_window("menu", log), options_window("options", log);
  cScreenState menu(StateOwner(&game), &menu_window);
  cScreenState options(StateOwner(&menu), &options_window);
  LoggingState play("play", log, StateOwner(&game));
  EXPECT_EQ(log, (Log{"menu.hidden", "options.hidden"}));  // hidden as soon as attached
  EXPECT_TRUE(menu.IsReady());

  log.clear();
  game.ChangeState(&menu);
  menu.ChangeSubState(&options);
  EXPECT_EQ(log, (Log{"menu.appear", "options.appear"}));

  // The sub-screen's window names the parent: only the sub-state is left, never the game's state.
  log.clear();
  options_window.next = &menu;
  game.Update(0.1f);
  EXPECT_EQ(log, (Log{"options.disappear"}));
  EXPECT_EQ(menu.GetSubState(), nullptr);
  EXPECT_EQ(game.GetCurrentState(), &menu);

  // A request made during the sub-state's update is acted on in the same frame.
  menu.ChangeSubState(&play);
  play.on_update = [&] { menu_window.next = &play; };
  log.clear();
  game.Update(0.1f);
  EXPECT_EQ(log, (Log{"play.update", "menu.disappear", "play.enter"}));
  EXPECT_EQ(game.GetCurrentState(), &play);
}

TEST_F(GameStateTest, ScreenStateWithoutAWindowOnlyUpdatesItsSubState) {
  cGame game;
  cScreenState screen{StateOwner(&game)};
  LoggingState sub("sub", log, StateOwner(&screen));
  EXPECT_FALSE(screen.IsReady());
  game.ChangeState(&screen);
  screen.ChangeSubState(&sub);
  log.clear();
  game.Update(0.1f);
  game.ChangeState(nullptr);
  EXPECT_EQ(log, (Log{"sub.update"}));  // its own enter and leave show nothing

  FakeWindow late("late", log);
  screen.SetWindow(&late);
  EXPECT_EQ(log.back(), "late.hidden");
  EXPECT_TRUE(screen.IsReady());
}

}  // namespace
