#include "gui/include/GUIScroll.h"

#include "gui/include/GUIAttribute.h"
#include "gui/include/GUIButton.h"
#include "gui/include/GUISounds.h"
#include "source/timer/cTimerManager.h"

namespace {

GUIButton* MakeStepButton(GUIWindow* scroll, const std::string& name) {
  auto* button = new GUIButton(scroll, name);
  SetGUISound(*button, "select_sound", kGUISoundScrollNavigationSelect);
  SetGUISound(*button, "click_sound", kGUISoundScrollNavigationClick);
  return button;
}

void AddButtonAttributes(PropertyMap& map, const std::string& prefix, GUIButton* button) {
  AddGuiAttribute<std::string>(map, prefix + "_model", nullptr,
                               [button](const std::string& name) { button->SetValue("model", name); });
  AddGuiAttribute<std::string>(map, prefix + "_shader", nullptr,
                               [button](const std::string& name) { button->SetValue("shader", name); });
  AddGuiAttribute<Matrix4>(map, prefix + "_matrix", nullptr, [button](const Matrix4& m) { button->SetMatrix(m); });
}

}  // namespace

GUIScroll::GUIScroll(GUIWindow* parent, const std::string& name)
    : GUISlider(parent, name), m_inc(MakeStepButton(this, name + "_inc")), m_dec(MakeStepButton(this, name + "_dec")) {
  AddButtonAttributes(GetProperties(), "inc", m_inc);
  AddButtonAttributes(GetProperties(), "dec", m_dec);
}

void GUIScroll::SetToddlerSize(const Vector2& size) {
  GUISlider::SetToddlerSize(size);
  SetGUISound(*GetToddler(), "select_sound", kGUISoundScrollToddlerSelect);
  SetGUISound(*GetToddler(), "click_sound", kGUISoundScrollToddlerClick);
}

bool GUIScroll::HandleMouse(const Vector2& point, bool button_down) {
  // The step buttons are children: the slider's step offers them this event, once (or not at all,
  // when the scroll is disabled or another child took it).
  m_inc->ForgetClick();
  m_dec->ForgetClick();
  const bool taken = GUISlider::HandleMouse(point, button_down);
  cTimerManager* timers = cTimerManager::PeekInstance();
  m_repeat_timer -= timers != nullptr ? timers->GetFrameDelta() : 0.0f;
  if (m_repeat_timer < 0.0f) {
    if (m_inc->WasClicked() && m_inc->IsHover()) {
      SetCur(GetCur() - 1.0f);
      m_repeat_timer = kRepeatSeconds;
    } else if (m_dec->WasClicked() && m_dec->IsHover()) {
      SetCur(GetCur() + 1.0f);
      m_repeat_timer = kRepeatSeconds;
    }
  }
  return taken || m_inc->WasClicked() || m_dec->WasClicked();
}

void GUIScroll::SetEnabled(bool enabled) {
  if (enabled == IsEnabled()) return;
  GUISlider::SetEnabled(enabled);
  m_inc->SetEnabled(enabled);
  m_dec->SetEnabled(enabled);
}
