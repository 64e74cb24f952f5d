#include "Sources/minigames/MiniGameNotebook.h"

#include <algorithm>

#include "Sources/minigames/MiniGamePieces.h"

MiniGameNotebook::MiniGameNotebook(GUIWindow* parent) : MiniGame("notebook_chief", parent) {
  LoadForm("minigames\\location_12\\notebook_chief\\notebook_chief");
  if (GUIWindow* text = FindPiece(*this, "text_0")) text->SetValue("text_id", "notebook_chief");
  m_ink = FindPiece(*this, "inking");
  if (m_ink != nullptr) m_ink->SetColor(m_ink_color);
}

void MiniGameNotebook::Start() {
  MiniGame::Start();
  m_ink_delay = kInkDelay;
  ReleasePanel();
}

bool MiniGameNotebook::IsWorkingFinished(float dt) {
  m_ink_delay -= dt;
  if (m_ink_delay < 1.0f) m_ink_color.w = std::clamp(m_ink_color.w + dt, 0.0f, 1.0f);
  if (m_ink != nullptr) m_ink->SetColor(m_ink_color);
  return MiniGame::IsWorkingFinished(dt);
}

void MiniGameNotebook::Finish(const std::string& word) {
  MiniGame::Finish(m_ink_color.w == 1.0f ? word : std::string());
}
