#include "Sources/shell/cScreenState.h"

#include "gui/include/GameStateWindow.h"

cScreenState::cScreenState(const StateOwner& owner, GameStateWindow* window) : cGameState(owner) {
  SetWindow(window);
}

void cScreenState::SetWindow(GameStateWindow* window) {
  m_window = window;
  if (m_window != nullptr) m_window->Show(false);
}

void cScreenState::Update(float dt) {
  cGameState::Update(dt);
  // The field stays set; the window's next appear clears it.
  if (m_window != nullptr && m_window->GetNextState() != nullptr) GetOwner().SwitchTo(m_window->GetNextState());
}

void cScreenState::Enter() {
  if (m_window != nullptr) m_window->Show();
}

void cScreenState::Leave() {
  if (m_window != nullptr) m_window->Hide();
}
