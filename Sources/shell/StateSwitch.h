#pragma once
// The one switching rule of the game and of a state with sub-states: a switch is complete when
// the call returns, and a switch asked for while one runs (from inside a Leave or an Enter) is
// not nested in it but follows it, the latest request winning. States that keep sending each
// other back and forth are stopped after a bound and logged, instead of hanging the game.

#include <functional>

class cGameState;

// The switching fields of the object that switches (the game or a parent state).
struct StateSwitch {
  bool& switching;
  bool& has_pending;
  cGameState*& pending;
};

// Runs `step` for `state` and then for each request made meanwhile.
void RunStateSwitch(StateSwitch fields, cGameState* state, const std::function<void(cGameState*)>& step);

// Switches that may follow one another inside one outer call.
constexpr int kMaxChainedSwitches = 64;
