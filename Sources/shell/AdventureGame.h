#pragma once
// The game object the program uses, reached through GameInstance(). The game shell and the
// adventure core build the menus, profiles and the in-game state on it; until then it holds no
// state and there is never progress to save.

#include "Sources/shell/cGame.h"
#include "source/core/Singleton.h"

class AdventureGame : public cGame, public Singleton<AdventureGame> {
 public:
  AdventureGame() = default;

  // Saves the player's progress when a profile is current and a game is in progress (not in its
  // finishing phase); otherwise does nothing. Nothing is reported.
  void SaveProgress();
  // A game is in progress: an in-game state exists and is not finishing.
  bool IsGameInProgress() const { return false; }
};

// The one game object, created on first use; null only when it could not be made.
AdventureGame* GameInstance();
