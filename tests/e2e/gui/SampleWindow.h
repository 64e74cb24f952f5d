#pragma once
// A window of the GUI sample: a dialog built from a form whose windows are plain coloured quads.
// Until the widgets exist it plays their part: each window is drawn in its own colour times the
// dialog's brightness (so a dialog under another dims), a window named "button_..." brightens
// under the pointer, and a fresh press on one calls the handler with its name.

#include <functional>
#include <string>
#include <vector>

#include "gui/include/DialogWindow.h"

class SampleWindow : public DialogWindow {
 public:
  using ButtonHandler = std::function<void(const std::string& button)>;

  SampleWindow(const std::string& name, const std::string& form, ButtonHandler on_button);

  bool Update() override;
  bool HandleMouse(const Vector2& point, bool button_down) override;

 private:
  struct Look {
    GUIWindow* window;
    Vector4 colour;
    bool button;
  };
  void Remember(GUIWindow& window);

  std::vector<Look> m_looks;
  ButtonHandler m_on_button;
  bool m_was_down = true;  // a press already held when the window opens is not a click
};
