#include "Sources/adventure/GetHintGame.h"

#include <algorithm>

#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/PhraseSequence.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUIAttribute.h"
#include "gui/include/GUISystem.h"
#include "gui/include/TextTable.h"
#include "gui/include/WindowEffectOwner.h"
#include "source/input/cInput.h"
#include "source/log/cLog.h"
#include "source/math/Rand.h"
#include "source/particle/ParticleEffectHandle.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"
#include "source/text/TextConversion.h"
#include "source/timer/cTimerManager.h"

namespace {

constexpr const char* kSource = "Sources\\adventure\\GetHintGame";
constexpr size_t kMostSlots = 64;  // the panel has eight; a form with more is cut here
constexpr float kEffectLifetime = 1.0f;
constexpr float kScreenWidth = 1024.0f;
constexpr float kScreenHeight = 768.0f;

float Clamp01(float value) { return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value); }

float AlphaOf(const GUIWindow* window) { return window->GetVisual().GetColor().w; }

void SetAlpha(GUIWindow* window, float alpha) {
  if (window == nullptr) return;
  Vector4 colour = window->GetVisual().GetColor();
  colour.w = Clamp01(alpha);
  window->SetColor(colour);
}

// Where a window's picture is: its model's centre, or the window's own place without one.
Vector3 CentreOf(const GUIWindow* window) {
  if (const RenderObject* model = window->GetVisual().GetModel()) return model->GetBoundingBox().m_centre;
  const Matrix4& world = window->GetWorld();
  return Vector3(world.m[12], world.m[13], world.m[14]);
}

// The sweep line runs across the screen's diagonal: a point is behind it (on the origin's side)
// while its projection on the diagonal is short of f times the diagonal.
bool IsBehindSweep(const Vector3& point, float f) {
  const float along = point.x * kScreenWidth + point.y * kScreenHeight;
  return along < f * (kScreenWidth * kScreenWidth + kScreenHeight * kScreenHeight);
}

float FrameDelta() {
  const cTimerManager* timers = cTimerManager::PeekInstance();
  return timers != nullptr ? timers->GetFrameDelta() : 0.0f;
}

}  // namespace

// An effect drawn with this window that follows another window's picture (a target or a list
// slot): the slots are the panel's, so the effect never holds them beyond a frame.
struct GetHintGame::RunningEffect {
  RunningEffect(GUIWindow* drawn_with, GUIWindow* over) : owner(drawn_with), follow(over) {}
  WindowEffectOwner owner;
  GUIWindow* follow;
  std::unique_ptr<ParticleEffectHandle> handle;
};

GetHintGame::GetHintGame(const std::string& scene, GUIWindow* owner)
    : GUIStateWindow(kWindowName, owner), m_owner(owner), m_scene(scene), m_text_section(TextSectionOf(scene)) {
  if (!SetFormByName(scene)) {
    LogReport(kLogError, kSource, __LINE__, "the search scene %s is missing: nothing to find there", scene.c_str());
    SetState(kHidden);
  }
  CollectCandidates();
  CollectSlots();
  DrawTargets();
  m_found_effect.Assign("particle systems\\i_spy_effect");
  m_slot_effect.Assign("particle systems\\i_spy2_effect");
  m_found_sound.Assign("audio\\game\\ispy_found");
  m_miss_sound.Assign("audio\\game\\take_cloth");
  const PhraseDatabase* phrases = PhraseDatabase::PeekInstance();
  std::vector<Phrase> introduction = phrases != nullptr ? phrases->GetPhrases(scene, "i_spy") : std::vector<Phrase>();
  if (!introduction.empty()) m_introduction = std::make_unique<PhraseSequence>("i_spy", std::move(introduction));
  CreateEvent("on_close");
  CreateEvent("on_reduce_timer");
  AddGuiAttribute<int>(GetProperties(), "items_count", [this] { return CountRemaining(); }, nullptr);
  GUIWindow::Show(false);
}

// The effects go before the children they are drawn with.
GetHintGame::~GetHintGame() { m_effects.clear(); }

std::string GetHintGame::TextSectionOf(const std::string& scene) {
  const size_t last = scene.rfind('_');
  if (last == std::string::npos) return "get_hint";
  const std::string rest = scene.substr(0, last);
  const size_t before = rest.rfind('_');
  const std::string location = before == std::string::npos ? std::string() : rest.substr(before + 1);
  return location.empty() || location == "1" ? "get_hint" : "get_hint_" + location;
}

void GetHintGame::CollectCandidates() {
  for (GUIWindow* child : GetChildren()) {
    if (GetPropertyValue(child->GetProperties(), "item") == "true") m_candidates.push_back(child);
  }
}

void GetHintGame::CollectSlots() {
  for (size_t i = 0; m_owner != nullptr && i < kMostSlots; ++i) {
    GUIWindow* slot = m_owner->FindChild(kSlotPrefix + std::to_string(i));
    if (slot == nullptr) break;
    m_slots.push_back(slot);
  }
}

