#pragma once
// A game state that shows one GUI state window while it is active, and moves on when that
// window names another state: its owner switches to it in the same frame.

#include "Sources/shell/cGameState.h"

class cScreenState : public cGameState {
 public:
  // A window given here (or later with SetWindow) is hidden at once.
  explicit cScreenState(const StateOwner& owner, GameStateWindow* window = nullptr);

  // Ready only with a window.
  bool IsReady() const override { return m_window != nullptr; }
  // The sub-state first; then a state named by the window goes to the owner.
  void Update(float dt) override;
  void Enter() override;
  void Leave() override;
  void SetWindow(GameStateWindow* window) override;

  GameStateWindow* GetWindow() const { return m_window; }

 private:
  GameStateWindow* m_window = nullptr;  // not owned
};
