#include "Sources/shell/cGameState.h"

#include "Sources/shell/StateSwitch.h"
#include "Sources/shell/cGame.h"

void StateOwner::SwitchTo(cGameState* state) const {
  if (m_game != nullptr) {
    m_game->ChangeState(state);
  } else if (m_parent != nullptr) {
    m_parent->ChangeSubState(state);
  }
}

void cGameState::Update(float dt) {
  if (m_sub_state != nullptr) m_sub_state->Update(dt);
}

void cGameState::ChangeSubState(cGameState* state) {
  RunStateSwitch(StateSwitch{m_switching, m_has_pending, m_pending}, state, [this](cGameState* next) {
    if (next == m_sub_state) return;
    if (m_sub_state != nullptr) m_sub_state->Leave();
    if (next == this) {
      m_sub_state = nullptr;  // closed back to this state, which never left
      return;
    }
    m_sub_state = next;
    if (m_sub_state != nullptr) m_sub_state->Enter();
  });
}
