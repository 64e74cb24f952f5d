#pragma once
// The safe: ten digit keys, enter, clear and a six-cell display. The right combination and enter
// open it ("win"); a wrong one turns the display red until the next key. It cannot be skipped.

#include <cstdint>
#include <vector>

#include "Sources/minigames/MiniGame.h"

class MiniGameSafe : public MiniGame {
 public:
  static constexpr int32_t kCombination = 8164;
  static constexpr int kDisplayCells = 6;

  explicit MiniGameSafe(GUIWindow* parent);

  void Start() override;

  int32_t GetNumber() const { return m_number; }
  // The display shows that enter refused the number typed.
  bool ShowsWrongCode() const { return m_wrong; }

 private:
  DelegateArg OnDigit(DelegateArg sender);
  DelegateArg OnEnter(DelegateArg sender);
  DelegateArg OnClear(DelegateArg sender);
  void RefreshDisplay();
  void ShowWrongCode(bool wrong);

  std::vector<GUIWindow*> m_digits;   // by digit; null where the form lacks the key
  std::vector<GUIWindow*> m_display;  // cell 0 shows the rightmost digit
  int32_t m_number = 0;
  bool m_wrong = false;
};
