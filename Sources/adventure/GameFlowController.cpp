#include "Sources/adventure/GameFlowController.h"

#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/Location.h"
#include "Sources/adventure/TransitionWindows.h"
#include "gui/include/WindowEffectOwner.h"
#include "Sources/shell/screens/MessageBoxes.h"
#include "Sources/shell/screens/ScreenSupport.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "Sources/shell/userdata/UserFile.h"
#include "gui/include/GUIStateWindow.h"
#include "gui/include/GUISystem.h"
#include "platform/os/os.h"
#include "source/Resources/cXmlResource.h"
#include "source/log/cLog.h"
#include "source/shaders/CombinedTextures.h"
#include "source/particle/ParticleEffectHandle.h"
#include "source/particle/ParticleSystem.h"
#include "source/sound/cSoundManager.h"

namespace {

constexpr const char* kSource = "Sources\\adventure\\GameFlowController";

void PlayMusicNamed(const std::string& name) {
  if (name.empty()) return;
  cResourcePtr<cSoundResource> music;
  if (!music.Assign(name)) return;
  if (cSoundManager* sound = cSoundManager::PeekInstance()) sound->PlayMusic(music);
}

void PlayMusicResource(const cResourcePtr<cSoundResource>& music) {
  if (!music) return;
  if (cSoundManager* sound = cSoundManager::PeekInstance()) sound->PlayMusic(music);
}

GamePanel* Panel() { return GamePanel::PeekInstance(); }

}  // namespace

GameFlowController::GameFlowController(const StateOwner& owner, cGameState* return_state)
    : cGameState(owner), m_return_state(return_state) {
  cResourcePtr<cXmlResource> file;
  if (file.Assign(kStageResource)) m_stages = ReadStageList(file->GetRoot());
  if (m_stages.empty()) {
    LogReport(kLogError, kSource, __LINE__, "%s is missing or names no location: the game cannot start",
              kStageResource);
  }
  for (const StageRecord& stage : m_stages) {
    if (stage.music.empty()) continue;
    cResourcePtr<cSoundResource> music;
    if (music.Assign(stage.music)) m_stage_music.push_back(music);
  }
  m_transition_music.Assign(kTransitionMusic);
  m_search_music.Assign(kSearchMusic);
  m_hint_effect_resource.Assign(kHintEffect);
  if (GamePanel* panel = Panel()) panel->SetFlowController(this);
}

GameFlowController::~GameFlowController() {
  if (GamePanel* panel = Panel(); panel != nullptr && panel->GetFlowController() == this) {
    panel->SetFlowController(nullptr);
  }
  m_hint_effect.reset();
  DestroyLocation();
  DestroyPendingWindows();
  DestroyTransitionWindow();
}

void GameFlowController::Enter() {
  m_current_music.clear();
  if (m_stages.empty()) {
    ShowNoStagesMessage();
    return;
  }
  if (GamePanel* panel = GamePanel::GetInstance()) panel->SetFlowController(this);
  int saved = CurrentProfile != nullptr ? FindStage(CurrentProfile->m_stage) : -1;
  if (saved < 0) saved = PlayBackupOfUnknownStage();
  if (saved >= 0) {
    m_current_stage = static_cast<size_t>(saved);
    LogReport(kLogPlain, kSource, __LINE__, "the game goes on at %s", CurrentProfile->m_stage.c_str());
    return;
  }
  SayWhyANewGameBegins();
  LogReport(kLogPlain, kSource, __LINE__, "a new game begins");
  if (CurrentProfile != nullptr) CurrentProfile->Reset();
  GamePanel::GetInstance()->ReloadInventory();
  m_current_stage = 0;
}

void GameFlowController::ShowNotice(const char* title_key, const char* text_key) {
  const GUISystem* gui = GUISystem::PeekInstance();
  if (gui != nullptr && gui->IsInitialised()) ShowMessageBox(ShellText(title_key), ShellText(text_key));
}

int GameFlowController::PlayBackupOfUnknownStage() {
  if (CurrentProfile == nullptr || CurrentProfile->m_stage.empty()) return -1;
  // A stage this game does not know (renamed by an update, or a damaged byte): the saved game is
  // kept aside, and the save before it is played when this game knows its stage.
  const std::string unknown = CurrentProfile->m_stage;
  const bool kept = CurrentProfile->KeepFileAside();
  if (!CurrentProfile->ReadBackupInstead([this](const std::string& stage) { return FindStage(stage) >= 0; })) {
    m_unknown_stage_kept = kept;
    return -1;
  }
  LogReport(kLogError, kSource, __LINE__,
            "the saved game is at the unknown stage \"%s\"%s; the save before it, at %s, is played", unknown.c_str(),
            kept ? " (the file is kept aside)" : "", CurrentProfile->m_stage.c_str());
  CurrentProfile->TakeLostNotice();
  if (GamePanel* panel = GamePanel::GetInstance()) panel->ReloadInventory();
  ShowNotice("progress_backup_played_title", "progress_backup_played");
  return FindStage(CurrentProfile->m_stage);
}

