#pragma once
// The base of every game state: the game object holds one current state and updates it each
// frame unless it is paused; a state may hold one sub-state, which it updates in turn.

class cGameState {
 public:
  cGameState() = default;
  virtual ~cGameState() = default;
  cGameState(const cGameState&) = delete;
  cGameState& operator=(const cGameState&) = delete;

  virtual bool IsReady() const { return true; }
  // Updates the sub-state when there is one.
  virtual void Update(float dt);
  virtual void Enter() = 0;
  virtual void Leave() = 0;
  // Leaves the current sub-state and enters `state`; `this` closes the sub-state back to us.
  virtual void ChangeSubState(cGameState* state);

  cGameState* GetSubState() const { return m_sub_state; }
  bool IsPaused() const { return m_paused; }
  void SetPaused(bool paused) { m_paused = paused; }

 private:
  cGameState* m_sub_state = nullptr;  // not owned
  bool m_paused = false;
};
