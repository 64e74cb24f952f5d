#pragma once
// The telephone: ten dial keys and a field that shows the number dialled. Dialling the right
// number wins at once; an eighth digit starts the number again without clearing the field. It
// cannot be skipped.

#include <cstdint>
#include <vector>

#include "Sources/minigames/MiniGame.h"

class MiniGamePhone : public MiniGame {
 public:
  static constexpr int32_t kNumber = 6042817;
  static constexpr int kMaxDigits = 7;

  explicit MiniGamePhone(GUIWindow* parent);

  void Start() override;

  int32_t GetNumber() const { return m_number; }

 private:
  DelegateArg OnDial(DelegateArg sender);

  std::vector<GUIWindow*> m_keys;  // by digit
  GUIWindow* m_field = nullptr;
  int32_t m_number = 0;
};
