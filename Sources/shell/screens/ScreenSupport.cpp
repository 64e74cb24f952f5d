#include "Sources/shell/screens/ScreenSupport.h"

#include "Sources/shell/screens/UnbuiltScreens.h"
#include "gui/include/GUICursor.h"
#include "gui/include/GUIStateWindow.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWidgetSupport.h"
#include "gui/include/GUIWindow.h"
#include "gui/include/TextFitting.h"
#include "source/text/TextConversion.h"

std::u16string ShellText(const std::string& key) { return LookUpText(key); }

std::u16string ShownPlayerName(const std::u16string& name) { return ReorderRightToLeft(name); }

std::u16string JoinShellTexts(std::initializer_list<const char*> keys) {
  std::u16string text;
  bool first = true;
  for (const char* key : keys) {
    if (!first) text += u' ';
    first = false;
    text += ShellText(key);
  }
  return text;
}

void SetChildText(GUIWindow& window, const std::string& child, const std::u16string& text) {
  if (GUIWindow* found = window.FindChild(child)) found->SetValue("text", WideToUtf8(text));
}

void ClearLinkedTexts(GUIWindow& window) {
  for (GUIWindow* child : window.GetChildren()) {
    if (child->GetValue("link") == "true") child->SetValue("text", "");
  }
}

void SetGuiCursor(const std::string& name) {
  GUISystem* gui = GUISystem::PeekInstance();
  if (GUICursor* cursor = gui != nullptr ? gui->GetCursor() : nullptr) cursor->SetCursor(name);
}

bool CanShowDialog(const GUIStateWindow* window) {
  if (window == nullptr) return false;
  if (window->GetForm() != nullptr) return true;
  ReportUnbuiltScreen(window->GetName(), false);
  return false;
}

void BindChild(GUIWindow& window, const std::string& child, const std::string& event, const DelegatePtr& delegate) {
  if (GUIWindow* found = window.FindChild(child)) found->SetEvent(event, delegate);
}
