// The panel's per-frame step: fades, the hero portrait, the search clock, flights, the item in
// hand and the inventory slots under the mouse.

#include <cmath>
#include <cstdio>

#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/HelpWindow.h"
#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/Inventory.h"
#include "Sources/adventure/PhraseDatabase.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUIStateWindow.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWidgetSupport.h"
#include "source/input/cInput.h"
#include "source/math/Rand.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"
#include "source/text/TextConversion.h"
#include "source/timer/cTimerManager.h"

namespace {

constexpr int kRewardTip = 1;  // the first time the full reward is about to go

float Clamp01(float value) { return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value); }

void SetAlpha(GUIWindow* window, float alpha) {
  if (window == nullptr) return;
  Vector4 colour = window->GetVisual().GetColor();
  colour.w = Clamp01(alpha);
  window->SetColor(colour);
}

float AlphaOf(const GUIWindow* window) { return window != nullptr ? window->GetVisual().GetColor().w : 0.0f; }

bool IsModelIdle(const GUIWindow* window) {
  const RenderObject* model = window != nullptr ? window->GetVisual().GetModel() : nullptr;
  return model == nullptr || !model->GetAnimation().IsPlaying();
}

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value < 0 ? 0 : value);
  return text;
}

}  // namespace

std::array<std::string, 2> GamePanel::FormatSearchTimer(float countdown) {
  const float seconds_left = countdown > 0.0f ? countdown : 0.0f;
  const int minutes = static_cast<int>(seconds_left / 60.0f);
  const int seconds = static_cast<int>(seconds_left - 60.0f * static_cast<float>(minutes));
  return {TwoDigits(minutes), TwoDigits(seconds)};
}

void GamePanel::StartSearchCountdown() {
  m_countdown = m_full_reward_time + m_reduced_reward_time;
  m_penalty = 0.0f;
  m_reminder = 60.0f;
  m_reward_blink = true;
  m_blink_shown = true;
  m_reward_icons.clear();
  for (int i = 0; i < kHintIcons && m_reward_icons.size() < 2; ++i) {
    if (m_hint_icons[i] != nullptr && !m_hint_icons[i]->IsShown() && m_hint_strokes[i] != nullptr) {
      m_reward_icons.push_back(m_hint_strokes[i]);
      m_hint_strokes[i]->Show(true);
    }
  }
}

void GamePanel::StepSearchTimers(float dt) {
  const bool penalised = m_penalty > 0.0f;
  m_reminder -= dt;
  m_penalty -= dt;
  m_countdown -= dt;
  if (m_penalty > 0.0f) m_countdown -= 10.0f * dt;
  if (penalised && m_penalty <= 0.0f && m_less_time_sound) cSoundPlayer::GetInstance()->Stop(m_less_time_sound);
  UpdateRewards();
  const std::array<std::string, 2> text = FormatSearchTimer(m_countdown);
  if (GUIWindow* left = Child("left_true")) left->SetValue("text", text[0]);
  if (GUIWindow* centre = Child("center_true")) centre->SetValue("text", ":");
  if (GUIWindow* right = Child("right_true")) right->SetValue("text", text[1]);
}

void GamePanel::UpdateRewards() {
  const int hints = CurrentProfile != nullptr ? CurrentProfile->m_progress.m_hints : 0;
  GUIWindow* last = m_reward_icons.empty() ? nullptr : m_reward_icons.back();
  if (m_countdown <= m_reduced_reward_time) {
    m_reward_blink = false;
    if (hints < 4 && last != nullptr) last->Show(false);
    return;
  }
  if (hints >= 4 || m_countdown > m_reduced_reward_time + 10.0f || m_reward_icons.size() <= 1) return;
  if (CurrentProfile != nullptr && CurrentProfile->m_progress.m_tips[kRewardTip] != 0) {
    CurrentProfile->m_progress.m_tips[kRewardTip] = 0;
    ShowHelp(true, "ispy2_ispy");
  }
  const int whole = static_cast<int>(m_countdown - m_reduced_reward_time);
  m_blink_shown = whole % 2 == 0;
  last->Show(m_blink_shown);
}

void GamePanel::UpdateFade(float dt) {
  m_fade_timer -= dt;
  if (m_fade_timer < 0.0f) return;
  const float step = (m_fade_timer > 1.0f ? 3.0f : -3.0f) * dt;
  for (GUIWindow* window : m_fading) SetAlpha(window, AlphaOf(window) + step);
}

void GamePanel::UpdateHeroAnimation() {
  GUIWindow* heroes[] = {Child("pell_tanford_0"), Child("pell_tanford_1")};
  if (m_hero_requested) {
    for (GUIWindow* hero : heroes) {
      if (hero == nullptr || !IsModelIdle(hero)) continue;
      hero->Show(true);
      if (RenderObject* model = hero->GetVisual().GetModel()) {
        model->GetAnimation().SetTime(0.0f);
        model->GetAnimation().Play();
      }
      m_hero_requested = false;
    }
    return;
  }
  for (GUIWindow* hero : heroes) {
    if (hero != nullptr && hero->IsShown() && IsModelIdle(hero)) hero->Show(false);
  }
}

