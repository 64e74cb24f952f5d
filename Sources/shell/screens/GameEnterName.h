#pragma once
// The name entry dialog: a title, a prompt, an edit box and OK/Cancel. One for the whole
// program, made on first use. It stores nothing: the typed text reaches the caller's callbacks
// through the dialog's value "edit_text" (UTF-8, as typed). OK is enabled only while the text,
// trimmed of spaces and control characters at both ends, is not empty.

#include <string>

#include "gui/include/DialogWindow.h"
#include "source/core/Delegate.h"

class GameEnterName : public DialogWindow {
 public:
  GameEnterName();
  ~GameEnterName() override;

  DelegateArg OnOk(DelegateArg sender);
  DelegateArg OnCancel(DelegateArg sender);
  DelegateArg OnEditChange(DelegateArg sender);
  void SetCallbacks(const DelegatePtr& on_accept, const DelegatePtr& on_cancel);
  void UpdateOkButton();
  // The edit box's text (UTF-8), or "" without one.
  std::string GetEditText();

 private:
  DelegatePtr m_on_accept;
  DelegatePtr m_on_cancel;
};

// Opens the dialog unless it is open already (the earlier request and its callbacks then stay).
// False when it cannot be built (its form missing or damaged: reported to the player).
bool ShowEnterNameDialog(const std::u16string& title, const std::u16string& prompt, const std::u16string& name,
                         const DelegatePtr& on_accept, const DelegatePtr& on_cancel);
// Shows the dialog, clears the linked statics, writes the title, prompt and name, updates OK.
void SetEnterNameTexts(const std::u16string& title, const std::u16string& prompt, const std::u16string& name);
// The dialog, or null before its first use.
GameEnterName* GetEnterNameDialog();
// The text without the characters up to 32 at either end.
std::u16string TrimName(const std::u16string& text);
// The name a callback gets from the dialog that sent it (UTF-16), trimmed as TrimName does.
std::u16string NameFromSender(DelegateArg sender);
