#pragma once
// The credits page the main menu opens after its hover laps: a full-screen page from the form
// "gui\credits\credits" that appears, then shows a caption asking for a mouse button and ends
// on a click or a key. A click while it still appears closes it at once. Its owner deletes it
// once it has gone.

#include "gui/include/GUIStateWindow.h"

class GUIStatic;

class CreditsWindow : public GUIStateWindow {
 public:
  CreditsWindow(GUIWindow* parent, const std::string& form);
  ~CreditsWindow() override;

  void Show() override;
  void Hide() override;
  using GUIStateWindow::Show;
  bool HandleMouse(const Vector2& point, bool button_down) override;
  bool IsWorkingFinished(float dt) override;

  bool IsReady() const { return m_ready; }

 private:
  GUIStatic* m_caption;  // a child: the tree deletes it
  GUIWindow* m_previous_active = nullptr;
  bool m_pressed = false;
  bool m_ready = false;
};
