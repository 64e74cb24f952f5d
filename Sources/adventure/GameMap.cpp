#include "Sources/adventure/GameMap.h"

#include <algorithm>
#include <array>

#include "Sources/adventure/GameFlowController.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUIStatic.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWidgetSupport.h"
#include "source/input/cInput.h"
#include "source/log/cLog.h"
#include "source/properties/NumberText.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundManager.h"
#include "source/sound/cSoundPlayer.h"
#include "source/timer/cTimerManager.h"

namespace {

constexpr const char* kSource = "Sources\\adventure\\GameMap";
constexpr int kTooltipFont = 13;

// By 0-based location index: the arrow that marks it and its place number (1-based). Locations
// that share a place share an arrow.
constexpr std::array<const char*, GameMap::kLocations> kArrows = {
    "arrow_location_1_9",     "arrow_location_2_10_11", "arrow_location_3",       "arrow_location_4",
    "arrow_location_5",       "arrow_location_6_12_15", "arrow_location_7_8",     "arrow_location_7_8",
    "arrow_location_1_9",     "arrow_location_2_10_11", "arrow_location_2_10_11", "arrow_location_6_12_15",
    "arrow_location_13",      "arrow_location_14",      "arrow_location_6_12_15"};
constexpr std::array<int, GameMap::kLocations> kPlaceOfLocation = {1, 2, 3, 4, 5, 6, 7, 7, 1, 2, 2, 6, 8, 9, 6};
constexpr std::array<const char*, GameMap::kPlaces> kPlaceNames = {"gate",   "house",  "lower", "bank", "shop",
                                                                   "police", "museum", "rar",   "cave"};

float FrameDelta() {
  const cTimerManager* timers = cTimerManager::PeekInstance();
  return timers != nullptr ? timers->GetFrameDelta() : 0.0f;
}

float AlphaOf(GUIWindow* window) { return window->GetVisual().GetColor().w; }

void AddAlpha(GUIWindow* window, float change) {
  window->SetColor(Vector4(1.0f, 1.0f, 1.0f, std::clamp(AlphaOf(window) + change, 0.0f, 1.0f)));
}

void PlayOnce(const cResourcePtr<cSoundResource>& sound) {
  if (!sound) return;
  if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) player->Play(sound, false);
}

void PlayMusic(const cResourcePtr<cSoundResource>& music) {
  if (!music) return;
  if (cSoundManager* sound = cSoundManager::PeekInstance()) sound->PlayMusic(music);
}

bool FreshPress() {
  const cInput* input = cInput::PeekInstance();
  const bool key = input != nullptr && input->Modifiers().current != nullptr &&
                   input->Modifiers().IsPressed(cInput::kModifierAnyKey);
  return key || IsLeftButtonFreshPress();
}

void StartMoving(GUIWindow* window) {
  if (RenderObject* model = window->GetVisual().GetModel()) {
    AnimationController& animation = model->GetAnimation();
    if (animation.SetAnimation("moving")) {
      animation.SetAnimationLoop("moving", true);
      animation.Play();
    }
  }
}

}  // namespace

int GameMap::PlaceOfLocation(int location) { return IsLocation(location) ? kPlaceOfLocation[location] : 0; }

const char* GameMap::ArrowOfLocation(int location) { return IsLocation(location) ? kArrows[location] : nullptr; }

const char* GameMap::PlaceName(int place) { return place >= 1 && place <= kPlaces ? kPlaceNames[place - 1] : nullptr; }

GameMap::GameMap(const std::string& form, bool travel_window)
    : GUIStateWindow("GameMap", nullptr), m_travel_window(travel_window) {
  const std::string form_name = form.empty() ? kBigForm : form;
  if (!SetFormByName(form_name)) {
    LogReport(kLogError, kSource, __LINE__, "the map form %s is missing: the map shows nothing", form_name.c_str());
  }
  SetState(kHidden);
  for (const char* arrow : kArrows) m_arrows.push_back(FindOwnChild(arrow));
  FindHintButtons();
  CollectPaths();
  for (const char* place : kPlaceNames) {
    m_places.push_back(FindOwnChild(place));
    if (m_places.back() != nullptr) m_places.back()->Show(false);
  }
  MakePressKeyText();
  m_open_sound.Assign("audio\\game\\paper01");
  m_reward_sound.Assign("audio\\game\\victory01");
  m_fail_sound.Assign("audio\\game\\fail01");
  m_big_map = form.empty();
  m_tooltip = new GUIStatic(this, "tooltip");
  m_tooltip->SetValue("font_id", std::to_string(kTooltipFont));
  m_tooltip->Show(false);
}

