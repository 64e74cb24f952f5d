#pragma once
// A modal state window under "user": shown, it becomes the end of the active path, so it alone
// gets the mouse; hidden, the window that was modal before it is modal again. While another
// window is modal above it, it is dimmed: its brightness falls to 0.7, and climbs back to 1 after.
// Dialogs may be hidden in any order: one hidden while another is above it leaves the chain of
// remembered windows whole.

#include <string>

#include "gui/include/GUIStateWindow.h"

class DialogWindow : public GUIStateWindow {
 public:
  explicit DialogWindow(const std::string& name);
  ~DialogWindow() override;

  bool Update() override;
  void Show() override;
  void Hide() override;
  using GUIStateWindow::Show;

  // Gives the mouse back to the window remembered at Show, when this dialog still holds it.
  void RestorePreviousActive();

  // The window remembered at Show; the dialog itself when none is remembered.
  GUIWindow* GetPreviousActive() const { return m_previous_active; }
  bool IsDimmed() const { return m_dimmed; }
  const Vector4& GetBrightness() const { return m_brightness; }

  // A window is going: no dialog may remember it any longer.
  static void ForgetWindow(const GUIWindow* window);

  static constexpr float kDimmedBrightness = 0.7f;
  static constexpr float kBrightnessRate = 2.0f;  // a second

 private:
  // Dialogs that remember this one remember what this one remembered instead.
  void LeaveChain();

  GUIWindow* m_previous_active;
  bool m_dimmed = false;
  Vector4 m_brightness{1.0f, 1.0f, 1.0f, 1.0f};
};
