#pragma once
// A track with a draggable knob (the toddler, a child button named after the slider plus
// "_toddler") that holds a value between a minimum and a maximum: a drag moves it in proportion
// to the track's length, a press on the track pages it toward the press, and every change of the
// value fires "on_change". Horizontal, or vertical with the value growing downward.

#include <cstdint>
#include <string>

#include "gui/include/GUIWindow.h"

class GUIButton;

class GUISlider : public GUIWindow {
 public:
  enum State : int32_t { kNormal = 0, kHover = 1, kDisabled = 2 };
  enum Orientation : int32_t { kHorizontal = 0, kVertical = 1 };

  GUISlider(GUIWindow* parent, const std::string& name);
  ~GUISlider() override;

  const char* GetTypeName() const override { return "slider"; }
  void SetVisible(bool v) override;
  bool Update() override;
  bool HandleMouse(const Vector2& point, bool button_down) override;
  bool ApplyTransform() override;
  void SetEnabled(bool enabled) override;

  virtual float GetMin() const { return m_min; }
  virtual float GetCur() const { return m_cur; }
  virtual float GetMax() const { return m_max; }
  // The toddler takes the slider's axes scaled to this size.
  virtual void SetToddlerSize(const Vector2& size);
  virtual void SetToddlerModel(const std::string& name);
  virtual void SetToddlerShader(const std::string& name);
  // Stores the bound and clamps the value again (which may fire "on_change").
  virtual void SetMin(float value);
  // The value clamped to min..max (anything that is not a number is min); "on_change" fires when
  // it changes.
  virtual void SetCur(float value);
  virtual void SetMax(float value);

  int32_t GetState() const { return m_state; }
  int32_t GetOrientation() const { return m_orientation; }
  bool IsDragging() const { return m_dragging; }
  GUIButton* GetToddler() const { return m_toddler; }
  const Vector2& GetToddlerSize() const { return m_toddler_size; }

 private:
  // The track's extent along the slider's axis; 0 without a model.
  float TrackLength() const;
  void Page(const Vector2& point);
  void Drag(const Vector2& point);
  void PlaceToddler();

  int32_t m_state = kNormal;
  int32_t m_orientation = kHorizontal;
  float m_min = 0.0f;
  float m_max = 100.0f;
  float m_cur = 0.0f;
  float m_page = 5.0f;
  Vector2 m_last_mouse;
  Vector2 m_toddler_size{32.0f, 32.0f};
  bool m_dragging = false;
  GUIButton* m_toddler = nullptr;  // a child: the tree deletes it
};
