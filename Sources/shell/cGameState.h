#pragma once
// The base of every game state. The game object holds one current state and updates it each
// frame; a state may hold one sub-state, which it switches and updates the same way. A state
// knows its owner (the game, or the parent state) so that it can ask it for a switch.

class cGame;
class cGameState;
class GameStateWindow;

// Who switches a state: the game for a top-level state, the parent for a sub-state.
class StateOwner {
 public:
  StateOwner() = default;
  explicit StateOwner(cGame* game) : m_game(game) {}
  explicit StateOwner(cGameState* parent) : m_parent(parent) {}

  // The game's ChangeState when owned by the game, else the parent's ChangeSubState, else nothing.
  void SwitchTo(cGameState* state) const;

  cGame* GetGame() const { return m_game; }
  cGameState* GetParent() const { return m_parent; }

 private:
  cGame* m_game = nullptr;
  cGameState* m_parent = nullptr;
};

class cGameState {
 public:
  explicit cGameState(const StateOwner& owner = StateOwner()) : m_owner(owner) {}
  virtual ~cGameState() = default;
  cGameState(const cGameState&) = delete;
  cGameState& operator=(const cGameState&) = delete;

  virtual bool IsReady() const { return true; }
  // Updates the sub-state when there is one.
  virtual void Update(float dt);
  virtual void Enter() = 0;
  virtual void Leave() = 0;
  // Screens attach the window they show; a plain state has none.
  virtual void SetWindow(GameStateWindow* window) {}
  // Leaves the current sub-state and enters `state`; `this` closes the sub-state back to us.
  // A switch asked for while one is under way (from a Leave or an Enter) follows it before this
  // call returns, so every state entered is left exactly once.
  virtual void ChangeSubState(cGameState* state);

  cGameState* GetSubState() const { return m_sub_state; }
  const StateOwner& GetOwner() const { return m_owner; }

 private:
  StateOwner m_owner;
  cGameState* m_sub_state = nullptr;  // not owned
  bool m_switching = false;
  bool m_has_pending = false;
  cGameState* m_pending = nullptr;
};
