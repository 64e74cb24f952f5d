#include "Sources/adventure/ComicsWindow.h"

#include <algorithm>

#include "gui/include/GUIStatic.h"
#include "gui/include/GUIWidgetSupport.h"
#include "source/input/cInput.h"
#include "source/render/RenderObject.h"

ComicsWindow::ComicsWindow(GUIWindow* parent, const std::string& form, bool keep, bool skip)
    : GUIStateWindow("comics", parent), m_caption(new GUIStatic(this, "press key")), m_keep(keep), m_skip(skip) {
  SetFormByName(form);
  m_caption->MoveToFront(false);  // drawn over the form's pictures, which came after it
  m_caption->SetAlignment("cb");
  m_caption->SetMatrix(Matrix4::MakeTranslation(512.0f, 10.0f, 0.0f));  // the screen's bottom middle
  m_caption->SetValue("font_id", "13");
  m_caption->SetValue("text_id", "HIT_MOUSE_BUTTON_TO_CONTINUE");
  m_caption->Show(false);
  SetState(kHidden);
}

ComicsWindow::~ComicsWindow() {
  if (m_open) Hide();
}

void ComicsWindow::Show() {
  m_caption->SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.0f));
  m_caption->Show(false);
  m_pressed = m_ready = false;
  m_alpha = 1.0f;
  // A button or key still down as the page comes belongs to the click that ended the page before:
  // the page waits for it to be let go, so one click never passes two pages.
  const cInput* input = cInput::PeekInstance();
  m_held_at_show = input != nullptr && (input->Mouse().IsDown(cInput::kMouseLeft) ||
                                        (input->Modifiers().current != nullptr &&
                                         input->Modifiers().IsDown(cInput::kModifierAnyKey)));
  m_press_seen = false;
  GUIStateWindow::Show();
  GUIWindow* parent = GetParent();
  if (parent == nullptr) return;
  GUIWindow* active = parent->GetActiveChild();
  m_previous_active = active != this ? active : nullptr;
  SetActiveChild(parent, this);
}

void ComicsWindow::Hide() {
  GUIStateWindow::Hide();
  GUIWindow* parent = GetParent();
  if (parent != nullptr && parent->GetActiveChild() == this) SetActiveChild(parent, m_previous_active);
  m_previous_active = nullptr;
}

bool ComicsWindow::IsWorkingFinished(float dt) {
  if (m_open && !IsAnimationPlaying()) {
    m_caption->Show(true);
    const float alpha = std::min(m_caption->GetVisual().GetColor().w + dt, 1.0f);
    m_caption->SetColor(Vector4(1.0f, 1.0f, 1.0f, alpha));
    m_ready = true;
  }
  if (!m_ready || !m_pressed) return false;
  if (!m_keep) {
    // The page fades out over a second after the press.
    m_alpha = std::clamp(m_alpha - dt, 0.0f, 1.0f);
    SetColor(Vector4(1.0f, 1.0f, 1.0f, m_alpha));
    if (m_alpha > 0.0f) return false;
  }
  Hide();  // gives the mouse back before it disappears
  return true;
}

void ComicsWindow::SkipAnimations() {
  for (RenderObject* model : FormModels()) {
    AnimationController& animation = model->GetAnimation();
    animation.SetTime(animation.GetLength());
  }
}

bool ComicsWindow::HandleMouse(const Vector2& point, bool button_down) {
  const cInput* input = cInput::PeekInstance();
  const bool modifiers = input != nullptr && input->Modifiers().current != nullptr;
  if (m_held_at_show) {
    const bool held = input != nullptr && (input->Mouse().IsDown(cInput::kMouseLeft) ||
                                           (modifiers && input->Modifiers().IsDown(cInput::kModifierAnyKey)));
    m_held_at_show = held;  // the last click's release is spent here
    return GUIStateWindow::HandleMouse(point, button_down);
  }
  const bool key = modifiers && input->Modifiers().IsPressed(cInput::kModifierAnyKey);
  const bool fresh = IsLeftButtonFreshPress();
  if (fresh && m_open) m_press_seen = true;
  if (m_ready && !m_pressed) {
    // A release counts only for a press this page saw.
    m_pressed = fresh || (m_press_seen && IsLeftButtonReleased()) || key;
  } else if (!m_ready && fresh && m_open) {
    if (m_skip) {
      SkipAnimations();
    } else {
      Hide();
    }
  }
  return GUIStateWindow::HandleMouse(point, button_down);
}