void GameFlowController::SayWhyANewGameBegins() {
  if (CurrentProfile == nullptr) return;
  if (!CurrentProfile->m_stage.empty()) {
    // Kept aside already, with no backup this game can play.
    const bool kept = m_unknown_stage_kept;
    LogReport(kLogError, kSource, __LINE__, "the saved game is at the unknown stage \"%s\"%s; a new game begins",
              CurrentProfile->m_stage.c_str(), kept ? " (the file is kept aside)" : "");
    CurrentProfile->TakeLostNotice();  // one notice is enough
    ShowNotice("progress_unknown_stage_title", "progress_unknown_stage");
  } else if (CurrentProfile->TakeLostNotice()) {
    LogReport(kLogError, kSource, __LINE__, "the saved game was damaged and had no backup; a new game begins");
    ShowNotice("progress_damaged_title", "progress_damaged");
  }
}

void GameFlowController::ShowNoStagesMessage() {
  const GUISystem* gui = GUISystem::PeekInstance();
  if (gui != nullptr && gui->IsInitialised()) ShowMessageBox(ShellText("stage_missing_title"), ShellText("stage_missing"));
  GetOwner().SwitchTo(m_return_state);
}

void GameFlowController::Leave() {
  m_current_music.clear();
  if (m_location) Location::SetActive(*m_location, false, false);
  DestroyLocation();
  if (GamePanel* panel = Panel()) {
    // A search left for the menu ends here: the next game must not find the panel still searching.
    panel->AbandonSearch();
    panel->SetGameRunning(false);
    panel->ShowPanel(false);
  }
  m_sub_state = kLoad;
  DestroyTransitionWindow();
}

void GameFlowController::Update(float dt) {
  if (m_hint_effect != nullptr) {
    ParticleSystem* system = m_hint_effect->GetSystem();
    if (system == nullptr || m_hint_effect->IsFinished() || m_sub_state != kPlay) m_hint_effect.reset();
  }
  if (m_stages.empty()) return;
  const GUISystem* gui = GUISystem::PeekInstance();
  if (gui != nullptr && gui->IsInitialised() && !IsMessageBoxShown() && UserFile::TakeSaveFailureNotice()) {
    ShowNotice("progress_not_saved_title", "progress_not_saved");
  }
  switch (m_sub_state) {
    case kLoad: StepLoad(); break;
    case kEnterLocation: StepEnterLocation(); break;
    case kPlay: StepPlay(dt); break;
    case kHintSearch: StepHintSearch(); break;
    case kTransitions: StepTransitions(); break;
    case kMapTravel:
      if (Panel() == nullptr || Panel()->IsMapTravelDone()) m_sub_state = kLoad;
      break;
    case kNextStage: StepNextStage(); break;
    case kAfterStage: StepAfterStage(); break;
    case kGameEnd: StepGameEnd(); break;
    case kReturnToMenu: ReturnToMenu(); break;
    default: m_sub_state = kLoad; break;
  }
}

void GameFlowController::StepLoad() {
  m_location_ended = false;
  if (m_location) {
    SaveProgress();
    DestroyLocation();
  }
  SetGuiCursor("clock");
  const StageRecord& stage = m_stages[m_current_stage];
  if (CurrentProfile != nullptr) CurrentProfile->m_stage = stage.name;
  // Its textures read their pictures when first drawn (in one frame, which decodes a picture
  // they share once), not while it is built.
  m_location = std::make_unique<Location>(nullptr, stage.name, stage.name);
  Location::SetActive(*m_location, false, false);
  if (GamePanel* panel = Panel()) panel->RevealPendingItems();
  DestroyPendingWindows();
  SetGuiCursor("cursor");
  m_sub_state = kEnterLocation;
}

void GameFlowController::StepEnterLocation() {
  m_sub_state = kPlay;
  GamePanel* panel = GamePanel::GetInstance();
  panel->RestoreHelpPointer();
  DestroyTransitionWindow();
  if (m_location && m_location->IsFirstVisit()) PlayTransitions(m_stages[m_current_stage].start_windows, false);
  if (m_sub_state == kPlay) {
    BringLocationBack();
    SaveProgress();
  } else {
    Update(0.0f);
    SaveProgress();
  }
}

