#pragma once
// A button that a click checks and unchecks ("checked"). Its looks add the checked ones.

#include "gui/include/GUIButton.h"

class GUICheckBox : public GUIButton {
 public:
  GUICheckBox(GUIWindow* parent, const std::string& name);

  const char* GetTypeName() const override { return "checkbox"; }
  // A completed click leaves the box flipped; "on_click" already reads the new value.
  bool HandleMouse(const Vector2& point, bool button_down) override;
  uint32_t GetVisualState() const override;

  bool IsChecked() const { return m_checked; }

 private:
  bool m_checked = false;
};

// The look of a check or radio box: its button state with its checked flag.
uint32_t CheckedLook(int32_t state, bool checked);
