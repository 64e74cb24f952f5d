// The panel's side of the get-hint search: its start and end, the scenes made for the small
// map's offer, the exit question and the penalty for wild clicking.

#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/GetHintGame.h"
#include "source/sound/cSoundPlayer.h"

DelegateArg GamePanel::OnGetHintClick(DelegateArg) { return 0; }

void GamePanel::EnterSearchMode() {}

GetHintGame* GamePanel::CreateSearchWindow(const std::string&) { return nullptr; }

DelegateArg GamePanel::OnReduceTimer(DelegateArg) {
  if (m_penalty < 0.0f) m_penalty = 0.0f;
  m_penalty += 3.0f;
  cSoundPlayer* player = cSoundPlayer::GetInstance();
  if (m_less_time_sound && !player->IsPlaying(m_less_time_sound)) player->Play(m_less_time_sound, true);
  return 0;
}

DelegateArg GamePanel::OnSearchExit(DelegateArg) { return 0; }

void GamePanel::CloseSearch(GetHintGame*) {}

DelegateArg GamePanel::OnSearchWindowClosed(DelegateArg) { return 0; }

bool GamePanel::ClaimSearchReward() {
  if (m_search_finished) return false;
  m_search_finished = true;
  return true;
}

bool GamePanel::IsSearchRunning() const { return false; }

void GamePanel::ShowFoundItemAnimation(GUIWindow*, const Vector3&) {}

void GamePanel::UpdateSearch(float) {}

void GamePanel::DeleteRetiredSearchWindows() {}