GameMap::~GameMap() {
  if (GetParent() != nullptr && GetParent()->GetActiveChild() == this) ReleaseModality();
}

GUIWindow* GameMap::FindOwnChild(const std::string& name) const {
  GUIWindow* child = FindChild(name);
  if (child == nullptr && GetForm() != nullptr) {
    LogReport(kLogWarning, kSource, __LINE__, "the map has no window %s", name.c_str());
  }
  return child;
}

void GameMap::ShowChild(const std::string& name, bool shown) {
  if (GUIWindow* child = FindChild(name)) child->Show(shown);
}

void GameMap::CollectPaths() {
  for (int n = 1;; ++n) {
    GUIWindow* path = FindChild("path_" + std::to_string(n));
    if (path == nullptr) break;
    const int from = ParseDecimalInt(path->GetValue("from"));
    const int to = ParseDecimalInt(path->GetValue("to"));
    m_paths[from][to].push_back(path);
    m_all_paths.push_back(path);
  }
}

void GameMap::MakePressKeyText() {
  m_press_key = new GUIStatic(this, "press key");
  m_press_key->SetAlignment("cb");
  m_press_key->SetMatrix(Matrix4::MakeTranslation(512.0f, 10.0f, 0.0f));  // the screen's bottom middle
  m_press_key->SetValue("font_id", "13");
  m_press_key->SetValue("text_id", "HIT_MOUSE_BUTTON_TO_CONTINUE");
  m_press_key->Show(false);
}

void GameMap::MarkSeen(int location) {
  const int place = PlaceOfLocation(location);
  if (place == 0 || CurrentProfile == nullptr) return;
  std::vector<int32_t>& seen = CurrentProfile->m_progress.m_map_points;
  if (std::find(seen.begin(), seen.end(), place - 1) == seen.end()) seen.push_back(place - 1);
}

void GameMap::SetCurrentLocation(int location) {
  if (!IsLocation(location)) {
    LogReport(kLogWarning, kSource, __LINE__, "location %d is not on the map", location);
    return;
  }
  m_current_location = location;
  MarkSeen(location);
  m_travelling = false;
  m_route = nullptr;
}

bool GameMap::PrepareTravel(int from, int to) {
  if (!IsLocation(from) || !IsLocation(to)) {
    LogReport(kLogWarning, kSource, __LINE__, "no travel from %d to %d: not places on the map", from, to);
    return false;
  }
  m_current_location = from;
  MarkSeen(from);
  MarkSeen(to);
  auto row = m_paths.find(PlaceOfLocation(from));
  if (row == m_paths.end()) return false;
  auto route = row->second.find(PlaceOfLocation(to));
  if (route == row->second.end()) return false;
  m_route = &route->second;
  m_travelling = true;
  return true;
}

void GameMap::HideAllMarks() {
  for (const std::vector<GUIWindow*>* list : {&m_arrows, &m_hint_buttons, &m_hint_texts, &m_all_paths, &m_places}) {
    for (GUIWindow* window : *list) {
      if (window != nullptr) window->Show(false);
    }
  }
}

void GameMap::Show() {
  m_close_countdown = 0;
  SetEnabled(true);
  if (m_flow != nullptr) PlayMusic(m_flow->GetTransitionMusic());
  Activate();
  GUIStateWindow::Show();
  PlayOnce(m_open_sound);
  HideAllMarks();
  if (CurrentProfile != nullptr) {
    for (int32_t point : CurrentProfile->m_progress.m_map_points) {
      if (point >= 0 && point < kPlaces && m_places[point] != nullptr) m_places[point]->Show(true);
    }
  }
  if (m_route == nullptr) {
    if (GUIWindow* arrow = m_arrows[m_current_location]) {
      arrow->Show(true);
      StartMoving(arrow);
    }
  } else {
    for (GUIWindow* path : *m_route) {
      path->Show(true);
      path->SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.0f));
    }
    m_head = 0;
    m_step_timer = kStepSeconds;
  }
  m_press_key->SetValue("text_id", "HIT_MOUSE_BUTTON_TO_CONTINUE");
  if (FindChild("items_remained") != nullptr) {
    ShowChild("items_remained", false);
    ShowChild("items_remained_number", false);
  }
  m_search_choice = false;
  MoveToFront(false);
}

