#pragma once
// A button that a click checks and that unchecks every sibling window: the radio group of a box
// is all its siblings.

#include "gui/include/GUIButton.h"

class GUIRadioButton : public GUIButton {
 public:
  GUIRadioButton(GUIWindow* parent, const std::string& name);

  const char* GetTypeName() const override { return "radiobutton"; }
  // A click on an unchecked box checks it after "on_click" (which reads the old value).
  bool HandleMouse(const Vector2& point, bool button_down) override;
  uint32_t GetVisualState() const override;

  // False unchecks this box only; true sets "radio" to "false" on every sibling, then checks it.
  void SetRadio(bool checked);
  bool IsChecked() const { return m_checked; }

 private:
  bool m_checked = false;
};
