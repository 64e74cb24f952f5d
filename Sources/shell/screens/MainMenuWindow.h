#pragma once
// The main menu as the game shows it: the menu, blinking eyes (shown 0.3 s every 5 to 9 s), and
// the credits behind a hover sequence: start game, options, exit, three laps in a row (a wrong
// target or any key starts over).

#include <vector>

#include "Sources/shell/screens/MainMenu.h"

class ComicsWindow;

class MainMenuWindow : public MainMenu {
 public:
  explicit MainMenuWindow(cGameState* owning_state);
  ~MainMenuWindow() override;

  bool Update() override;

  // One hover step with the target under the cursor (1-based; 0: none).
  void HoverTarget(int hovered);
  int GetLaps() const { return m_laps; }
  int GetStep() const { return m_step; }
  ComicsWindow* GetCredits() const { return m_credits; }
  float GetBlinkTimer() const { return m_blink_timer; }

  static constexpr int kLapsForCredits = 3;

 private:
  void UpdateEyes(float dt);
  int FindHoveredTarget() const;
  void ResetLaps();

  float m_blink_timer = 0.0f;
  GUIWindow* m_eyes = nullptr;
  ComicsWindow* m_credits = nullptr;  // a child while open: the tree owns it
  std::vector<GUIWindow*> m_targets;
  int m_laps = 0;
  int m_step = 0;
  int m_last_hovered = 0;
};
