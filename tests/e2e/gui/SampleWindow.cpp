#include "tests/e2e/gui/SampleWindow.h"

#include <algorithm>

#include "source/log/cLog.h"

namespace {
constexpr float kHoverGain = 1.25f;
}

SampleWindow::SampleWindow(const std::string& name, const std::string& form, ButtonHandler on_button)
    : DialogWindow(name), m_on_button(std::move(on_button)) {
  SetFormByName(form);
  for (GUIWindow* child : GetChildren()) Remember(*child);
}

void SampleWindow::Remember(GUIWindow& window) {
  m_looks.push_back(Look{&window, window.GetVisual().GetColor(), window.GetName().rfind("button_", 0) == 0});
  for (GUIWindow* child : window.GetChildren()) Remember(*child);
}

bool SampleWindow::Update() {
  const bool result = DialogWindow::Update();
  const Vector4& light = GetBrightness();
  for (const Look& look : m_looks) {
    const float gain = look.button && look.window->IsHover() ? kHoverGain : 1.0f;
    const Vector4& c = look.colour;
    look.window->GetVisual().SetColor(Vector4(std::min(1.0f, c.x * light.x * gain), std::min(1.0f, c.y * light.y * gain),
                                              std::min(1.0f, c.z * light.z * gain), c.w));
  }
  return result;
}

bool SampleWindow::HandleMouse(const Vector2& point, bool button_down) {
  const bool taken = DialogWindow::HandleMouse(point, button_down);
  const bool pressed = button_down && !m_was_down;
  m_was_down = button_down;
  if (!pressed || GetState() != kWorking) return taken;
  for (const Look& look : m_looks) {
    if (!look.button || !look.window->IsHover()) continue;
    LogReport(kLogPlain, "gui sample", __LINE__, "%s: %s pressed", GetName().c_str(), look.window->GetName().c_str());
    if (m_on_button) m_on_button(look.window->GetName());
    break;
  }
  return true;
}
