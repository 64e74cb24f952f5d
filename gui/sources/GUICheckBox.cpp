#include "gui/include/GUICheckBox.h"

#include "gui/include/GUIAttribute.h"

uint32_t CheckedLook(int32_t state, bool checked) {
  // Looks by state (normal, hover, pressed, disabled), unchecked then checked.
  static constexpr uint32_t kUnchecked[4] = {0, 1, 2, 6};
  static constexpr uint32_t kChecked[4] = {3, 8, 9, 8};
  const int32_t index = state >= 0 && state < 4 ? state : 0;
  return checked ? kChecked[index] : kUnchecked[index];
}

GUICheckBox::GUICheckBox(GUIWindow* parent, const std::string& name) : GUIButton(parent, name) {
  AddGuiAttribute<bool>(GetProperties(), "checked", [this] { return m_checked; },
                        [this](const bool& checked) { m_checked = checked; });
}

bool GUICheckBox::HandleMouse(const Vector2& point, bool button_down) {
  m_checked = !m_checked;
  const bool result = GUIButton::HandleMouse(point, button_down);
  if (!WasClicked()) m_checked = !m_checked;
  return result;
}

uint32_t GUICheckBox::GetVisualState() const { return CheckedLook(GetState(), m_checked); }
