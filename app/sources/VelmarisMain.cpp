#include "app/sources/VelmarisMain.h"

#include <string>
#include <utility>

#include "Sources/adventure/LocationResource.h"
#include "Sources/shell/AdventureGame.h"
#include "Sources/shell/screens/UnbuiltScreens.h"
#include "app/sources/AbnormalEnd.h"
#include "app/sources/ClosingNotice.h"
#include "app/sources/CrashReport.h"
#include "app/sources/ExitFiles.h"
#include "app/sources/GameData.h"
#include "app/sources/GuiConnection.h"
#include "app/sources/LanguageSwitch.h"
#include "app/sources/PackRun.h"
#include "app/sources/cApplication.h"
#include "gui/include/GUICursor.h"
#include "gui/include/GUISystem.h"
#include "platform/os/os.h"
#include "platform/window/window.h"
#include "source/Resources/cResourceManager.h"
#include "source/config/Config.h"
#include "source/core/Singleton.h"
#include "source/input/cInput.h"
#include "source/log/cLog.h"
#include "source/path/Paths.h"
#include "source/properties/cProperties.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderWindow.h"
#include "source/sound/cSoundManager.h"
#include "source/timer/cTimerManager.h"

namespace {

constexpr const char* kSource = "sources\\main";
constexpr const char* kTitle = "Velmaris";
constexpr const char* kResourceGroups[] = {"data", "localization", "fsdata", "splash"};
constexpr int kExitNormal = 0;
constexpr int kExitFailure = 1;

void SetIdentity(cProperties& properties) {
  properties.SetValue("short_name", "tarvel");
  properties.SetValue("application_name", "Velmaris");
  properties.SetValue("application_version", "1.00");
}

void MountResourceGroups(cProperties& properties) {
  cResourceManager* resources = cResourceManager::GetInstance();
  RegisterLocationResourceType();
  resources->RegisterResourceExtension("cnf", LocationResource::kTypeName);
  SetCurrentDir(properties.GetValue("exe_directory"));
  for (const char* group : kResourceGroups) {
    resources->AddDirectory(group);
    if (!IsResourceGroupPresent(group)) {
      LogReport(kLogWarning, kSource, __LINE__, "resource group %s: neither a pack file nor a folder of that name in %s",
                group, properties.GetValue("exe_directory").c_str());
    }
  }
}

// The root, user and cursor windows, and the program's five cursors with the arrow current.
void StartGui() {
  GUISystem* gui = GUISystem::GetInstance();
  gui->Init();
  GUICursor::SetCursorSink([](window::Cursor* cursor) {
    if (cApplication* application = cApplication::PeekInstance()) application->SetCursor(cursor);
  });
  if (GUICursor* cursor = gui->GetCursor()) {
    cursor->AddCursor("cursor", GUICursor::kCursorArrow);
    cursor->AddCursor("lens", GUICursor::kCursorLens);
    cursor->AddCursor("clock", GUICursor::kCursorClock);
    cursor->AddCursor("dialog", GUICursor::kCursorDialog);
    cursor->AddCursor("empty", GUICursor::kCursorEmpty);
    cursor->SetCursor("cursor");
  }
}

// Shut-down from the saving of the configuration on: also the way out of a failed window.
void SaveAndOpenExitFiles(cProperties& properties) {
  SaveConfig(properties);
  OpenExitFiles();
}

int Run(int argc, char** argv) {
  cProperties& properties = *cProperties::GetInstance();
  SetIdentity(properties);
  SetUpUserFolder(properties);

  // A second instance leaves at once: it must not cut the running one's log, nor write its
  // settings over the ones the player is changing, nor set aside a file the first one reads. The
  // lock lies in the user folder beside those files, whatever runtime folder each launch has.
  cApplication* application = cApplication::GetInstance();
  if (!application->LockInstance(kTitle)) return kExitNormal;

  LoadConfig(properties);
  cLog::GetInstance()->Open();

  window::SetDisplayLostHandler(&EndAfterDisplayLost);
  if (!application->Create(kTitle)) {
    ReportAbnormalEnd("the window could not be created (" + window::LastError() + ")");
    SaveAndOpenExitFiles(properties);
    return kExitFailure;
  }
  if (!StartEngineServices(*application)) {
    ReportAbnormalEnd("no graphics device could be made in any video mode");
    SaveAndOpenExitFiles(properties);
    return kExitFailure;
  }
  application->SetCloseHandler(MakeFunctionDelegate(&QuitApplication));
  MountResourceGroups(properties);

  if (HasPackSwitch(argc, argv)) return WritePackFiles() ? kExitNormal : kExitFailure;
  const std::string data_fault = DescribeGameDataFault(cResourceManager::GetInstance()->GetLocation("data"));
  if (!data_fault.empty()) {
    ReportAbnormalEnd(data_fault);
    SaveAndOpenExitFiles(properties);
    return kExitFailure;
  }

  StartGui();
  ResetUnbuiltScreens();
  ChooseLanguageFromCommandLine(argc, argv);
  AdventureGame::SetShellAfterFirstFrame(true);
  GameInstance();
  application->Run();

  SaveProgressBeforeClosing(*application);
  // A screen the game could not build ended it: said on the terminal too, as damaged data is.
  const std::string failure = GetShellFailure();
  if (!failure.empty()) ReportAbnormalEnd(failure);
  SaveAndOpenExitFiles(properties);
  return failure.empty() ? kExitNormal : kExitFailure;
}

}  // namespace

bool StartEngineServices(cApplication& application) {
  os::ReturnLargeBlocksWhenFreed();  // pictures let go leave the resident size at once
  cTimerManager::GetInstance();
  cInput::GetInstance()->InitInput();
  // Video and render settings, the render system (which places the window in its video mode)
  // and the scene managers.
  ConnectRenderWindow(application);
  if (!RenderManager::GetInstance()->IsStarted()) return false;
  // The sound device, the volumes, the "sound" type and the sound thread.
  cSoundManager::GetInstance();
  GUISystem::GetInstance();  // the GUI's resource types
  ConnectGui(application);
  return true;
}

// The render system places and sizes the application's window when it sets its video mode.
void ConnectRenderWindow(cApplication& application) {
  RenderWindowHooks hooks;
  hooks.resize = [&application](int x, int y, int width, int height, bool full_screen) {
    return application.ResizeWindow(x, y, width, height, full_screen);
  };
  hooks.client_size = [&application](uint32_t& width, uint32_t& height) {
    const auto& rect = application.GetClientRect();
    width = static_cast<uint32_t>(rect.right - rect.left);
    height = static_cast<uint32_t>(rect.bottom - rect.top);
  };
  SetRenderWindowHooks(hooks);
}

int RunVelmaris(int argc, char** argv) {
  const int result = Run(argc, argv);
  AdventureGame::SetShellAfterFirstFrame(false);  // a game made later (tests) is built whole
  window::SetDisplayLostHandler(nullptr);  // what it saves goes with the singletons
  DisconnectGui();  // its hooks reach the application
  // Newest first, while the platform services beneath them are still there.
  DestroySingletons();
  SetRenderWindowHooks(RenderWindowHooks{});  // they point at the application, gone now
  GUICursor::SetCursorSink(nullptr);
  return result;
}

int VelmarisMain(int argc, char** argv) {
  InstallCrashHandler(&WriteCrashReport);
  return RunVelmaris(argc, argv);
}
