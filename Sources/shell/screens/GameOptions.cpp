#include "Sources/shell/screens/GameOptions.h"

#include <cmath>
#include <cstdlib>

#include "Sources/shell/screens/ScreenSupport.h"
#include "source/properties/cProperties.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSettings.h"
#include "source/render/RenderSystem.h"
#include "source/sound/cSoundManager.h"

namespace {

// A slider's value as whole percent, to the nearest step.
int SliderPercent(DelegateArg sender) {
  auto* slider = reinterpret_cast<GUIWindow*>(sender);
  if (slider == nullptr) return 0;
  const double value = std::strtod(slider->GetValue("cur").c_str(), nullptr);
  if (!(value > 0.0)) return 0;
  return value >= 100.0 ? 100 : static_cast<int>(std::lround(value));
}

const char* BoolText(bool on) { return on ? "true" : "false"; }

}  // namespace

GameOptions::GameOptions(const std::string& form, cGameState* back_state)
    : DialogWindow("GameOptions"), m_back_state(back_state) {
  SetFormByName(form);
  SetState(kHidden);
  BindChild(*this, "sound_volume", "on_change", MakeMemberDelegate(this, &GameOptions::OnSoundVolume));
  BindChild(*this, "music_volume", "on_change", MakeMemberDelegate(this, &GameOptions::OnMusicVolume));
  BindChild(*this, "ok_btn", "on_click", MakeMemberDelegate(this, &GameOptions::OnOk));
  BindChild(*this, "defaults_btn", "on_click", MakeMemberDelegate(this, &GameOptions::OnDefaults));
  BindChild(*this, "cancel_btn", "on_click", MakeMemberDelegate(this, &GameOptions::OnCancel));
}

int GameOptions::ToPercent(float fraction) {
  if (!(fraction > 0.0f)) return 0;
  return fraction >= 1.0f ? 100 : static_cast<int>(std::lround(fraction * 100.0f));
}

void GameOptions::Show() {
  DialogWindow::Show();
  if (cSoundManager* sound = cSoundManager::PeekInstance()) {
    m_saved_sound = sound->GetSoundVolume();
    m_saved_music = sound->GetMusicVolume();
  }
  m_relax_mode = false;
  m_full_screen = g_render_settings.fullscreen;
  // The sliders show whole steps; writing them must not move a volume that lies between steps.
  m_filling = true;
  if (GUIWindow* slider = FindChild("sound_volume")) slider->SetValue("cur", std::to_string(ToPercent(m_saved_sound)));
  if (GUIWindow* slider = FindChild("music_volume")) slider->SetValue("cur", std::to_string(ToPercent(m_saved_music)));
  if (GUIWindow* box = FindChild("relax_mode")) box->SetValue("checked", BoolText(m_relax_mode));
  if (GUIWindow* box = FindChild("full_screen")) box->SetValue("checked", BoolText(m_full_screen));
  m_filling = false;
}

DelegateArg GameOptions::OnSoundVolume(DelegateArg sender) {
  if (m_filling) return 0;
  if (cSoundManager* sound = cSoundManager::PeekInstance()) sound->SetSoundVolume(SliderPercent(sender));
  return 0;
}

DelegateArg GameOptions::OnMusicVolume(DelegateArg sender) {
  if (m_filling) return 0;
  if (cSoundManager* sound = cSoundManager::PeekInstance()) sound->SetMusicVolume(SliderPercent(sender));
  return 0;
}

DelegateArg GameOptions::OnOk(DelegateArg) {
  GUIWindow* box = FindChild("full_screen");
  const std::string checked = box != nullptr ? box->GetValue("checked") : std::string();
  cProperties* properties = cProperties::GetInstance();
  if (box != nullptr && checked != properties->GetValue("video_fullscreen")) {
    properties->SetValue("video_fullscreen", checked);
    RenderManager* render = RenderManager::PeekInstance();
    if (ModelManager* models = render != nullptr ? render->GetModelManager() : nullptr) models->SetModeChanged(true);
    if (RenderSystem* system = render != nullptr ? render->GetRenderSystem() : nullptr) {
      system->IsVideoModeCurrent();
      system->ResetDevice(kResetRecreateDevice | kResetRestoreResources);
    }
  }
  Close();
  return 0;
}

DelegateArg GameOptions::OnDefaults(DelegateArg) {
  if (GUIWindow* slider = FindChild("sound_volume")) slider->SetValue("cur", "100");
  if (GUIWindow* slider = FindChild("music_volume")) slider->SetValue("cur", "100");
  if (GUIWindow* box = FindChild("relax_mode")) box->SetValue("checked", "false");
  if (GUIWindow* box = FindChild("full_screen")) box->SetValue("checked", "true");
  return 0;
}

DelegateArg GameOptions::OnCancel(DelegateArg) {
  if (cSoundManager* sound = cSoundManager::PeekInstance()) {
    // Only a volume that moved is set back, so one between steps is kept exactly.
    if (sound->GetSoundVolume() != m_saved_sound) sound->SetSoundVolume(ToPercent(m_saved_sound));
    if (sound->GetMusicVolume() != m_saved_music) sound->SetMusicVolume(ToPercent(m_saved_music));
  }
  Close();
  return 0;
}

void GameOptions::Close() {
  SetNextState(m_back_state);
  if (m_back_state == nullptr) SetState(kDisappear);
}