void GamePanel::UpdatePortrait(float dt) {
  m_eye_timer -= dt;
  if (m_eye_timer < 0.0f) {
    GUIWindow* eyes = Child("hero_eyes");
    const bool shown = eyes != nullptr ? !eyes->IsShown() : false;
    if (eyes != nullptr) eyes->Show(shown);
    m_eye_timer = shown ? 0.3f : 5.0f + static_cast<float>(Rand() % 5);
  }
  m_lip_timer -= dt;
  if (m_lip_timer < 0.0f) {
    GUIWindow* lips = Child("hero_lips");
    const bool shown = lips != nullptr ? !lips->IsShown() : false;
    if (lips != nullptr) lips->Show(shown);
    m_lip_timer = shown ? 15.0f : 2.0f;
  }
}

void GamePanel::PlaceItemInHand() {
  GUIWindow* cursor = m_inventory->GetCursorWindow();
  const GUISystem* gui = GUISystem::PeekInstance();
  if (GetItemInHand().empty() || cursor == nullptr || gui == nullptr) return;
  const Vector2 mouse = gui->GetMousePosition();
  const Matrix4 before = cursor->GetWorld();
  cursor->SetMatrix(Matrix4::MakeTranslation(mouse.x + 40.0f, mouse.y - 40.0f, 0.0f));
  cursor->UpdateWorldMatrix();
  // The clone was placed at the cursor window when it was taken: it moves with the window.
  if (RenderObject* clone = m_inventory->GetHandClone()) {
    Matrix4 world = clone->GetWorldMatrix();
    for (int i = 12; i < 15; ++i) world.m[i] += cursor->GetWorld().m[i] - before.m[i];
    clone->SetWorldMatrix(world);
  }
}

void GamePanel::Update() {
  DeleteRetiredSearchWindows();
  if (!m_game_running) return;
  const cTimerManager* timer = cTimerManager::PeekInstance();
  const float dt = timer != nullptr ? timer->GetFrameDelta() : 0.0f;
  UpdateFade(dt);
  if (GUIWindow* error = Child("get_hint_error"); error != nullptr && error->IsShown() && IsModelIdle(error)) {
    error->Show(false);
  }
  UpdateHeroAnimation();
  UpdateSearch(dt);
  UpdatePortrait(dt);
  UpdateDiaryNotice(dt);
  if (GUIWindow* get_hint = Child("get_hint")) {
    const int hints = CurrentProfile != nullptr ? CurrentProfile->m_progress.m_hints : 0;
    get_hint->SetEnabled(hints < kMaxHints && m_inventory_shown);
  }
  m_inventory->UpdateFlights(dt);
  PlaceItemInHand();
  const cInput* input = cInput::PeekInstance();
  const bool released = input != nullptr && input->Mouse().IsReleased(cInput::kMouseLeft);
  if (released) TakeItemInHand(std::string(), 0);
  m_tooltip->Show(false);
  UpdateSlots(released);
}

void GamePanel::UpdateSlots(bool released) {
  const auto& entries = m_inventory->GetEntries();
  const bool over = IsMouseOverPanel() && HintWindow::GetInstance()->GetSequence() == nullptr;
  const float dt = cTimerManager::PeekInstance() != nullptr ? cTimerManager::PeekInstance()->GetFrameDelta() : 0.0f;
  const GUISystem* gui = GUISystem::PeekInstance();
  for (size_t slot = 0; slot < entries.size() && slot < 9; ++slot) {
    InventoryEntry& entry = *entries[slot];
    RenderObject* highlight = entry.m_highlight;
    const bool hit = over && !IsSearchRunning() && gui != nullptr && entry.m_model != nullptr &&
                     entry.m_model->IsVisible() &&
                     entry.m_model->PickByRay(gui->GetRayOrigin(), gui->GetRayDirection());
    if (highlight != nullptr) {
      Vector4 colour = highlight->GetColor();
      colour.w = hit ? 1.0f : Clamp01(colour.w - 5.0f * dt);
      highlight->SetColor(colour);
      highlight->SetVisible(hit || entry.m_model->IsVisible());
    }
    if (!hit) continue;
    const Vector2 mouse = gui->GetMousePosition();
    const std::u16string name = PhraseDatabase::GetInstance()->GetText(entry.m_name);
    m_tooltip->SetValue("text", WideToUtf8(name));
    m_tooltip->SetMatrix(Matrix4::MakeTranslation(KeepLineOnScreen(mouse.x, 0, name), mouse.y + 10.0f, 0.0f));
    m_tooltip->Show(true);
    if (released) TakeItemInHand(entry.m_name, entry.m_count);
  }
  if (over && IsHelpShown()) m_help_window->HandleMouse(gui->GetMousePosition(), false);
}