// As many targets as slots, but never more than the scene offers: the draw takes each candidate
// at most once.
void GetHintGame::DrawTargets() {
  std::vector<GUIWindow*> remaining = m_candidates;
  const size_t count = std::min(m_slots.size(), remaining.size());
  if (count < m_slots.size()) {
    LogReport(kLogWarning, kSource, __LINE__, "the search scene %s has %zu objects for %zu places on the list",
              m_scene.c_str(), remaining.size(), m_slots.size());
  }
  for (size_t i = 0; i < count; ++i) {
    const size_t drawn = Rand() % remaining.size();
    m_targets.push_back(remaining[drawn]);
    remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(drawn));
  }
  m_found.assign(m_targets.size(), false);
  m_fade.assign(m_targets.size(), 1.0f);
}

int32_t GetHintGame::CountRemaining() const {
  int32_t gone = 0;
  for (size_t i = 0; i < m_targets.size(); ++i) gone += m_found[i] && m_fade[i] <= 0.0f ? 1 : 0;
  return static_cast<int32_t>(m_targets.size()) - gone;
}

GamePanel* GetHintGame::Panel() const { return GamePanel::PeekInstance(); }

void GetHintGame::Show() {
  m_shown_mark = true;
  GUIStateWindow::Show();
  if (GUIWindow* cap = m_owner != nullptr ? m_owner->FindChild("timer_cap") : nullptr) cap->Show(false);
  MoveToFront(false);
  for (GUIWindow* candidate : m_candidates) candidate->SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.0f));
  WriteList();
  m_phase = kOpening;
  m_phase_clock = kSweepSeconds;
  if (m_introduction) m_introduction->Show();
}

void GetHintGame::WriteList() {
  const GUISystem* gui = GUISystem::PeekInstance();
  TextTable* texts = gui != nullptr ? gui->GetTextTable() : nullptr;
  for (size_t i = 0; i < m_targets.size(); ++i) {
    const std::u16string text =
        texts != nullptr ? texts->GetSectionText(m_text_section, m_targets[i]->GetName()) : std::u16string();
    m_slots[i]->SetValue("text", WideToUtf8(text));
    m_slots[i]->Show(true);
    m_slots[i]->SetColor(Vector4(1.0f, 1.0f, 1.0f, 1.0f));
    m_fade[i] = 1.0f;
  }
}

void GetHintGame::Hide() {
  m_phase = kClosed;
  m_shown_mark = false;
  m_open = false;
  MoveToFront(true);  // first in the child order: drawn behind the panel's other windows
  GUIStateWindow::SetState(kHidden);
}

void GetHintGame::SetState(int state) {
  if (state != kDisappear) {
    GUIStateWindow::SetState(state);
    return;
  }
  if (m_phase == kClosing || m_phase == kClosed) return;
  m_phase = kClosing;
  m_phase_clock = kSweepSeconds;
  m_background_fade = true;
}

bool GetHintGame::HandleMouse(const Vector2& point, bool button_down) {
  if (!IsVisible() || GetState() == kHidden) return false;
  const bool answer = GetState() == kWorking ? GUIWindow::HandleMouse(point, button_down) : true;
  GamePanel* panel = Panel();
  // The scene takes no clicks while the map is over it, while a penalty runs, or once it is leaving.
  if (panel == nullptr || panel->IsSmallMapShown() || panel->GetPenaltyTime() > 0.0f) return answer;
  if (m_phase == kClosing || m_phase == kClosed) return answer;
  const cInput* input = cInput::PeekInstance();
  if (input != nullptr && input->Mouse().IsReleased(cInput::kMouseLeft)) OnRelease(point);
  return answer;
}

void GetHintGame::OnRelease(const Vector2& point) {
  const GUISystem* gui = GUISystem::PeekInstance();
  for (size_t i = 0; gui != nullptr && i < m_targets.size(); ++i) {
    const RenderObject* model = m_targets[i]->GetVisual().GetModel();
    if (m_found[i] || model == nullptr || !model->PickByRay(gui->GetRayOrigin(), gui->GetRayDirection())) continue;
    OnFind(i);
    return;
  }
  OnMiss(point);
}

void GetHintGame::OnFind(size_t index) {
  StartEffect(m_found_effect, m_targets[index]);
  StartEffect(m_slot_effect, m_slots[index]);
  m_found[index] = true;
  ++m_finds;
  if (GamePanel* panel = Panel()) {
    panel->OnItemFound();
    panel->SetReminderTime(60.0f);
  }
  PlayOnce(m_found_sound, false);
  m_miss_clock = -1.0f;
  m_miss_count = 0;
}

void GetHintGame::OnMiss(const Vector2& point) {
  m_miss_count = m_miss_clock <= 0.0f ? 1 : m_miss_count + 1;
  m_miss_clock = kMissWindow;
  if (GamePanel* panel = Panel()) panel->ShowFoundItemAnimation(panel->Child("get_hint_error"), Vector3(point.x, point.y, 0.0f));
  PlayOnce(m_miss_sound, true);
  if (m_miss_count >= kMissesInBurst) {
    m_miss_count = 0;
    FireEvent("on_reduce_timer");
  }
}

