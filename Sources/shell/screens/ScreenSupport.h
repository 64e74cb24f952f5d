#pragma once
// Small helpers every shell screen uses: texts by key, texts written into children, the GUI
// cursor by name, and member handlers bound to children's events.

#include <initializer_list>
#include <string>
#include <utility>

#include "source/core/Delegate.h"

class GUIStateWindow;
class GUIWindow;

// The text of the key in the current text table (empty without one).
std::u16string ShellText(const std::string& key);
// The texts of the keys joined by single spaces.
std::u16string JoinShellTexts(std::initializer_list<const char*> keys);
// A player's name as every screen draws it: right-to-left runs in reading order, as the edit box
// that took it showed them.
std::u16string ShownPlayerName(const std::u16string& name);
// The child's value "text" becomes `text` (UTF-8); a missing child is skipped.
void SetChildText(GUIWindow& window, const std::string& child, const std::u16string& text);
// Every child whose "link" is "true" gets an empty text (the rest of a longer, earlier text).
void ClearLinkedTexts(GUIWindow& window);
// Selects the GUI cursor of that name; nothing without a GUI.
void SetGuiCursor(const std::string& name);
// True when the window has its form. A dialog without one would be an invisible window holding
// the mouse (its form missing or damaged): it is not shown, and the player is told (see
// UnbuiltScreens.h).
bool CanShowDialog(const GUIStateWindow* window);
// Binds `delegate` to the child's event; a missing child gets none.
void BindChild(GUIWindow& window, const std::string& child, const std::string& event, const DelegatePtr& delegate);

// A delegate around any callable taking the sender (the window that fired).
template <class F>
class CallableDelegate : public cDelegate {
 public:
  explicit CallableDelegate(F function) : m_function(std::move(function)) {}
  const void* GetObject() const override { return this; }
  const void* GetFunction() const override { return nullptr; }
  DelegateArg Invoke(DelegateArg argument) override {
    m_function(argument);
    return 0;
  }

 private:
  F m_function;
};
template <class F>
DelegatePtr MakeCallableDelegate(F function) {
  return DelegatePtr(new CallableDelegate<F>(std::move(function)));
}
