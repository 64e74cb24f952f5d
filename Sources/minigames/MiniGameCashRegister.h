#pragma once
// The cash register: ten digit keys (and a few that only click) and a display of five cells, each
// showing a symbol as a frame of its shader. Keying in the right sum locks the keys for a second,
// then the game is won. A sixth digit shows "error" and starts again from 0. It cannot be skipped.

#include <cstdint>
#include <string>
#include <vector>

#include "Sources/minigames/MiniGame.h"

class MiniGameCashRegister : public MiniGame {
 public:
  static constexpr int32_t kTarget = 2739;
  static constexpr int kDisplayCells = 5;
  // Seconds the keys stay locked once the sum is right.
  static constexpr float kLockTime = 1.0f;
  // The frame every cell shows before the first Start.
  static constexpr float kIdleFrame = 3.0f;

  explicit MiniGameCashRegister(GUIWindow* parent);

  void Start() override;
  // Counts the lock down; when it has run out with the right sum, the game is won.
  bool IsWorkingFinished(float dt) override;

  // The frame of the symbol: digits 0 to 9, then "e", "r" and "o"; anything else 0.
  static float SymbolFrame(char symbol);

  int32_t GetValue() const { return m_value; }
  float GetLockTime() const { return m_lock_time; }

 private:
  DelegateArg OnDigit(DelegateArg sender);
  // The last five characters of the text, right-aligned; empty shows "0".
  void ShowText(const std::string& text);

  std::vector<GUIWindow*> m_digits;   // by digit
  std::vector<GUIWindow*> m_display;  // cell 0 is the rightmost
  int32_t m_value = 0;
  float m_lock_time = 0.0f;
};