void GameFlowController::BringLocationBack() {
  if (!m_location) return;
  GamePanel* panel = GamePanel::GetInstance();
  panel->HideMaps();
  Location::SetActive(*m_location, true, true);
  m_location->Update(0.0f);
  panel->SetGameRunning(true);
  panel->ShowPanel(true);
}

void GameFlowController::StepPlay(float dt) {
  GamePanel* panel = GamePanel::GetInstance();
  if (!m_location || panel->IsGameMenuOpen() || IsMessageBoxShown()) return;
  m_location->Update(dt);
  panel->Update();
  if (m_location && m_location->GetStatus().empty() && !panel->IsItemFlying()) {
    panel->HideMaps();
    // What the location gave is kept even when the player quits during the pages that follow.
    SaveProgress();
    const int next = FindStage(m_location->GetNextLocationName());
    if (!m_location->GetNextLocationName().empty() && next >= 0) {
      m_current_stage = static_cast<size_t>(next);
      m_sub_state = kLoad;
      if (CurrentProfile != nullptr) {
        CurrentProfile->m_stage = m_stages[m_current_stage].name;
        CurrentProfile->Save();
      }
    }
    m_location_ended = true;
    if (m_sub_state != kLoad) m_sub_state = kNextStage;
    Location::SetActive(*m_location, true, true);
  }
  if (m_location && m_location->IsHintWindowInUse()) HintWindow::GetInstance()->Update();
}

void GameFlowController::StepHintSearch() {
  GamePanel* panel = GamePanel::GetInstance();
  HintWindow::GetInstance()->Update();
  panel->Update();
  if (panel->IsSearchRunning()) return;
  const StageRecord& stage = m_stages[m_current_stage];
  PlayMusicNamed(stage.music);
  panel->LayoutInventory(true);
  panel->SetInventoryShown(true);
  DestroyTransitionWindow();
  if (m_location) Location::SetActive(*m_location, true, true);
  m_sub_state = kPlay;
  SaveProgress();
}

void GameFlowController::StepTransitions() {
  if (m_transition != nullptr) {
    const int state = m_transition->GetState();
    const bool busy = (state != GUIStateWindow::kHidden && state != kPausedState) ||
                      (state == kPausedState && m_transition->IsEnabled());
    if (busy) return;
  }
  if (m_location && !m_location->IsShown()) BringLocationBack();
  if (m_transition != nullptr) {
    m_transition->SetState(GUIStateWindow::kWorking);
    if (!m_pending.empty() || !m_map_window_made) DestroyTransitionWindow();
  }
  if (!m_pending.empty()) {
    DestroyTransitionWindow();
    m_transition = m_pending.front();
    m_pending.erase(m_pending.begin());
    m_transition->Show();
    m_transition->MoveToFront(false);
    PlayMusicResource(m_transition_music);
    m_current_music = "comics";
    return;
  }
  m_sub_state = m_resume_sub_state;
  if (m_sub_state == kReturnToMenu) return;
  if (m_sub_state == kAfterStage) {
    Update(0.0f);
    return;
  }
  PlayStageMusic(m_stages[m_current_stage].music);
}

void GameFlowController::PlayStageMusic(const std::string& name) {
  if (name == m_current_music) return;
  m_current_music = name;
  PlayMusicNamed(name);
}

void GameFlowController::StepNextStage() {
  if (CurrentProfile != nullptr) CurrentProfile->m_progress.m_pending_message.clear();
  const size_t ended = m_current_stage;
  size_t next = ended + 1;
  while (next < m_stages.size() && m_stages[next].skip) ++next;
  m_sub_state = kAfterStage;
  m_at_end = next >= m_stages.size();
  bool last = true;
  if (!m_at_end) {
    m_current_stage = next;
    const int to = StageIndexOf(m_stages[next].name);
    if (to >= 0) {
      const int from = GetCurrentLocationIndex();
      if (Panel() != nullptr && Panel()->PrepareMapTravel(from, to)) {
        m_map_travel_pending = true;
        last = false;
      }
    }
    // A player who quits during the pages or the travel that follow goes on from there.
    if (CurrentProfile != nullptr) {
      CurrentProfile->m_stage = m_stages[next].name;
      CurrentProfile->Save();
    }
  } else if (CurrentProfile != nullptr) {
    // The journey is over: no stage is left to go on at, so the next Play begins a new one.
    CurrentProfile->m_stage.clear();
    CurrentProfile->Save();
  }
  PlayTransitions(m_stages[ended].stop_windows, last);
  if (m_map_window_made && Panel() != nullptr) Panel()->HideMaps();
  Update(0.0f);
}

void GameFlowController::StepAfterStage() {
  if (m_at_end) {
    m_at_end = false;
    m_sub_state = kGameEnd;
    Update(0.0f);
  } else if (m_map_travel_pending) {
    m_map_travel_pending = false;
    if (Panel() != nullptr) Panel()->StartMapTravel();
    m_sub_state = kMapTravel;
  } else {
    m_sub_state = kLoad;
  }
}

