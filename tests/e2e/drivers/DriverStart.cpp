#include "tests/e2e/drivers/DriverStart.h"

#include "app/sources/VelmarisMain.h"
#include "app/sources/cApplication.h"
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
