// The small map's side of the hint search: it offers two or three places, each with a search
// window made by the panel, lets the player pick one and come back, and pays the reward when
// every item of the search has been found.

#include <algorithm>
#include <array>
#include <initializer_list>

#include "Sources/adventure/GameMap.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/GetHintGame.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWidgetSupport.h"
#include "gui/include/GUIWindowManager.h"
#include "source/log/cLog.h"
#include "source/math/Rand.h"
#include "source/properties/NumberText.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"

namespace {

constexpr const char* kSource = "Sources\\adventure\\GameMapSearch";

// Locations (1-based) that share a place on the map: one of a group is offered at a time.
const std::array<std::initializer_list<int>, 4> kGroups = {{{1, 9}, {2, 10, 11}, {6, 12, 15}, {7, 8}}};

const std::initializer_list<int>* GroupOf(int location_number) {
  for (const auto& group : kGroups) {
    if (std::find(group.begin(), group.end(), location_number) != group.end()) return &group;
  }
  return nullptr;
}

// The location numbers offered for a search from location `current` (0-based), in the order drawn.
std::vector<int> DrawOffers(int current) {
  std::vector<int> candidates;
  for (int number = 1; number <= current + 1; ++number) candidates.push_back(number);
  const size_t offers = candidates.size() < 5 ? 2 : 3;
  std::vector<int> drawn;
  while (drawn.size() < offers && !candidates.empty()) {
    const size_t r = Rand() % candidates.size();
    const int number = candidates[r];
    candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(r));
    drawn.push_back(number);
    if (const auto* group = GroupOf(number)) {
      std::erase_if(candidates, [group](int c) { return std::find(group->begin(), group->end(), c) != group->end(); });
    }
  }
  return drawn;
}

// The game panel's search side; a map made without a panel offers nothing.
class PanelSearchHost : public MapSearchHost {
 public:
  GetHintGame* CreateSearchWindow(const std::string& scene) override {
    return Panel() != nullptr ? Panel()->CreateSearchWindow(scene) : nullptr;
  }
  void CloseSearch(GetHintGame* window) override {
    if (Panel() != nullptr) Panel()->CloseSearch(window);
  }
  std::string ItemsCountOf(GetHintGame* window) const override { return window->GetValue("items_count"); }
  std::string FullCountOf(GetHintGame* window) const override { return std::to_string(window->GetTargetCount()); }
  bool IsSearchVisible(GetHintGame* window) const override { return window->IsVisible(); }
  int GetItemsToFind() const override { return Panel() != nullptr ? Panel()->GetItemsToFind() : 0; }
  bool IsRewardBlinking() const override { return Panel() != nullptr && Panel()->IsRewardBlinking(); }
  float GetCountdown() const override { return Panel() != nullptr ? Panel()->GetCountdown() : 0.0f; }
  void SetSearchFinished(bool finished) override {
    if (Panel() != nullptr) Panel()->SetSearchFinished(finished);
  }

 private:
  static GamePanel* Panel() { return GamePanel::PeekInstance(); }
};

PanelSearchHost g_panel_search_host;

}  // namespace

MapSearchHost& GameMap::SearchHost() const { return m_search_host != nullptr ? *m_search_host : g_panel_search_host; }

void GameMap::FindHintButtons() {
  for (int i = 1; i <= kLocations; ++i) {
    GUIWindow* button = FindChild("get_hint_location_" + std::to_string(i));
    GUIWindow* text = FindChild("get_hint_text_" + std::to_string(i));
    m_hint_buttons.push_back(button);
    m_hint_texts.push_back(text);
    if (button == nullptr) continue;
    button->SetEvent("on_click", MakeMemberDelegate(this, &GameMap::OnHintLocationClick));
    button->Show(false);
    if (RenderObject* model = button->GetVisual().GetModel()) {
      if (model->GetAnimation().SetAnimation("moving")) model->GetAnimation().Play();
    }
  }
}

void GameMap::EndSearchWithoutOffers() {
  HideNow();
  m_search_windows.clear();
  m_search_choice = false;
  SearchHost().CloseSearch(nullptr);
}

