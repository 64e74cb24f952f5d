// The panel's side of the get-hint search: its start and end, the scenes made for the small
// map's offer, the exit question, the penalty for wild clicking and the search block of the
// panel's frame.

#include <algorithm>

#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/GameMap.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/GetHintGame.h"
#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/Location.h"
#include "Sources/adventure/StageList.h"
#include "Sources/shell/ApplicationFrame.h"
#include "Sources/shell/screens/MessageBoxes.h"
#include "Sources/shell/screens/ScreenSupport.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUIStateWindow.h"
#include "source/log/cLog.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"

namespace {

constexpr const char* kSource = "Sources\\adventure\\GamePanelSearch";
constexpr float kReminderSeconds = 60.0f;
constexpr float kPenaltySeconds = 3.0f;
constexpr int kLastShortStage = 3;  // locations after it ask for more finds
constexpr int kShortSearchFinds = 13;
constexpr int kLongSearchFinds = 21;
constexpr int kReminderTip = 2;
constexpr int kExitTip = 4;

// ---- the small map, as the search sees it -----------------------------------------------------
bool MapInChoiceMode(const GamePanel& panel) {
  return panel.GetSmallMap() != nullptr && panel.GetSmallMap()->IsSearchChoiceMode();
}
bool MapShown(const GamePanel& panel) { return panel.IsSmallMapShown(); }
void MapOffer(GamePanel& panel, int location) {
  GameMap* map = panel.GetSmallMap();
  if (map == nullptr) return;
  map->Show();
  map->Activate();
  map->RequestLocationHint(location);
}
void MapPlayFail(GamePanel& panel) {
  if (GameMap* map = panel.GetSmallMap()) map->PlayFailSound();
}
// The map's Hide ends its choice and so the search (CloseSearch with none).
void MapClose(GamePanel& panel) {
  if (GameMap* map = panel.GetSmallMap()) {
    map->Hide();
  } else {
    panel.CloseSearch(nullptr);
  }
}
void MapOpen(GamePanel& panel) {
  if (GameMap* map = panel.GetSmallMap()) map->Open();
}
int MapRemainingSearches(const GamePanel& panel) {
  return panel.GetSmallMap() != nullptr ? panel.GetSmallMap()->GetRemainingSearchCount() : 0;
}
bool MapAnySearchStarted(const GamePanel& panel) {
  return panel.GetSmallMap() != nullptr && panel.GetSmallMap()->IsAnySearchStarted();
}

}  // namespace

bool GamePanel::IsSearchRunning() const { return MapInChoiceMode(*this); }

DelegateArg GamePanel::OnGetHintClick(DelegateArg) {
  if (IsItemFlying() || IsSearchRunning() || m_flow == nullptr) return 0;
  PlaySound(m_click_sound);
  m_inventory_shown = false;
  m_search_finished = false;
  m_flow->StartHintSearch();
  m_penalty = 0.0f;
  m_search_start = true;
  m_reminder = kReminderSeconds;
  return 0;
}

void GamePanel::EnterSearchMode() {
  // Scenes of an earlier search that no frame has deleted yet go now, before new ones are made.
  DeleteRetiredSearchWindows();
  if (ApplicationFrame* application = ApplicationFrame::GetCurrent()) {
    application->SetDeactivateHandler(MakeMemberDelegate(this, &GamePanel::OnDeactivate));
  }
  for (GUIWindow* icon : m_hint_icons) {
    if (icon != nullptr) icon->SetEnabled(false);
  }
  StartSearchCountdown();
  LayoutInventory(false);
  const Location* location = m_flow != nullptr ? m_flow->GetLocation() : nullptr;
  // A place whose name gives no location number is on no map: the map offers nothing and the
  // search ends at once.
  const int index = location != nullptr ? StageIndexOf(location->GetName()) : -1;
  m_items_to_find = index > kLastShortStage ? kLongSearchFinds : kShortSearchFinds;
  MapOffer(*this, index);
  // A map that could offer nothing has ended the search already.
  if (!IsSearchRunning()) return;
  SetButtonMode("CANCEL_I_SPY", true, MakeMemberDelegate(this, &GamePanel::OnSearchExit), 1);
  if (GUIWindow* back = Child("map_true")) back->SetEvent("on_click", MakeMemberDelegate(this, &GamePanel::OnSearchWindowClosed));
}

GetHintGame* GamePanel::CreateSearchWindow(const std::string& scene) {
  if (m_form == nullptr) return nullptr;
  auto* window = new GetHintGame(scene, m_form);
  window->SetEvent("on_reduce_timer", MakeMemberDelegate(this, &GamePanel::OnReduceTimer));
  m_search_windows.push_back(window);
  return window;
}

DelegateArg GamePanel::OnReduceTimer(DelegateArg) {
  if (m_penalty < 0.0f) m_penalty = 0.0f;
  m_penalty += kPenaltySeconds;
  cSoundPlayer* player = cSoundPlayer::GetInstance();
  if (m_less_time_sound && !player->IsPlaying(m_less_time_sound)) player->Play(m_less_time_sound, true);
  return 0;
}

