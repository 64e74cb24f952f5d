#include "Sources/minigames/MiniGameCashRegister.h"

#include "Sources/minigames/MiniGamePieces.h"

namespace {

constexpr const char* kKeySound = "audio\\game\\button01";

}  // namespace

MiniGameCashRegister::MiniGameCashRegister(GUIWindow* parent) : MiniGame("cashregister", parent) {
  LoadForm("minigames\\location_5\\cash_register\\cash_register");
  m_digits = FindNumberedPieces(*this, "", 10);
  for (GUIWindow* key : m_digits) {
    if (key == nullptr) continue;
    key->SetValue("click_sound", kKeySound);
    key->SetEvent("on_click", MakeMemberDelegate(this, &MiniGameCashRegister::OnDigit));
  }
  // These keys only click.
  for (const char* name : {"plus", "number", "multiply", "divide", "minus"}) {
    if (GUIWindow* key = FindPiece(*this, name)) key->SetValue("click_sound", kKeySound);
  }
  m_display = FindNumberedPieces(*this, "number_", kDisplayCells);
  for (GUIWindow* cell : m_display) SetPieceFrame(cell, kIdleFrame);
}

float MiniGameCashRegister::SymbolFrame(char symbol) {
  if (symbol >= '0' && symbol <= '9') return static_cast<float>(symbol - '0');
  switch (symbol) {
    case 'e': return 10.0f;
    case 'r': return 11.0f;
    case 'o': return 12.0f;
    default: return 0.0f;
  }
}

void MiniGameCashRegister::ShowText(const std::string& shown) {
  std::string text = shown.empty() ? std::string("0") : shown;
  if (text.size() > kDisplayCells) text = text.substr(text.size() - kDisplayCells);
  for (int cell = 0; cell < kDisplayCells; ++cell) {
    const int at = static_cast<int>(text.size()) - 1 - cell;
    SetPieceFrame(m_display[cell], at >= 0 ? SymbolFrame(text[at]) : 0.0f);
  }
}

void MiniGameCashRegister::Start() {
  m_value = 0;
  ShowText("");
  m_lock_time = 0.0f;
  MiniGame::Start();
  ReleasePanel();
}

DelegateArg MiniGameCashRegister::OnDigit(DelegateArg sender) {
  if (m_lock_time >= 0.0f) return 0;
  const int digit = PieceIndex(m_digits, reinterpret_cast<GUIWindow*>(sender));
  if (digit < 0) return 0;
  if (std::to_string(m_value).size() >= kDisplayCells) {
    ShowText("error");
    m_value = 0;
    return 0;
  }
  m_value = m_value * 10 + digit;
  if (m_value == kTarget) m_lock_time = kLockTime;
  ShowText(std::to_string(m_value));
  return 0;
}

bool MiniGameCashRegister::IsWorkingFinished(float dt) {
  m_lock_time -= dt;
  if (m_lock_time > 0.0f) return false;
  if (m_value == kTarget) Finish("win");
  return MiniGame::IsWorkingFinished(dt);
}