void GameMap::ReleaseModality() {
  SetActiveChild(this, nullptr);
  // Only the map's own hold on its parents: a box opened over it keeps its own.
  if (GetParent() != nullptr && GetParent()->GetActiveChild() == this) SetActiveChild(GetParent(), nullptr);
}

void GameMap::Hide() {
  if (m_flow != nullptr && !m_flow->GetCurrentMusicName().empty()) {
    cResourcePtr<cSoundResource> music;
    if (music.Assign(m_flow->GetCurrentMusicName())) PlayMusic(music);
  }
  ReleaseModality();
  GUIStateWindow::Hide();
  m_search_windows.clear();
  if (m_search_choice) {
    m_search_choice = false;
    SearchHost().CloseSearch(nullptr);
  }
  m_press_key->Show(false);
}

void GameMap::HideNow() {
  GUIWindow::Show(false);
  ReleaseModality();
}

void GameMap::StepTooltip() {
  m_tooltip->Show(false);
  const GUISystem* gui = GUISystem::PeekInstance();
  if (gui == nullptr) return;
  for (GUIWindow* place : m_places) {
    if (place == nullptr || !place->IsVisible()) continue;
    RenderObject* model = place->GetVisual().GetModel();
    if (model == nullptr || !model->PickByRay(gui->GetRayOrigin(), gui->GetRayDirection())) continue;
    const Vector2 mouse = gui->GetMousePosition();
    // Near the screen's right edge the name starts further left, so it ends on the screen.
    const float x = KeepLineOnScreen(mouse.x, kTooltipFont, LookUpText(place->GetName()));
    m_tooltip->SetMatrix(Matrix4::MakeTranslation(x, mouse.y, 0.0f));
    m_tooltip->SetValue("text_id", place->GetName());
    m_tooltip->Show(true);
  }
}

void GameMap::StepRoute(float dt) {
  const std::vector<GUIWindow*>& route = *m_route;
  const int n = static_cast<int>(route.size());
  const float d = dt / kStepSeconds;
  for (int i = 0; i <= std::min(n - 1, m_head - 2); ++i) AddAlpha(route[i], -0.4f * d);
  for (int i = std::max(m_head - 1, 0); i <= m_head && i < n; ++i) AddAlpha(route[i], d);
  m_step_timer -= dt;
  if (m_step_timer >= 0.0f) return;
  m_head = std::min(m_head + 1, n - 1);
  // A long route ends when its tail has faded out; one of three segments or fewer has no tail
  // that fades, and ends once its last segment is fully in.
  const bool ended = m_head == n - 1 && (n > 3 ? AlphaOf(route[n - 3]) <= 0.0f : AlphaOf(route[n - 1]) >= 1.0f);
  if (ended) EndTravel();
  m_step_timer = kStepSeconds;
}

void GameMap::EndTravel() {
  SetState(kTravelDone);
  m_route = nullptr;
  if (IsVisible() && m_big_map) {
    m_press_key->SetValue("text_id", "HIT_MOUSE_BUTTON_TO_CONTINUE");
    m_press_key->Show(true);
  }
  m_head = std::max(m_head - 1, 0);
}

bool GameMap::Update() {
  if (!IsEnabled() || !IsVisible()) return false;
  StepTooltip();
  if (m_close_countdown > 0 && ++m_close_countdown >= 3) SetEnabled(false);
  if (m_search_choice && StepSearchChoice()) return true;
  if (m_travelling && m_route != nullptr && !m_route->empty()) StepRoute(FrameDelta());
  return GUIStateWindow::Update();
}

bool GameMap::HandleMouse(const Vector2& point, bool button_down) {
  if (!IsVisible()) return false;  // a map put away takes no clicks
  const int state = GetState();
  const bool result = state == kWorking ? GUIWindow::HandleMouse(point, button_down) : state != kHidden;
  if (!IsEnabled() || state == kHidden || m_route != nullptr) return result;
  if (m_search_choice) {
    HandleSearchChoiceMouse();
    return result;
  }
  if (!FreshPress()) return result;
  m_press_key->SetValue("text_id", "please_wait");
  m_travelling = false;
  if (m_big_map) {
    SetState(kTravelDone);
    if (m_travel_window && m_close_countdown == 0) m_close_countdown = 1;
  } else {
    Hide();
  }
  return result;
}

void GameMap::Open() {
  // Back to a search that has already ended (its time ran out): nothing to choose, nothing to pay.
  if (!m_search_choice) return;
  GUIWindow::Show(true);
  Activate();
  if (RefreshHintSearch()) HideNow();
}
