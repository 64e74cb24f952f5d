#include "app/sources/ClosingNotice.h"

#include "Sources/shell/AdventureGame.h"
#include "Sources/shell/screens/MessageBoxes.h"
#include "Sources/shell/screens/ScreenSupport.h"
#include "Sources/shell/userdata/UserFile.h"
#include "app/sources/cApplication.h"
#include "gui/include/GUISystem.h"
#include "source/log/cLog.h"

namespace {

constexpr const char* kSource = "sources\\main";

}  // namespace

void SaveProgressBeforeClosing(cApplication& application) {
  AdventureGame* game = GameInstance();
  if (game == nullptr || game->SaveProgress()) return;
  UserFile::TakeSaveFailureNotice();  // told here: the game must not tell it once more
  const GUISystem* gui = GUISystem::PeekInstance();
  if (!application.CanAskBeforeEnding() || gui == nullptr || !gui->IsInitialised() || !CanShowMessageBox()) return;
  LogReport(kLogPlain, kSource, __LINE__, "the progress could not be saved at closing: the player is told before the window closes");
  HideMessageBoxes();  // the exit question, still fading out
  ShowMessageBox(ShellText("progress_not_saved_title"), ShellText("progress_not_saved"),
                 MakeFunctionDelegate(&QuitApplication));
  application.ResumeAfterQuit();
  application.Run();
}