void GameMap::RequestLocationHint(int location) {
  if (!IsLocation(location)) {
    LogReport(kLogWarning, kSource, __LINE__, "no search offered from location %d: not on the map", location);
    EndSearchWithoutOffers();
    return;
  }
  const std::vector<int> drawn = DrawOffers(location);
  for (const std::vector<GUIWindow*>* list : {&m_places, &m_arrows}) {
    for (GUIWindow* window : *list) {
      if (window != nullptr) window->Show(false);
    }
  }
  m_search_windows.clear();
  for (int number : drawn) {
    const int offered = number - 1;
    const int variant = static_cast<int>(Rand() % 3) + 1;
    const std::string folder = "location_" + std::to_string(number);
    GetHintGame* window =
        SearchHost().CreateSearchWindow("get_hint\\" + folder + "\\" + folder + "_" + std::to_string(variant));
    if (window == nullptr) continue;  // a search that cannot be made is not offered
    m_search_windows[offered] = window;
    for (GUIWindow* shown : {m_hint_texts[offered], m_hint_buttons[offered], m_places[PlaceOfLocation(offered) - 1]}) {
      if (shown != nullptr) shown->Show(true);
    }
  }
  if (m_search_windows.empty()) {
    LogReport(kLogError, kSource, __LINE__, "no search could be offered from location %d", location);
    EndSearchWithoutOffers();
    return;
  }
  m_chosen_search = nullptr;
  m_search_choice = true;
  m_reward_paid = false;
  ShowChild("items_remained", true);
  ShowChild("items_remained_number", true);
  m_remaining_searches = static_cast<int>(m_search_windows.size());
  m_fail_sound.Assign("audio\\game\\fail01");
}

DelegateArg GameMap::OnHintLocationClick(DelegateArg sender) {
  auto* button = reinterpret_cast<GUIWindow*>(sender);
  const auto at = std::find(m_hint_buttons.begin(), m_hint_buttons.end(), button);
  const auto offered = at != m_hint_buttons.end() ? m_search_windows.find(static_cast<int>(at - m_hint_buttons.begin()))
                                                  : m_search_windows.end();
  // A press that names no offered search would end the whole search: it is not taken.
  if (button == nullptr || offered == m_search_windows.end()) return 0;
  m_chosen_search = offered->second;
  SearchHost().CloseSearch(m_chosen_search);
  if (GUIWindowManager* windows = GUIWindowManager::PeekInstance()) {
    if (GUIWindow* logic = windows->GetWindow("game_logic")) logic->MoveToFront(true);
  }
  HideNow();
  return 0;
}

bool GameMap::RefreshHintSearch() {
  if (m_search_windows.empty()) return false;  // no offer, no reward
  MapSearchHost& host = SearchHost();
  const int to_find = host.GetItemsToFind();
  m_remaining_searches = static_cast<int>(m_search_windows.size());
  int total = 0;
  bool shown = false;
  for (const auto& [location, window] : m_search_windows) {
    const std::string count = host.ItemsCountOf(window);
    total += ParseDecimalInt(count);
    if (m_hint_texts[location] != nullptr) m_hint_texts[location]->SetValue("text", count);
    if (host.IsSearchVisible(window) && to_find != 0) shown = true;
    if (to_find == 0) {
      --m_remaining_searches;
      for (GUIWindow* mark : {m_hint_buttons[location], m_hint_texts[location]}) {
        if (mark != nullptr) mark->Show(false);
      }
    }
  }
  // The player is told what is left on the lists offered: the search may ask for more finds than
  // the scenes hold, and a number that can never reach nought reads as a fault.
  if (GUIWindow* number = FindChild("items_remained_number")) number->SetValue("text", FormatInt(std::min(to_find, total)));
  if (!shown) m_chosen_search = nullptr;
  if (total != 0 && to_find > 0) return false;
  if (!m_reward_paid && CurrentProfile != nullptr) {
    int32_t& hints = CurrentProfile->m_progress.m_hints;
    hints = std::min(hints + 1, GamePanel::kMaxHints);
    if (host.IsRewardBlinking()) hints = std::min(hints + 1, GamePanel::kMaxHints);
    if (m_reward_sound) {
      if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) player->Play(m_reward_sound, false);
    }
  }
  m_reward_paid = true;
  m_fail_sound.Reset();
  host.SetSearchFinished(true);
  return true;
}

bool GameMap::IsAnySearchStarted() const {
  for (const auto& [location, window] : m_search_windows) {
    // A scene with fewer things than eight would otherwise count as started from the first.
    if (SearchHost().ItemsCountOf(window) != SearchHost().FullCountOf(window)) return true;
  }
  return false;
}

void GameMap::PlayFailSound() {
  if (!m_fail_sound) return;
  if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) player->Play(m_fail_sound, false);
}

bool GameMap::StepSearchChoice() {
  if (IsVisible() && RefreshHintSearch()) return true;
  if (SearchHost().GetCountdown() <= 0.0f) {
    Hide();
    return true;
  }
  return false;
}

void GameMap::HandleSearchChoiceMouse() {
  if (!IsLeftButtonFreshPress() || m_chosen_search == nullptr) return;
  const GUISystem* gui = GUISystem::PeekInstance();
  GUIWindow* back = FindChild("map_back");
  RenderObject* model = back != nullptr ? back->GetVisual().GetModel() : nullptr;
  if (gui != nullptr && model != nullptr && model->PickByRay(gui->GetRayOrigin(), gui->GetRayDirection())) return;
  HideNow();
}
