#pragma once
// The side of a GUI state window that the game states drive: its plain shown flag, its appear
// and disappear, and the next-state field that its own handlers set when the player asks to go
// elsewhere (its appear clears the field). The GUI library's state window provides it; the
// game shell never owns one (windows belong to the GUI tree).

class cGameState;

class GameStateWindow {
 public:
  virtual ~GameStateWindow() = default;
  // Shows or hides the window at once, without its animations.
  virtual void Show(bool on) = 0;
  // Appears (the next-state field is cleared) and disappears.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual cGameState* GetNextState() const = 0;
};
