#include "Sources/shell/cGameState.h"

void cGameState::Update(float dt) {
  if (m_sub_state != nullptr) m_sub_state->Update(dt);
}

void cGameState::ChangeSubState(cGameState* state) {
  if (state == m_sub_state) return;
  if (m_sub_state != nullptr) m_sub_state->Leave();
  if (state == this) {
    m_sub_state = nullptr;
    return;
  }
  m_sub_state = state;
  if (m_sub_state != nullptr) m_sub_state->Enter();
}
