// The game's state machine: switches of the game and of sub-states, switches asked for while one
// runs, and screen states driven by their windows' next-state field.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Sources/shell/cGame.h"
#include "Sources/shell/cScreenState.h"
#include "gui/include/GameStateWindow.h"

namespace {

using Log = std::vector<std::string>;

// A state or a window that writes what happens to it into one log.
class LoggingState : public cGameState {
 public:
  LoggingState(std::string name, Log& log, const StateOwner& owner = StateOwner())
      : cGameState(owner), m_name(std::move(name)), m_log(log) {}
  void Update(float dt) override {
    m_log.push_back(m_name + ".update");
    cGameState::Update(dt);
    if (on_update) on_update();
  }
  void Enter() override { m_log.push_back(m_name + ".enter"), on_enter ? on_enter() : void(); }
  void Leave() override { m_log.push_back(m_name + ".leave"), on_leave ? on_leave() : void(); }
  std::function<void()> on_update, on_enter, on_leave;

 private:
  std::string m_name;
  Log& m_log;
};

class FakeWindow : public GameStateWindow {
 public:
  FakeWindow(std::string name, Log& log) : m_name(std::move(name)), m_log(log) {}
  void Show(bool on) override { m_log.push_back(m_name + (on ? ".shown" : ".hidden")); }
  void Show() override { next = nullptr, m_log.push_back(m_name + ".appear"); }
  void Hide() override { m_log.push_back(m_name + ".disappear"); }
  cGameState* GetNextState() const override { return next; }
  cGameState* next = nullptr;

 private:
  std::string m_name;
  Log& m_log;
};

TEST(GameState, SwitchesOfTheGameAndOfSubStates) {
  Log log;
  cGame game;
  LoggingState a("a", log), b("b", log), one("one", log);
  const struct {
    std::function<void()> request;
    Log expected;
  } steps[] = {
      {[&] { game.ChangeState(&a); }, {"a.enter"}},
      {[&] { game.ChangeState(&a); }, {}},  // the current state again: nothing
      {[&] { a.ChangeSubState(&a); }, {}},  // closing with no sub-state: nothing
      {[&] { a.ChangeSubState(&one); }, {"one.enter"}},
      {[&] { game.Update(0.05f); }, {"a.update", "one.update"}},
      {[&] { a.ChangeSubState(&a); }, {"one.leave"}},  // closed: the parent never left, is not entered
      {[&] { game.ChangeState(&b); }, {"a.leave", "b.enter"}},
      {[&] { game.ChangeState(nullptr); }, {"b.leave"}},
      {[&] { game.Update(0.1f); }, {}},  // no state: nothing is updated
  };
  for (const auto& step : steps) {
    log.clear();
    step.request();
    EXPECT_EQ(log, step.expected);
  }
}

TEST(GameState, SwitchAskedForDuringASwitchFollowsItSoEveryEnteredStateLeavesOnce) {
  Log log;
  cGame game;
  LoggingState a("a", log), b("b", log), c("c", log);
  game.ChangeState(&a);
  a.on_leave = [&] { game.ChangeState(&c); };  // asked for while a leaves
  b.on_enter = [&] { game.ChangeState(&c); };  // asked for while b enters
  log.clear();
  game.ChangeState(&b);
  EXPECT_EQ(log, (Log{"a.leave", "b.enter", "b.leave", "c.enter"}));
  EXPECT_EQ(game.GetCurrentState(), &c);

  LoggingState s1("s1", log), s2("s2", log);  // the same for sub-states
  c.ChangeSubState(&s1);
  s1.on_leave = [&] { c.ChangeSubState(&s2); };
  log.clear();
  c.ChangeSubState(&c);
  EXPECT_EQ(log, (Log{"s1.leave", "s2.enter"}));

  // States that keep sending each other back and forth are stopped, not followed for ever.
  c.on_enter = [&] { game.ChangeState(&b); };
  b.on_enter = [&] { game.ChangeState(&c); };
  log.clear();
  game.ChangeState(&c);
  EXPECT_LT(log.size(), 200u);
  c.on_enter = b.on_enter = nullptr;
  game.ChangeState(nullptr);
  EXPECT_EQ(game.GetCurrentState(), nullptr);
}

TEST(GameState, ScreenStateShowsItsWindowAndFollowsItsNextState) {
  Log log;
  cGame game;
  FakeWindow menu_window("menu", log), options_window("options", log), late("late", log);
  cScreenState menu(StateOwner(&game), &menu_window);
  cScreenState options(StateOwner(&menu), &options_window);
  cScreenState bare{StateOwner(&menu)};
  LoggingState play("play", log, StateOwner(&game));
  EXPECT_EQ(log, (Log{"menu.hidden", "options.hidden"}));  // hidden as soon as attached
  EXPECT_FALSE(bare.IsReady());

  const struct {
    std::function<void()> request;
    Log expected;
  } steps[] = {
      {[&] { game.ChangeState(&menu), menu.ChangeSubState(&options); }, {"menu.appear", "options.appear"}},
      // The sub-screen names its parent: only the sub-state is left, never the game's state.
      {[&] { options_window.next = &menu, game.Update(0.1f); }, {"options.disappear"}},
      // A screen without a window shows nothing and only updates its sub-state.
      {[&] { menu.ChangeSubState(&bare), bare.ChangeSubState(&play), game.Update(0.1f); },
       {"play.enter", "play.update"}},
      // A request made during a sub-state's update is acted on in the same frame.
      {[&] { play.on_update = [&] { menu_window.next = &play; }, game.Update(0.1f); },
       {"play.update", "menu.disappear", "play.enter"}},
      {[&] { bare.SetWindow(&late); }, {"late.hidden"}},
  };
  for (const auto& step : steps) {
    log.clear();
    step.request();
    EXPECT_EQ(log, step.expected);
  }
  EXPECT_EQ(game.GetCurrentState(), &play);
  EXPECT_TRUE(bare.IsReady());
}

}  // namespace