void GameFlowController::StepGameEnd() {
  DestroyTransitionWindow();
  m_sub_state = kReturnToMenu;
  PlayTransitions({kCreditsEntry}, true);
  if (m_location) Location::SetActive(*m_location, false, false);
  DestroyLocation();
  if (GamePanel* panel = Panel()) {
    panel->SetGameRunning(false);
    panel->ShowPanel(false);
  }
  Update(0.0f);
}

void GameFlowController::PlayTransitions(const std::vector<std::string>& entries, bool last) {
  SetGuiCursor("clock");
  m_resume_sub_state = m_sub_state;
  m_sub_state = kTransitions;
  m_map_window_made = false;
  for (size_t i = 0; i < entries.size(); ++i) {
    const bool keep = i + 1 < entries.size() ? true : last;
    if (GUIStateWindow* window = CreateTransitionWindow(entries[i], keep)) m_pending.push_back(window);
  }
  SetGuiCursor("cursor");
}

GUIStateWindow* GameFlowController::CreateTransitionWindow(const std::string& entry, bool keep) {
  GUIStateWindow* window = nullptr;
  if (IsMapTravelEntry(entry)) {
    int from = 0;
    int to = 0;
    ParseMapTravelEntry(entry, from, to);
    window = MakeMapTravelWindow(this, from - 1, to - 1);
    if (window != nullptr) m_map_window_made = true;
  } else {
    window = MakeComicsWindow(entry, keep, entry != kCreditsEntry);
  }
  if (window == nullptr) return nullptr;
  const GUIWindow* parent = window->GetParent();
  window->SetVisible(parent == nullptr || parent->IsVisible());
  window->Update();
  window->Show(false);
  window->Hide();
  return window;
}

void GameFlowController::ReturnToMenu() {
  HintWindow::GetInstance()->Reset();
  SaveProgress();
  GetOwner().SwitchTo(m_return_state);
  if (GamePanel* panel = Panel()) panel->HideMaps();
}

void GameFlowController::SaveProgress() {
  if (m_location_ended) return;
  if (m_location) m_location->SaveState();
  if (GamePanel* panel = Panel()) panel->StoreFlyingItems();
  if (CurrentProfile != nullptr) CurrentProfile->Save();
}

void GameFlowController::SaveLocationState() {
  if (m_location) m_location->SaveState();
}

void GameFlowController::StartHintSearch() {
  SetGuiCursor("clock");
  // The place stays drawn around the small map; it takes no input while the search runs, as this
  // state does not step it.
  GamePanel::GetInstance()->EnterSearchMode();
  m_sub_state = kHintSearch;
  PlayMusicResource(m_search_music);
  SetGuiCursor("cursor");
}

bool GameFlowController::ShowHint(GUIWindow* owner, Vector3& point) {
  if (!m_location || m_hint_effect != nullptr) return false;
  HintTarget target;
  if (!m_location->FindHint(target)) return false;
  m_hint_effect_owner = std::make_unique<WindowEffectOwner>(owner);
  m_hint_effect = std::make_unique<ParticleEffectHandle>(m_hint_effect_resource.Get(), m_hint_effect_owner.get(),
                                                         kHintEffectLifetime);
  point = Vector3(target.position.x, target.position.y, 0.0f);
  m_hint_effect->StartAt(point);
  if (GamePanel* panel = Panel()) panel->HintInventoryItem(target.second, point);
  return true;
}

int GameFlowController::GetCurrentLocationIndex() const {
  return m_location ? StageIndexOf(m_location->GetName()) : -1;
}

RenderObject* GameFlowController::FindLocationItemModel(const std::string& name) const {
  return m_location ? m_location->FindObjectModel(name) : nullptr;
}

int GameFlowController::FindStage(const std::string& name) const {
  if (name.empty()) return -1;
  for (size_t i = 0; i < m_stages.size(); ++i) {
    if (m_stages[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

void GameFlowController::DestroyTransitionWindow() {
  delete m_transition;
  m_transition = nullptr;
}

void GameFlowController::DestroyPendingWindows() {
  for (GUIStateWindow* window : m_pending) delete window;
  m_pending.clear();
}

void GameFlowController::DestroyLocation() {
  if (!m_location) return;
  m_location.reset();
  // The place is left for good: the pictures that only it drew leave the device and memory with
  // it; what the panel, the menu or the next place still holds stays.
  if (CombinedTextureCache* textures = CombinedTextureCache::PeekInstance()) textures->ReleaseUnused();
  os::ReturnFreeMemory();
}
