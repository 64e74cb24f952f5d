#pragma once
// The game object the program uses, reached through GameInstance(). Its initialisation builds
// the shell: the language and fonts from the initialisation file, the player files (profiles
// and records), the adventure's databases and the main-menu state, which becomes current. It
// owns the main-menu state and, from the first new game on, the in-game state.

#include "Sources/shell/cGame.h"
#include "source/core/CountedPtr.h"
#include "source/core/Delegate.h"
#include "source/core/Singleton.h"

class cScreenState;
class GameFlowController;

class AdventureGame : public cGame, public Singleton<AdventureGame> {
 public:
  AdventureGame();
  // Releases the in-game state, then the main-menu state; no state is left.
  ~AdventureGame() override;

  void Init() override;
  // Runs Init the first time only (GameInstance calls it after making the game).
  void InitOnce();

  // Enters the in-game state, made on the first call (returning to the main-menu state) and kept
  // for the next games. The loading screen's callback; the argument is ignored.
  DelegateArg StartGameFlow(DelegateArg sender = 0);
  // Saves the player's progress when a profile is current and a game is in progress (an in-game
  // state exists whose location has not ended): the location's state, the panel's flying items,
  // then the profile's file. Otherwise nothing; a failed save is logged by the file.
  void SaveProgress();
  bool IsGameInProgress() const;

  cScreenState* GetMainMenuState() const { return m_main_menu.Get(); }
  GameFlowController* GetGameFlow() const { return m_game_flow.Get(); }

 private:
  CountedPtr<cScreenState> m_main_menu;
  CountedPtr<GameFlowController> m_game_flow;
  bool m_initialised = false;
};

// The one game object, created and initialised on first use; null only when it could not be made.
AdventureGame* GameInstance();
