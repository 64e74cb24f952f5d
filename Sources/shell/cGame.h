#pragma once
// The game object: holds the current game state and updates it once a frame with the main loop's
// frame time. A pause asked for during a frame reaches the state at the start of the next update.

class cGameState;

class cGame {
 public:
  cGame() = default;
  virtual ~cGame() = default;
  cGame(const cGame&) = delete;
  cGame& operator=(const cGame&) = delete;

  // Applies a pending pause to the current state, then updates it unless it is paused.
  virtual void Update(float dt);
  // Leaves the current state and enters `state` (null: no state); nothing when it is current.
  virtual void ChangeState(cGameState* state);

  // Marks a pause change; the next Update hands it to the current state.
  void SetPaused(bool paused);
  cGameState* GetCurrentState() const { return m_state; }

 private:
  cGameState* m_state = nullptr;  // not owned: states belong to whoever made them
  bool m_pause_pending = false;
  bool m_pending_pause = false;
};
