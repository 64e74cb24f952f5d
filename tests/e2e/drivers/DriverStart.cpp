#include "tests/e2e/drivers/DriverStart.h"

#include <iterator>

#include "Sources/shell/GuiShellSeam.h"
#include "app/sources/GuiConnection.h"
#include "app/sources/VelmarisMain.h"
#include "app/sources/cApplication.h"
#include "gui/include/GUICursor.h"
#include "gui/include/GUISystem.h"
#include "source/core/Singleton.h"
#include "source/Resources/cResourceManager.h"
#include "source/config/Config.h"
#include "source/log/cLog.h"
#include "source/path/Paths.h"
#include "source/properties/cProperties.h"
#include "source/render/RenderWindow.h"

bool StartDriverProgram(const std::string& title) {
  cProperties& properties = *cProperties::GetInstance();
  properties.SetValue("short_name", "tarvel");
  properties.SetValue("application_name", "Velmaris");
  SetUpUserFolder(properties);
  LoadConfig(properties);
  cLog::GetInstance()->Open();
  cApplication* application = cApplication::GetInstance();
  if (!application->Create(title)) return false;
  if (!StartEngineServices(*application)) return false;
  application->SetCloseHandler(MakeFunctionDelegate(&QuitApplication));
  return true;
}

void MountSampleGroups() {
  SetCurrentDir(cProperties::GetInstance()->GetValue("exe_directory"));
  for (const char* group : {"data", "localization", "fsdata", "splash"}) cResourceManager::GetInstance()->AddDirectory(group);
}

GUICursor* StartDriverGui() {
  GUISystem* gui = GUISystem::GetInstance();
  gui->Init();
  gui->SetCameraSize(GUISystem::kReferenceWidth, GUISystem::kReferenceHeight);
  GUICursor::SetCursorSink([](window::Cursor* cursor) { cApplication::GetInstance()->SetCursor(cursor); });
  return gui->GetCursor();
}

void SetGameFonts() {
  const char* fonts[] = {"fonts\\main",    "fonts\\title", "fonts\\small", "fonts\\button",
                         "fonts\\heading", "fonts\\ink",   "fonts\\digits"};
  for (int slot = 0; slot < static_cast<int>(std::size(fonts)); ++slot) GetGuiShellSeam().SetFont(slot, fonts[slot]);
  GetGuiShellSeam().SetTextResource("en");
}

int EndDriverProgram(int result) {
  DisconnectGui();
  DestroySingletons();
  SetRenderWindowHooks(RenderWindowHooks{});
  GUICursor::SetCursorSink(nullptr);
  return result;
}
