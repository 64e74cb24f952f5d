#include "app/sources/FramePasses.h"

#include "Sources/shell/AdventureGame.h"
#include "app/sources/ScreenReport.h"
#include "gui/include/GUISystem.h"
#include "source/input/cInput.h"
#include "source/render/RenderManager.h"
#include "source/sound/cSoundManager.h"
#include "source/sound/cSoundPlayer.h"
#include "source/timer/cTimerManager.h"

bool UpdateFrame(float dt) {
  cTimerManager::GetInstance()->UpdateFrameTime();
  cInput::GetInstance()->UpdateInput();
  if (cSoundManager* sound = cSoundManager::PeekInstance()) sound->Update();
  if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) player->Update();
  // Mouse dispatch down the window tree, then every window's update.
  if (GUISystem* gui = GUISystem::PeekInstance()) gui->Update();
  // The game the entry made (a program that makes none, such as the GUI sample, updates none).
  if (AdventureGame* game = AdventureGame::PeekInstance()) game->Update(dt);
  return true;
}

void RenderFrame() {
  // Device check, updatables, camera aspects, lights, particles, the GUI root's matrices and
  // depths, the draw list, present.
  RenderManager* render = RenderManager::PeekInstance();
  if (render == nullptr) return;
  render->RenderFrame();
  ReportFrontScreen();  // after the present: the screen named is on the display
  // The first frame showed the logos' backdrop; what it hid is built now.
  if (AdventureGame* game = AdventureGame::PeekInstance()) game->FinishStart();
}
