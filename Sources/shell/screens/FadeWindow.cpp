#include "Sources/shell/screens/FadeWindow.h"

#include "gui/include/GUIWindowManager.h"

FadeWindow::FadeWindow(const std::string& name, const std::string& form, const DelegatePtr& on_complete)
    : DialogWindow(name), m_on_complete(on_complete) {
  if (GetForm() == nullptr) SetFormByName(form);
  SetState(kHidden);
}

bool FadeWindow::IsWorkingFinished(float) {
  if (!m_completed) {
    m_completed = true;
    if (m_on_complete) DelegatePtr(m_on_complete)->Invoke(reinterpret_cast<DelegateArg>(this));
  }
  MoveToFront(false);  // over whatever the callback has shown
  if (m_ready && !m_ready()) return false;
  Hide();  // disappears, and gives the mouse back
  return true;
}

void FadeWindow::SetState(int state) {
  if (state == kHidden && GetState() == kDisappear) {
    DialogWindow::SetState(state);
    GUIWindowManager::GetInstance()->DeleteWindow(this);
    return;
  }
  DialogWindow::SetState(state);
}
