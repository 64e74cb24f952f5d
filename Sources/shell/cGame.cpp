#include "Sources/shell/cGame.h"

#include "Sources/shell/cGameState.h"

void cGame::Update(float dt) {
  if (m_pause_pending) {
    // With no state the mark is still cleared: a pause is not carried over to a later state.
    if (m_state != nullptr) m_state->SetPaused(m_pending_pause);
    m_pause_pending = false;
  }
  if (m_state != nullptr && !m_state->IsPaused()) m_state->Update(dt);
}

void cGame::ChangeState(cGameState* state) {
  if (state == m_state) return;
  if (m_state != nullptr) m_state->Leave();
  m_state = state;
  if (m_state != nullptr) m_state->Enter();
}

void cGame::SetPaused(bool paused) {
  m_pause_pending = true;
  m_pending_pause = paused;
}
