// velmaris-minigame: the program's start-up and frame loop with one mini-game on screen instead of
// the game: the game named by the argument (the safe without one) is made by the factory over the
// sample data, in the game's fonts and texts, for a player whose profile stands in a stage, and
// started as a location's script starts it. Each new result word is logged as "minigame: NAME
// WORD", and "minigame: NAME ready" once a started game works and takes clicks; a game that has
// ended is started again after a moment, so it can be played many times.
// Closing the window ends it with status 0. The end-to-end tests drive it with the real pointer.

#include <string>

#include "Sources/minigames/MiniGame.h"
#include "Sources/minigames/MiniGameFactory.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "app/sources/cApplication.h"
#include "gui/include/GUICursor.h"
#include "gui/include/GUIWindowManager.h"
#include "source/log/cLog.h"
#include "source/timer/cTimerManager.h"
#include "tests/e2e/drivers/DriverStart.h"

namespace {

// Stands in for the location: reports the game's word and starts the game again once it is over.
class GameWatcher : public GUIWindow {
 public:
  GameWatcher(GUIWindow* parent, MiniGame* game) : GUIWindow(parent, "game_watcher"), m_game(game) {}

  bool Update() override {
    if (m_game->GetResult() != m_reported) {
      m_reported = m_game->GetResult();
      LogReport(kLogPlain, "minigame driver", __LINE__, "minigame: %s %s", m_game->GetName().c_str(), m_reported.c_str());
    }
    if (m_reported == "wait") m_game->UpdatePause();
    const bool ready = m_reported == "wait" && m_game->GetState() == GUIStateWindow::kWorking &&
                       m_game->GetMouseHoldOff() == 0;
    if (ready && !m_ready) {
      LogReport(kLogPlain, "minigame driver", __LINE__, "minigame: %s ready", m_game->GetName().c_str());
    }
    m_ready = ready || (m_ready && m_reported == "wait");
    if (m_game->GetState() == GUIStateWindow::kHidden && m_reported != "wait") {
      m_idle += cTimerManager::GetInstance()->GetFrameDelta();
      if (m_idle > 1.0f) {
        m_idle = 0.0f;
        m_game->Start();
      }
    }
    return GUIWindow::Update();
  }

 private:
  MiniGame* m_game;
  std::string m_reported = "-";
  float m_idle = 0.0f;
  bool m_ready = false;
};

int Run(const std::string& name) {
  if (!StartDriverProgram("Velmaris")) return 1;
  MountSampleGroups();
  if (GUICursor* cursor = StartDriverGui()) cursor->AddCursor("cursor", GUICursor::kCursorArrow);
  SetGameFonts();

  PlayerProfile profile;
  profile.m_stage = "location_4";
  profile.m_locations.emplace_back();
  profile.m_locations.front().m_name = profile.m_stage;
  CurrentProfile = &profile;
  GUIWindow* user = GUIWindowManager::GetInstance()->GetWindow("user");
  MiniGame* game = CreateMiniGame(user, name);
  if (game == nullptr) return 1;
  new GameWatcher(user, game);
  game->Start();
  cApplication::GetInstance()->Run();
  CurrentProfile = nullptr;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return EndDriverProgram(Run(argc > 1 ? std::string(argv[1]) : std::string("safe")));
}
