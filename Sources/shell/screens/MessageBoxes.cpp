#include "Sources/shell/screens/MessageBoxes.h"

#include "Sources/shell/screens/ScreenSupport.h"

namespace {

constexpr const char* kBoxName = "message_box";
GameMessageBox* g_ok_box = nullptr;
GameYesNoBox* g_yes_no_box = nullptr;

// Invokes a copy: the callback may ask the next question, which replaces the box's callbacks.
void Invoke(DelegatePtr callback, DelegateArg sender) {
  if (callback) callback->Invoke(sender);
}

}  // namespace

GameMessageBox::GameMessageBox() : DialogWindow(kBoxName) {
  SetFormByName("gui\\windows\\ok_small_window");
  SetState(kHidden);
  BindChild(*this, "ok", "on_click", MakeMemberDelegate(this, &GameMessageBox::OnOk));
}

GameMessageBox::~GameMessageBox() {
  if (g_ok_box == this) g_ok_box = nullptr;
}

DelegateArg GameMessageBox::OnOk(DelegateArg sender) {
  Hide();
  const DelegatePtr callback = m_on_ok;  // one message's callback: the next message sets its own
  m_on_ok.Release();
  Invoke(callback, sender);
  return 0;
}

GameYesNoBox::GameYesNoBox() : DialogWindow(kBoxName) {
  SetFormByName("gui\\windows\\yes_no_small_window");
  SetState(kHidden);
  BindChild(*this, "yes", "on_click", MakeMemberDelegate(this, &GameYesNoBox::OnYes));
  BindChild(*this, "no", "on_click", MakeMemberDelegate(this, &GameYesNoBox::OnNo));
}

GameYesNoBox::~GameYesNoBox() {
  if (g_yes_no_box == this) g_yes_no_box = nullptr;
}

void GameYesNoBox::SetCallbacks(const DelegatePtr& on_yes, const DelegatePtr& on_no) {
  m_on_yes = on_yes;
  m_on_no = on_no;
}

DelegateArg GameYesNoBox::OnYes(DelegateArg sender) {
  Hide();
  Invoke(m_on_yes, sender);
  return 0;
}

DelegateArg GameYesNoBox::OnNo(DelegateArg sender) {
  Hide();
  Invoke(m_on_no, sender);
  return 0;
}

GameMessageBox* GetMessageBox() { return g_ok_box; }
GameYesNoBox* GetYesNoBox() { return g_yes_no_box; }

void SetMessageBoxTexts(DialogWindow& box, const std::u16string& title, const std::u16string& text) {
  ClearLinkedTexts(box);
  SetChildText(box, "title_text_0", title);
  SetChildText(box, "main_text_0", text);
  box.Show();
}

bool CanShowMessageBox() {
  if (g_ok_box == nullptr) g_ok_box = new GameMessageBox();
  return g_ok_box->GetForm() != nullptr;
}

void ShowMessageBox(const std::u16string& title, const std::u16string& text, const DelegatePtr& on_ok) {
  if (g_ok_box == nullptr) g_ok_box = new GameMessageBox();
  if (g_ok_box->IsOpen()) return;
  if (!CanShowDialog(g_ok_box)) return;
  g_ok_box->SetCallback(on_ok);
  SetMessageBoxTexts(*g_ok_box, title, text);
  g_ok_box->MoveToFront(false);  // last among its siblings: drawn over them
}

void ShowYesNoBox(const std::u16string& text, const std::u16string& title, const DelegatePtr& on_yes,
                  const DelegatePtr& on_no) {
  if (g_yes_no_box == nullptr) g_yes_no_box = new GameYesNoBox();
  if (g_yes_no_box->IsOpen()) return;
  if (!CanShowDialog(g_yes_no_box)) return;
  g_yes_no_box->SetCallbacks(on_yes, on_no);
  SetMessageBoxTexts(*g_yes_no_box, title, text);
  g_yes_no_box->MoveToFront(false);  // last among its siblings: drawn over them
}

bool IsMessageBoxShown() {
  return (g_yes_no_box != nullptr && g_yes_no_box->IsOpen()) || (g_ok_box != nullptr && g_ok_box->IsOpen());
}

void HideMessageBoxes() {
  if (g_ok_box != nullptr && g_ok_box->IsOpen()) g_ok_box->Hide();
  if (g_yes_no_box != nullptr && g_yes_no_box->IsOpen()) g_yes_no_box->Hide();
}
