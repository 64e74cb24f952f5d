#include "Sources/shell/screens/ReturnScreens.h"

#include "Sources/shell/screens/ScreenSupport.h"

ReturnScreen::ReturnScreen(const std::string& name, const std::string& form, const std::string& button,
                           cGameState* return_state)
    : DialogWindow(name), m_return_state(return_state) {
  SetFormByName(form);
  SetState(kHidden);
  BindChild(*this, button, "on_click", MakeMemberDelegate(this, &ReturnScreen::OnReturn));
}

DelegateArg ReturnScreen::OnReturn(DelegateArg) {
  SetNextState(m_return_state);
  return 0;
}
