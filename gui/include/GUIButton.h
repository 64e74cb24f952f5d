#pragma once
// The clickable widget: it follows the mouse over its model, shows four looks (normal, hover,
// pressed, disabled) as the frames of its shader, plays a sound when the mouse comes onto it and
// when it is pressed, and fires "on_click" when a press that began on it is released on it.

#include <cstdint>
#include <string>

#include "gui/include/GUIWindow.h"
#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"

class GUIButton : public GUIWindow {
 public:
  enum State : int32_t { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

  GUIButton(GUIWindow* parent, const std::string& name);
  ~GUIButton() override;

  const char* GetTypeName() const override { return "button"; }
  void SetVisible(bool v) override;
  bool HandleMouse(const Vector2& point, bool button_down) override;
  bool ApplyTransform() override;
  void SetEnabled(bool enabled) override;

  // The index of the look, the frame of the shader that shows it.
  virtual uint32_t GetVisualState() const { return static_cast<uint32_t>(m_state); }

  int32_t GetState() const { return m_state; }
  // "on_click" fired in the last mouse step.
  bool WasClicked() const { return m_clicked; }
  // For a parent that reads WasClicked after offering an event that may not reach the button.
  void ForgetClick() { m_clicked = false; }
  const cResourcePtr<cSoundResource>& GetSelectSound() const { return m_select_sound; }
  const cResourcePtr<cSoundResource>& GetClickSound() const { return m_click_sound; }

 private:
  // The model is hit by the pick ray through the point (its rectangle and its faces).
  bool IsModelHit(const Vector2& point) const;

  int32_t m_state = kNormal;
  bool m_fired = false;
  bool m_was_hover = true;  // no select sound in the first frame, even under the mouse
  bool m_clicked = false;
  bool m_pressed_inside = false;
  cResourcePtr<cSoundResource> m_select_sound;
  cResourcePtr<cSoundResource> m_click_sound;
};
