#include "Sources/shell/screens/ProfilePrompts.h"

#include "Sources/shell/ApplicationFrame.h"
#include "Sources/shell/screens/GameEnterName.h"
#include "Sources/shell/screens/MessageBoxes.h"
#include "Sources/shell/screens/ScreenSupport.h"
#include "Sources/shell/screens/UnbuiltScreens.h"

void AskExitQuestion(const DelegatePtr& on_no) {
  ShowYesNoBox(JoinShellTexts({"EXIT_TEXT_0", "EXIT_TEXT_1", "EXIT_TEXT_2"}), ShellText("EXIT_TITLE"),
               MakeFunctionDelegate(&QuitApplicationFrame), on_no);
}

void ShowFirstProfilePrompt(const DelegatePtr& on_accept) {
  const DelegatePtr on_cancel = MakeCallableDelegate([on_accept](DelegateArg) {
    AskExitQuestion(MakeCallableDelegate([on_accept](DelegateArg) { ShowFirstProfilePrompt(on_accept); }));
  });
  // Without a first player nothing can be played: a prompt that cannot be built ends the game.
  if (!ShowEnterNameDialog(ShellText("NEW_PROFILE_TITLE"), ShellText("ENTER_YOUR_NAME"), std::u16string(), on_accept,
                           on_cancel)) {
    ReportUnbuiltScreen("GameEnterName", true);
  }
}
