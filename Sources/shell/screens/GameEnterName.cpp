#include "Sources/shell/screens/GameEnterName.h"

#include "Sources/shell/screens/ScreenSupport.h"
#include "gui/include/GUIAttribute.h"
#include "source/text/TextConversion.h"

namespace {

GameEnterName* g_dialog = nullptr;

void Invoke(DelegatePtr callback, DelegateArg sender) {
  if (callback) callback->Invoke(sender);
}

}  // namespace

GameEnterName::GameEnterName() : DialogWindow("GameEnterName") {
  SetFormByName("gui\\windows\\profile_small_window");
  SetState(kHidden);
  AddGuiAttribute<std::string>(GetProperties(), "edit_text", [this] { return GetEditText(); }, nullptr);
  BindChild(*this, "ok_btn", "on_click", MakeMemberDelegate(this, &GameEnterName::OnOk));
  BindChild(*this, "cancel_btn", "on_click", MakeMemberDelegate(this, &GameEnterName::OnCancel));
  BindChild(*this, "edit_box_name", "on_change", MakeMemberDelegate(this, &GameEnterName::OnEditChange));
}

GameEnterName::~GameEnterName() {
  if (g_dialog == this) g_dialog = nullptr;
}

std::string GameEnterName::GetEditText() {
  GUIWindow* box = FindChild("edit_box_name");
  return box != nullptr ? box->GetValue("text") : std::string();
}

void GameEnterName::SetCallbacks(const DelegatePtr& on_accept, const DelegatePtr& on_cancel) {
  m_on_accept = on_accept;
  m_on_cancel = on_cancel;
}

DelegateArg GameEnterName::OnOk(DelegateArg) {
  // A press that reaches a disabled button (a key, a test) must not hand over an empty name.
  if (TrimName(Utf8ToWide(GetEditText().c_str())).empty()) return 0;
  Hide();
  Invoke(m_on_accept, reinterpret_cast<DelegateArg>(this));
  return 0;
}

DelegateArg GameEnterName::OnCancel(DelegateArg) {
  Hide();
  Invoke(m_on_cancel, reinterpret_cast<DelegateArg>(this));
  return 0;
}

DelegateArg GameEnterName::OnEditChange(DelegateArg) {
  UpdateOkButton();
  return 0;
}

void GameEnterName::UpdateOkButton() {
  GUIWindow* ok = FindChild("ok_btn");
  if (ok == nullptr) return;
  ok->SetEnabled(!TrimName(Utf8ToWide(GetEditText().c_str())).empty());
}

std::u16string TrimName(const std::u16string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && text[begin] <= 32) ++begin;
  while (end > begin && text[end - 1] <= 32) --end;
  return text.substr(begin, end - begin);
}

std::u16string NameFromSender(DelegateArg sender) {
  auto* window = reinterpret_cast<GUIWindow*>(sender);
  // Blanks around a typed name are no part of it: kept, they would stand in every line it is shown.
  return window != nullptr ? TrimName(Utf8ToWide(window->GetValue("edit_text").c_str())) : std::u16string();
}

GameEnterName* GetEnterNameDialog() { return g_dialog; }

void SetEnterNameTexts(const std::u16string& title, const std::u16string& prompt, const std::u16string& name) {
  if (g_dialog == nullptr) return;
  g_dialog->Show();
  ClearLinkedTexts(*g_dialog);
  SetChildText(*g_dialog, "title_text_0", title);
  SetChildText(*g_dialog, "main_text_0", prompt);
  SetChildText(*g_dialog, "edit_box_name", name);
  g_dialog->UpdateOkButton();
  g_dialog->MoveToFront(false);  // last among its siblings: drawn over them
}

bool ShowEnterNameDialog(const std::u16string& title, const std::u16string& prompt, const std::u16string& name,
                         const DelegatePtr& on_accept, const DelegatePtr& on_cancel) {
  if (g_dialog == nullptr) g_dialog = new GameEnterName();
  if (g_dialog->IsOpen()) return true;
  if (!CanShowDialog(g_dialog)) return false;
  g_dialog->SetCallbacks(on_accept, on_cancel);
  SetEnterNameTexts(title, prompt, name);
  return true;
}
