#pragma once
// The widgets sample of the GUI driver: the options board built from its form (texts in the game's
// fonts, the music slider, the full-screen check box, the name field and the language menu). Every
// change a player makes is written to the log, where the end-to-end test reads the values.

#include <string>

#include "gui/include/DialogWindow.h"

class OptionsWindow : public DialogWindow {
 public:
  OptionsWindow();

 private:
  // Finds a window of the form by name (anywhere below) and hands its event to the log.
  void Watch(const std::string& window, const std::string& event);
  static void Report(GUIWindow* sender);
};
