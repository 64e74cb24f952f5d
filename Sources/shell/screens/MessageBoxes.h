#pragma once
// The game's two message boxes: an OK box with a title and a text, and a Yes/No box that calls
// back one of two callbacks. Each is made on first use under "user" (window name "message_box")
// and reused for every later message; the game never deletes them (the GUI does at shut-down,
// and they are then forgotten). While a box is open a second message for it is dropped.

#include <string>

#include "gui/include/DialogWindow.h"
#include "source/core/Delegate.h"

// The Yes/No box: "yes" and "no" hide it and then invoke "on_yes" or "on_no" with the button.
class GameYesNoBox : public DialogWindow {
 public:
  GameYesNoBox();
  ~GameYesNoBox() override;
  DelegateArg OnYes(DelegateArg sender);
  DelegateArg OnNo(DelegateArg sender);
  // An empty callback empties its event.
  void SetCallbacks(const DelegatePtr& on_yes, const DelegatePtr& on_no);

 private:
  DelegatePtr m_on_yes;
  DelegatePtr m_on_no;
};

// The OK box: "ok" hides it and then invokes the callback of the message shown, if any.
class GameMessageBox : public DialogWindow {
 public:
  GameMessageBox();
  ~GameMessageBox() override;
  DelegateArg OnOk(DelegateArg sender);
  void SetCallback(const DelegatePtr& on_ok) { m_on_ok = on_ok; }

 private:
  DelegatePtr m_on_ok;
};

void ShowMessageBox(const std::u16string& title, const std::u16string& text, const DelegatePtr& on_ok = DelegatePtr());
// The OK box can be drawn: it is made (on first use) and has its form.
bool CanShowMessageBox();
void ShowYesNoBox(const std::u16string& text, const std::u16string& title, const DelegatePtr& on_yes,
                  const DelegatePtr& on_no);
// Either box exists and is open.
bool IsMessageBoxShown();
// Hides whichever box is open (the logo window does when it ends).
void HideMessageBoxes();
// Clears the linked statics, writes "title_text_0" and "main_text_0" and shows the box modally.
void SetMessageBoxTexts(DialogWindow& box, const std::u16string& title, const std::u16string& text);

// The boxes, or null before their first use.
GameMessageBox* GetMessageBox();
GameYesNoBox* GetYesNoBox();
