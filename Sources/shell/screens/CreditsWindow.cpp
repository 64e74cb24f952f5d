#include "Sources/shell/screens/CreditsWindow.h"

#include <algorithm>

#include "gui/include/DialogWindow.h"
#include "gui/include/GUIStatic.h"
#include "gui/include/GUIWidgetSupport.h"
#include "source/input/cInput.h"

CreditsWindow::CreditsWindow(GUIWindow* parent, const std::string& form)
    : GUIStateWindow("comics", parent), m_caption(new GUIStatic(this, "press key")) {
  SetFormByName(form);
  m_caption->SetAlignment("cb");
  m_caption->SetMatrix(Matrix4::MakeTranslation(0.0f, 10.0f, 0.0f));
  m_caption->SetValue("font_id", "13");
  m_caption->SetValue("text_id", "HIT_MOUSE_BUTTON_TO_CONTINUE");
  m_caption->Show(false);
  SetState(kHidden);
}

CreditsWindow::~CreditsWindow() {
  if (m_open) Hide();
}

void CreditsWindow::Show() {
  m_caption->SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.0f));
  m_caption->Show(false);
  m_pressed = m_ready = false;
  GUIStateWindow::Show();
  GUIWindow* parent = GetParent();
  if (parent == nullptr) return;
  GUIWindow* active = parent->GetActiveChild();
  m_previous_active = active != this ? active : nullptr;
  SetActiveChild(parent, this);
}

void CreditsWindow::Hide() {
  GUIStateWindow::Hide();
  GUIWindow* parent = GetParent();
  if (parent != nullptr && parent->GetActiveChild() == this) SetActiveChild(parent, m_previous_active);
  m_previous_active = nullptr;
}

bool CreditsWindow::IsWorkingFinished(float dt) {
  if (!m_ready && !IsAnimationPlaying()) {
    m_caption->Show(true);
    m_ready = true;
  }
  if (m_ready) {
    const float alpha = std::min(m_caption->GetVisual().GetColor().w + dt, 1.0f);
    m_caption->SetColor(Vector4(1.0f, 1.0f, 1.0f, alpha));
  }
  if (!m_ready || !m_pressed) return false;
  Hide();  // gives the mouse back before it disappears
  return true;
}

bool CreditsWindow::HandleMouse(const Vector2& point, bool button_down) {
  const cInput* input = cInput::PeekInstance();
  const bool key = input != nullptr && input->Modifiers().current != nullptr &&
                   input->Modifiers().IsPressed(cInput::kModifierAnyKey);
  if (m_ready && !m_pressed) {
    m_pressed = IsLeftButtonFreshPress() || IsLeftButtonReleased() || key;
  } else if (!m_ready && IsLeftButtonFreshPress() && m_open) {
    Hide();
  }
  return GUIStateWindow::HandleMouse(point, button_down);
}
