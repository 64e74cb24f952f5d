// The panel's two maps: the small map the "map" button opens on the current place (and the hint
// search is chosen on), and the big map that shows the travel from one stage to the next.

#include "Sources/adventure/DiaryWindow.h"
#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/GameMap.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/shell/userdata/PlayerProfile.h"

namespace {

bool OwnsMap() { return CurrentProfile != nullptr && CurrentProfile->m_progress.m_has_map != 0; }

}  // namespace

void GamePanel::MakeMaps() {
  m_big_map = new GameMap(std::string(), false);
  m_small_map = new GameMap(GameMap::kSmallForm, false);
}

void GamePanel::SetFlowController(GameFlowController* flow) {
  m_flow = flow;
  if (m_big_map != nullptr) m_big_map->SetFlowController(flow);
}

void GamePanel::HideMaps() {
  for (GameMap* map : {m_small_map, m_big_map}) {
    if (map != nullptr) map->HideNow();
  }
}

bool GamePanel::PrepareMapTravel(int from, int to) {
  if (m_big_map == nullptr || !OwnsMap() || !m_big_map->PrepareTravel(from, to)) return false;
  m_big_map->Show();
  m_big_map->SetEnabled(false);
  HideDiaryForMap();
  return true;
}

void GamePanel::StartMapTravel() {
  if (m_big_map == nullptr) return;
  m_big_map->SetEnabled(true);
  m_big_map->Activate();
}

bool GamePanel::IsMapTravelDone() const { return m_big_map == nullptr || !m_big_map->IsTravelling(); }

bool GamePanel::IsSmallMapShown() const { return m_small_map != nullptr && m_small_map->IsVisible(); }

bool GamePanel::IsAnyBookOpen() const {
  return (m_big_map != nullptr && m_big_map->IsVisible()) || IsSmallMapShown() || IsDiaryShown();
}

DelegateArg GamePanel::OpenSmallMap(DelegateArg) {
  if (m_small_map == nullptr) return 0;
  const int location = m_flow != nullptr ? m_flow->GetCurrentLocationIndex() : -1;
  m_small_map->SetCurrentLocation(location);  // a place off the map: it opens on the last place shown
  m_small_map->Show();
  m_small_map->Activate();
  HideDiaryForMap();
  return 0;
}

// The diary and the maps share the screen: a map shown puts the diary away.
void GamePanel::HideDiaryForMap() {
  if (m_diary != nullptr && m_diary->IsVisible()) m_diary->Close();
}

bool GamePanel::IsDiaryShown() const { return m_diary != nullptr && m_diary->IsVisible(); }
