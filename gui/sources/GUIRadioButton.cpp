#include "gui/include/GUIRadioButton.h"

#include "gui/include/GUIAttribute.h"
#include "gui/include/GUICheckBox.h"

GUIRadioButton::GUIRadioButton(GUIWindow* parent, const std::string& name) : GUIButton(parent, name) {
  AddGuiAttribute<bool>(GetProperties(), "radio", nullptr, [this](const bool& checked) { SetRadio(checked); });
}

bool GUIRadioButton::HandleMouse(const Vector2& point, bool button_down) {
  const bool result = GUIButton::HandleMouse(point, button_down);
  if (WasClicked() && !m_checked && GetParent() != nullptr) SetRadio(true);
  return result;
}

void GUIRadioButton::SetRadio(bool checked) {
  if (!checked) {
    m_checked = false;
    return;
  }
  if (GUIWindow* parent = GetParent()) {
    // A copy: a sibling's value may change the parent's list.
    const std::vector<GUIWindow*> siblings = parent->GetChildren();
    for (GUIWindow* sibling : siblings) {
      if (sibling != this) sibling->SetValue("radio", "false");
    }
  }
  m_checked = true;
}

uint32_t GUIRadioButton::GetVisualState() const { return CheckedLook(GetState(), m_checked); }
