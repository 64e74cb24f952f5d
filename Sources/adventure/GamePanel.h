#pragma once
// The in-game panel (inventory, hints, flying items). In this build it holds only what the engine
// relies on: its own delegate under key 0 of the global delegate map and the application's
// deactivate handler, both installed when it is made.

#include "source/core/Delegate.h"
#include "source/core/Singleton.h"

class GamePanel : public Singleton<GamePanel> {
 public:
  GamePanel();
  ~GamePanel() override;

  // The application lost the focus (argument 0). The in-game menu it opens comes with the panel.
  DelegateArg OnDeactivate(DelegateArg argument);

  static constexpr int kDelegateKey = 0;
};
