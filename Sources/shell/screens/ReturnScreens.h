#pragma once
// The records and help screens of the main menu: a fixed page from a form with one button that
// returns to the state the screen was made with.

#include <string>

#include "gui/include/DialogWindow.h"

class cGameState;

class ReturnScreen : public DialogWindow {
 public:
  ReturnScreen(const std::string& name, const std::string& form, const std::string& button,
               cGameState* return_state);
  DelegateArg OnReturn(DelegateArg sender);

 private:
  cGameState* m_return_state;  // not owned
};

class GameRecords : public ReturnScreen {
 public:
  explicit GameRecords(cGameState* return_state)
      : ReturnScreen("GameRecords", "gui\\windows\\records", "ok_btn", return_state) {}
};

class GameHelp : public ReturnScreen {
 public:
  explicit GameHelp(cGameState* return_state)
      : ReturnScreen("GameHelp", "gui\\windows\\help", "return_btn", return_state) {}
};