DelegateArg GamePanel::OnSearchExit(DelegateArg sender) {
  // A scene that ends after the search has ended (or a second "yes") finds nothing to close.
  if (!IsSearchRunning()) return 0;
  GUIWindow* exit_button = Child("get_hint_exit_true");
  if (sender != 0 && sender == reinterpret_cast<DelegateArg>(exit_button)) {
    ShowYesNoBox(ShellText("ispy_exit"), ShellText("ispy_exit_title"), MakeMemberDelegate(this, &GamePanel::OnSearchExit),
                 DelegatePtr());
    return 0;
  }
  if (m_less_time_sound) cSoundPlayer::GetInstance()->Stop(m_less_time_sound);
  if (sender == 0) MapPlayFail(*this);
  MapClose(*this);
  return 0;
}

void GamePanel::AbandonSearch() {
  if (!IsSearchRunning()) return;
  if (m_less_time_sound) cSoundPlayer::GetInstance()->Stop(m_less_time_sound);
  MapClose(*this);
}

void GamePanel::CloseSearch(GetHintGame* window) {
  if (window == nullptr) {
    EndSearch();
    return;
  }
  if (window == m_search_window) return;
  if (std::find(m_search_windows.begin(), m_search_windows.end(), window) == m_search_windows.end()) {
    LogReport(kLogWarning, kSource, __LINE__, "a search scene this panel did not make was offered; ignored");
    return;
  }
  LayoutInventory(false);
  window->MoveToFront(false);
  if (m_search_window != nullptr) {
    m_search_window->SetState(GUIStateWindow::kDisappear);
    m_search_window->SetBackgroundFade(false);
    m_search_window->MoveToFront(false);
  }
  m_search_window = window;
  window->Show();
  window->SetEvent("on_close", MakeMemberDelegate(this, &GamePanel::OnSearchWindowClosed));
}

void GamePanel::EndSearch() {
  HideSearchTip();
  m_search_window = nullptr;
  SetButtonMode("CANCEL_I_SPY", false, MakeMemberDelegate(this, &GamePanel::OnSearchExit), 1);
  LayoutInventory(true);
  m_busy = false;
  for (int i = 0; i < kHintIcons; ++i) {
    if (m_hint_icons[i] != nullptr) m_hint_icons[i]->SetEnabled(true);
    if (m_hint_strokes[i] != nullptr) m_hint_strokes[i]->Show(false);
  }
  for (int i = 0;; ++i) {
    GUIWindow* slot = m_form != nullptr ? m_form->FindChild("get_hint_item_0" + std::to_string(i)) : nullptr;
    if (slot == nullptr) break;
    slot->Show(false);
  }
  SyncHintIcons();
  if (ApplicationFrame* application = ApplicationFrame::GetCurrent()) {
    const DelegatePtr& handler = application->GetDeactivateHandler();
    if (handler && handler->GetObject() == this) application->SetDeactivateHandler(DelegatePtr());
  }
  // The warning and the penalty end with the search, however it ended.
  if (m_less_time_sound) cSoundPlayer::GetInstance()->Stop(m_less_time_sound);
  m_penalty = 0.0f;
  // The scenes may be inside their own callbacks: they are hidden now and deleted by the next frame.
  for (GetHintGame* scene : m_search_windows) scene->Hide();
  m_retire_search_windows = !m_search_windows.empty();
}

void GamePanel::DeleteRetiredSearchWindows() {
  if (!m_retire_search_windows) return;
  m_retire_search_windows = false;
  std::vector<GetHintGame*> scenes;
  scenes.swap(m_search_windows);
  for (GetHintGame* scene : scenes) delete scene;
}

DelegateArg GamePanel::OnSearchWindowClosed(DelegateArg) {
  HideSearchTip();
  m_search_start = true;
  MapOpen(*this);
  return 0;
}

void GamePanel::ShowFoundItemAnimation(GUIWindow* window, const Vector3& point) {
  if (window == nullptr) return;
  if (RenderObject* model = window->GetVisual().GetModel()) {
    // A picture without the animation has nothing to play: it would otherwise stay "playing"
    // and so stand on the screen after the search.
    AnimationController& animation = model->GetAnimation();
    if (animation.SetAnimation("anim")) {
      animation.SetTime(0.0f);
      animation.Play();
    } else {
      animation.SetPlaying(false);
    }
  }
  window->Show(true);
  window->SetMatrix(Matrix4::MakeTranslation(point.x, point.y, point.z));
  window->UpdateWorldMatrix();
}

void GamePanel::UpdateSearch(float dt) {
  if (IsHelpShown() || !IsSearchRunning() || IsGameMenuOpen() || m_countdown <= 0.0f) return;
  ProfileProgress* progress = CurrentProfile != nullptr ? &CurrentProfile->m_progress : nullptr;
  const bool map_shown = MapShown(*this);
  if (!map_shown && m_reminder < 0.0f) {
    m_reminder = kReminderSeconds;
    if (MapRemainingSearches(*this) > 1) {
      ShowHelp(true, "ispy4_ispy1");
      if (progress != nullptr) progress->m_tips[kReminderTip] = 0;
    }
  }
  const HintWindow* hints = HintWindow::PeekInstance();
  if (!IsHelpShown() && map_shown && (hints == nullptr || hints->GetSequence() == nullptr)) {
    if (m_search_start) {
      ShowLocationPhrase(MapAnySearchStarted(*this) ? "ispy_hint1" : "ispy_hint");
      m_search_start = false;
    } else if (progress != nullptr && progress->m_tips[kExitTip] != 0) {
      ShowHelp(true, "ispyexit_ispy2");
      progress->m_tips[kExitTip] = 0;
    }
  }
  StepSearchTimers(dt);
}
