#include "Sources/shell/AdventureGame.h"

#include <new>

void AdventureGame::SaveProgress() {
  // Without an in-game state there is no location, panel or profile to write.
  if (!IsGameInProgress()) return;
}

AdventureGame* GameInstance() {
  try {
    return AdventureGame::GetInstance();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
