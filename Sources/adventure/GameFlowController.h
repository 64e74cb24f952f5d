#pragma once
// The in-game state: walks the stages and holds the current location. The stages, locations and
// the panel come with the adventure core; this form holds what the game shell relies on: the
// state that play returns to, the location-ended flag and the location's part of a progress save.

#include "Sources/shell/cGameState.h"

class GameFlowController : public cGameState {
 public:
  GameFlowController(const StateOwner& owner, cGameState* return_state)
      : cGameState(owner), m_return_state(return_state) {}

  void Enter() override {}
  void Leave() override {}

  // The current location has ended and its state is no longer to be saved.
  bool IsLocationEnded() const { return m_location_ended; }
  // The current location stores its state into its record of the current profile (there is no
  // location yet, so nothing to store).
  void SaveLocationState() {}
  cGameState* GetReturnState() const { return m_return_state; }

 private:
  cGameState* m_return_state;  // not owned
  bool m_location_ended = false;
};
