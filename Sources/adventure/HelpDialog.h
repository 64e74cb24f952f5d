#pragma once
// The small help dialog of the in-game menu: one page of text from "gui\help\help" and its OK
// button. The panel makes it once and shows it from the menu.

#include "gui/include/DialogWindow.h"

class HelpDialog : public DialogWindow {
 public:
  static constexpr const char* kForm = "gui\\help\\help";

  HelpDialog();
  DelegateArg OnOk(DelegateArg sender);
};
