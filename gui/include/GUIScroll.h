#pragma once
// A slider with two step buttons, "_inc" (one down) and "_dec" (one up), for scrolling lists. A
// completed click on either steps the value by exactly 1, at most once every 0.2 seconds.

#include "gui/include/GUISlider.h"

class GUIScroll : public GUISlider {
 public:
  GUIScroll(GUIWindow* parent, const std::string& name);

  const char* GetTypeName() const override { return "scroll"; }
  bool HandleMouse(const Vector2& point, bool button_down) override;
  void SetEnabled(bool enabled) override;
  // The slider's, and the toddler takes the scroll's own toddler sounds.
  void SetToddlerSize(const Vector2& size) override;

  GUIButton* GetIncrease() const { return m_inc; }
  GUIButton* GetDecrease() const { return m_dec; }

  static constexpr float kRepeatSeconds = 0.2f;

 private:
  GUIButton* m_inc = nullptr;  // children: the tree deletes them
  GUIButton* m_dec = nullptr;
  float m_repeat_timer = 0.0f;
};
