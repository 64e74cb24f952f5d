#include "Sources/minigames/MiniGamePhone.h"

#include <string>

#include "Sources/minigames/MiniGamePieces.h"

MiniGamePhone::MiniGamePhone(GUIWindow* parent) : MiniGame("phone", parent) {
  LoadForm("minigames\\location_2\\phone");
  m_keys = FindNumberedPieces(*this, "", 10);
  for (GUIWindow* key : m_keys) {
    if (key == nullptr) continue;
    key->SetValue("click_sound", "audio\\game\\button01");
    key->SetEvent("on_click", MakeMemberDelegate(this, &MiniGamePhone::OnDial));
  }
  m_field = FindPiece(*this, "input_field");
}

void MiniGamePhone::Start() {
  m_number = 0;
  if (m_field != nullptr) m_field->SetValue("text", "0");
  MiniGame::Start();
  ReleasePanel();
}

DelegateArg MiniGamePhone::OnDial(DelegateArg sender) {
  const int digit = PieceIndex(m_keys, reinterpret_cast<GUIWindow*>(sender));
  if (digit < 0) return 0;
  if (std::to_string(m_number).size() >= kMaxDigits) {
    m_number = 0;  // the field keeps its text; the next digit shows alone
    return 0;
  }
  m_number = m_number * 10 + digit;
  if (m_field != nullptr) m_field->SetValue("text", std::to_string(m_number));
  if (m_number == kNumber) Finish("win");
  return 0;
}
