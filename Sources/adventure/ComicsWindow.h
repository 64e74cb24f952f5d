#pragma once
// One full-screen picture page over the game (a comics page between locations, or the credits):
// it plays its form's appear animation, then asks for a mouse button at the bottom and waits;
// a mouse button or a key then fades the page out (or ends it at once with the keep flag), after
// which its owner removes it.

#include <string>

#include "gui/include/GUIStateWindow.h"

class GUIStatic;

class ComicsWindow : public GUIStateWindow {
 public:
  // `keep`: the page ends on the press without fading out. `skip`: a press while the page still
  // appears brings its animations to their end instead of closing it.
  ComicsWindow(GUIWindow* parent, const std::string& form, bool keep, bool skip);
  ~ComicsWindow() override;

  bool HandleMouse(const Vector2& point, bool button_down) override;
  bool IsWorkingFinished(float dt) override;
  void Show() override;
  void Hide() override;
  using GUIStateWindow::Show;

  bool IsReady() const { return m_ready; }
  bool IsPressed() const { return m_pressed; }
  float GetAlpha() const { return m_alpha; }

 private:
  // Every child's model jumps to the end of its animation.
  void SkipAnimations();

  GUIStatic* m_caption;  // a child: the tree deletes it
  GUIWindow* m_previous_active = nullptr;
  float m_alpha = 1.0f;
  bool m_pressed = false;
  bool m_ready = false;
  bool m_held_at_show = false;  // a button or key was down as the page came: wait for its release
  bool m_press_seen = false;    // the left button went down while the page was open
  bool m_keep;
  bool m_skip;
};
