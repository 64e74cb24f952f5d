#pragma once
// The base of every mini-game: a state window that a location's script starts by name. Started,
// it takes the mouse and appears; it ends with a result word ("win" solved, "close" left) that
// the script's wait reads and that the current profile keeps in the location's record under the
// game's name. A click beside its pieces leaves it. The games' pieces, the panel's skip button
// and the intro phrases come with the games themselves.

#include <cstdint>
#include <string>

#include "gui/include/GUIStateWindow.h"

class MiniGame : public GUIStateWindow {
 public:
  // The state a running game takes while the hint window speaks.
  static constexpr int kPaused = 5;
  // Mouse dispatches ignored after the start (the click that started the game is not its first).
  static constexpr int32_t kMouseHoldOff = 10;

  // Hidden; the result word is the one the profile keeps for the game, or empty.
  MiniGame(const std::string& name, GUIWindow* parent);
  ~MiniGame() override;

  // Takes the mouse, appears; the result word becomes "wait".
  virtual void Start();
  // Ends with the word: the mouse is let go, the window disappears and the profile keeps the word.
  virtual void Finish(const std::string& word);
  virtual bool IsSolved() const { return m_result == "win"; }
  // Pauses a working game while a phrase is shown, and resumes it afterwards.
  void UpdatePause();
  // The game's own mouse handling: a fresh press that hits none of its pieces leaves the game.
  bool HandleMouse(const Vector2& point, bool button_down) override;

  const std::string& GetResult() const { return m_result; }

 protected:
  std::string m_result;
  int32_t m_mouse_hold_off = 0;
};
