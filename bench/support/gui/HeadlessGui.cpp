#include "bench/support/gui/HeadlessGui.h"

#include "bench/support/EngineStart.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindowManager.h"
#include "tests/support/QuietLog.h"

GUIWindow* StartHeadlessGui(int client_width, int client_height) {
  StartHeadlessEngine(client_width, client_height);
  QuietLog();
  GUISystem* gui = GUISystem::GetInstance();
  gui->Init();
  gui->SetCameraSize(1024.0f, 768.0f);
  return GUIWindowManager::GetInstance()->GetWindow("user");
}

void StopHeadlessGui() { StopEngine(); }
