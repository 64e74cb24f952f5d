#include "Sources/adventure/HelpDialog.h"

#include "Sources/shell/screens/ScreenSupport.h"

HelpDialog::HelpDialog() : DialogWindow("help") {
  SetFormByName(kForm);
  SetState(kHidden);
  BindChild(*this, "ok_btn", "on_click", MakeMemberDelegate(this, &HelpDialog::OnOk));
}

DelegateArg HelpDialog::OnOk(DelegateArg) {
  Hide();
  return 0;
}
