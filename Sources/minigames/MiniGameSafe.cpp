#include "Sources/minigames/MiniGameSafe.h"

#include <string>

#include "Sources/minigames/MiniGamePieces.h"

namespace {

// The display's green digits tinted red.
const Vector4 kWrongTint(1.0f, 0.25f, 0.2f, 1.0f);

}  // namespace

MiniGameSafe::MiniGameSafe(GUIWindow* parent) : MiniGame("safe", parent) {
  LoadForm("minigames\\location_4\\safe");
  m_digits = FindNumberedPieces(*this, "safe_", 10);
  for (GUIWindow* key : m_digits) {
    if (key == nullptr) continue;
    key->SetValue("click_sound", "");
    key->SetEvent("on_click", MakeMemberDelegate(this, &MiniGameSafe::OnDigit));
  }
  if (GUIWindow* enter = FindPiece(*this, "safe_enter")) {
    enter->SetEvent("on_click", MakeMemberDelegate(this, &MiniGameSafe::OnEnter));
  }
  if (GUIWindow* clear = FindPiece(*this, "safe_c")) {
    clear->SetEvent("on_click", MakeMemberDelegate(this, &MiniGameSafe::OnClear));
  }
  m_display = FindNumberedPieces(*this, "safe_display_", kDisplayCells);
}

void MiniGameSafe::Start() {
  m_number = 0;
  ShowWrongCode(false);
  RefreshDisplay();
  MiniGame::Start();
  ReleasePanel();
}

DelegateArg MiniGameSafe::OnDigit(DelegateArg sender) {
  const int digit = PieceIndex(m_digits, reinterpret_cast<GUIWindow*>(sender));
  // Six digits fill the display; more are refused, not shifted in.
  if (digit >= 0 && std::to_string(m_number).size() < kDisplayCells) m_number = m_number * 10 + digit;
  ShowWrongCode(false);
  RefreshDisplay();
  return 0;
}

DelegateArg MiniGameSafe::OnEnter(DelegateArg) {
  // A wrong number stays typed; the display says it was refused.
  if (m_number == kCombination) {
    Finish("win");
  } else {
    ShowWrongCode(true);
  }
  return 0;
}

DelegateArg MiniGameSafe::OnClear(DelegateArg) {
  m_number = 0;
  ShowWrongCode(false);
  RefreshDisplay();
  return 0;
}

void MiniGameSafe::RefreshDisplay() {
  const std::string text = std::to_string(m_number);
  for (int cell = 0; cell < kDisplayCells; ++cell) {
    const int at = static_cast<int>(text.size()) - 1 - cell;
    if (m_display[cell] != nullptr) m_display[cell]->SetValue("text", at >= 0 ? text.substr(at, 1) : std::string());
  }
}

void MiniGameSafe::ShowWrongCode(bool wrong) {
  m_wrong = wrong;
  for (GUIWindow* cell : m_display) {
    if (cell != nullptr) cell->SetColor(wrong ? kWrongTint : Vector4(1.0f, 1.0f, 1.0f, 1.0f));
  }
}
