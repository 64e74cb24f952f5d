#pragma once
// The base of every mini-game: a state window that a location's script starts by name. Started,
// it takes the mouse, turns the panel's exit button into its skip button, speaks its intro
// phrases and appears; while the hero speaks it is paused. It ends with a result word ("win"
// solved or skipped, "close" left by a click beside its pieces) that the script's wait reads and
// that the current profile keeps in the stage's record under the game's window name, where the
// next game of that name finds it again.

#include <cstdint>
#include <memory>
#include <string>

#include "gui/include/GUIStateWindow.h"

class MiniGameIntro;

class MiniGame : public GUIStateWindow {
 public:
  // The state a running game takes while the hint window speaks.
  static constexpr int kPaused = 5;
  // Mouse dispatches ignored after the start (the click that started the game is not its first).
  static constexpr int32_t kMouseHoldOff = 10;
  // Seconds after which the hold-off ends however few dispatches it saw: ten frames of a slow
  // machine last seconds, and a click the player makes on the game drawn by then is theirs.
  static constexpr double kMouseHoldOffTime = 0.25;
  // Hint charges a skip costs.
  static constexpr int32_t kSkipCost = 3;

  // Hidden; the result word is the one the profile keeps for the game, or empty.
  MiniGame(const std::string& name, GUIWindow* parent);
  // A game deleted while it runs gives back the mouse, the panel's buttons and the cursor, and
  // leaves no callback of the message boxes or the hint window pointing at it.
  ~MiniGame() override;

  // Takes the mouse, appears; the result word becomes "wait".
  virtual void Start();
  // Ends with the word: the mouse is let go, the window disappears and the profile keeps the word
  // (a game once won stays won there, however a replay of it ends).
  virtual void Finish(const std::string& word);
  virtual bool IsSolved() const { return m_won || m_result == "win"; }
  // Pauses a working game while a phrase is shown, and resumes it (taking the mouse again)
  // afterwards. The location calls it once a frame for its running game.
  void UpdatePause();
  // The game's mouse (GUI point, left button): derived games handle their pieces and call it for
  // the rest, so that a fresh press beside every piece leaves the game.
  virtual bool OnMouse(const Vector2& point, bool button_down);
  bool HandleMouse(const Vector2& point, bool button_down) final { return OnMouse(point, button_down); }

  // The panel's exit button was clicked: the skip question, or the note that hints are short.
  DelegateArg OnCancelRequest(DelegateArg sender);
  // "Yes" to the skip question: three hint charges for a "win".
  DelegateArg OnSkipConfirmed(DelegateArg sender);

  const std::string& GetResult() const { return m_result; }
  int32_t GetMouseHoldOff() const { return m_mouse_hold_off; }

 protected:
  // The game's own form: loaded, its children built, its layout made right; false (logged) when
  // the form cannot be had, and the game then has no pieces.
  bool LoadForm(const std::string& form);
  // Pieces take the mouse only in the working state once the hold-off is spent.
  bool AcceptsPieceInput() const { return GetState() == kWorking && m_mouse_hold_off == 0; }
  // Puts the panel's normal buttons back: the games that cannot be skipped call it after Start.
  void ReleasePanel();

  std::string m_result;
  int32_t m_mouse_hold_off = 0;
  double m_hold_off_start = 0.0;  // the frame clock at the start
  bool m_won = false;  // won now or at some earlier time

 private:
  // A fresh left press at `point` whose ray hits the model of none of the children.
  bool IsPressBesidePieces(const Vector2& point) const;

  std::unique_ptr<MiniGameIntro> m_intro;
  bool m_panel_taken = false;  // the panel shows this game's exit button
  bool m_running = false;      // started and not finished
};