void GetHintGame::StartEffect(const cResourcePtr<cParticleResource>& resource, GUIWindow* over) {
  if (!resource || over == nullptr) return;
  auto effect = std::make_unique<RunningEffect>(this, over);
  effect->handle = std::make_unique<ParticleEffectHandle>(resource.Get(), &effect->owner, kEffectLifetime);
  effect->handle->StartAt(CentreOf(over));
  m_effects.push_back(std::move(effect));
}

void GetHintGame::PlayOnce(const cResourcePtr<cSoundResource>& sound, bool unless_playing) {
  if (!sound) return;
  cSoundPlayer* player = cSoundPlayer::GetInstance();
  if (!unless_playing || !player->IsPlaying(sound)) player->Play(sound, false);
}

bool GetHintGame::Update() {
  if (!IsVisible()) return GUIStateWindow::Update();
  const float dt = FrameDelta();
  m_miss_clock -= dt;
  ServeTip();
  UpdateEffects();
  // The hint window's pages are turned by the in-game state's search step, once a frame.
  switch (m_phase) {
    case kOpening: StepOpening(dt); break;
    case kClosing: StepClosing(dt); break;
    case kSearching: StepSearching(dt); break;
    default: break;
  }
  return GUIStateWindow::Update();
}

void GetHintGame::ServeTip() {
  GamePanel* panel = Panel();
  if (panel == nullptr || CurrentProfile == nullptr || panel->IsHelpShown()) return;
  if (HintWindow::PeekInstance() != nullptr && HintWindow::PeekInstance()->GetSequence() != nullptr) return;
  auto& tips = CurrentProfile->m_progress.m_tips;
  if (tips[3] != 0) {
    tips[3] = 0;
    panel->ShowLocationPhrase("ispy_hint2");
  } else if (tips[0] != 0) {
    tips[0] = 0;
    panel->ShowHelp(true, "ispy1_ispy");
  } else if (tips[2] != 0) {
    tips[2] = 0;
    panel->SetReminderTime(60.0f);
    panel->ShowHelp(true, "ispy4_ispy1");
  }
}

void GetHintGame::UpdateEffects() {
  std::erase_if(m_effects, [](const std::unique_ptr<RunningEffect>& effect) {
    const ParticleSystem* system = effect->handle->GetSystem();
    if (system == nullptr || effect->handle->IsFinished()) return true;
    effect->handle->SetPosition(CentreOf(effect->follow));
    return false;
  });
}

bool GetHintGame::SweepCandidates(float f, bool behind, float alpha_step) {
  bool done = true;
  for (GUIWindow* candidate : m_candidates) {
    const bool swept = behind ? IsBehindSweep(CentreOf(candidate), f) : (f <= 0.0f || !IsBehindSweep(CentreOf(candidate), f));
    if (swept) SetAlpha(candidate, AlphaOf(candidate) + alpha_step);
    const float alpha = AlphaOf(candidate);
    done = done && (alpha_step > 0.0f ? alpha >= 1.0f : alpha <= 0.0f);
  }
  return done;
}

void GetHintGame::StepOpening(float dt) {
  m_phase_clock -= dt;
  const float f = Clamp01((kSweepSeconds - m_phase_clock) * 0.5f);
  if (GUIWindow* background = FindChild("background")) background->SetColor(Vector4(1.0f, 1.0f, 1.0f, f));
  const bool all_shown = SweepCandidates(f, true, 2.0f * dt);
  if (all_shown && m_phase_clock < 0.0f) m_phase = kSearching;
}

void GetHintGame::StepClosing(float dt) {
  m_phase_clock -= dt;
  const float f = Clamp01(m_phase_clock * 0.5f);
  if (GUIWindow* background = FindChild("background"); background != nullptr && m_background_fade) {
    background->SetColor(Vector4(1.0f, 1.0f, 1.0f, f));
  }
  const bool all_gone = SweepCandidates(f, false, -2.0f * dt);
  if (!all_gone || m_phase_clock >= 0.0f) return;
  Hide();
  GamePanel* panel = Panel();
  // Leaving a scene only ends the whole search once it is won or the time is over.
  if (panel != nullptr && (panel->IsSearchFinished() || panel->GetCountdown() <= 0.0f)) panel->OnSearchExit(0);
}

void GetHintGame::StepSearching(float dt) {
  GamePanel* panel = Panel();
  const float countdown = panel != nullptr ? panel->GetCountdown() : 0.0f;
  if (countdown <= 0.0f) {
    SetState(kDisappear);
    return;
  }
  bool all_faded = true;
  for (size_t i = 0; i < m_targets.size(); ++i) {
    if (m_found[i]) {
      m_fade[i] = Clamp01(m_fade[i] - dt);
      SetAlpha(m_targets[i], m_fade[i]);
      SetAlpha(m_slots[i], m_fade[i]);
    }
    all_faded = all_faded && m_found[i] && m_fade[i] <= 0.0f;
  }
  if (IsVisible() && (all_faded || panel->GetItemsToFind() < 1)) {
    SetState(kDisappear);
    FireEvent("on_close");
  }
}

