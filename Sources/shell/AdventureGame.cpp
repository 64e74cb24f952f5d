#include "Sources/shell/AdventureGame.h"

#include <new>

#include "Sources/adventure/CharacterDatabase.h"
#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/PhraseDatabase.h"
#include "Sources/shell/cScreenState.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "Sources/shell/userdata/UserDataHolder.h"
#include "Sources/shell/userdata/cUserDataFactory.h"

AdventureGame::AdventureGame() = default;

AdventureGame::~AdventureGame() {
  m_game_flow.Release();
  m_main_menu.Release();
}

void AdventureGame::InitOnce() {
  if (m_initialised) return;
  m_initialised = true;  // first: code run by Init may reach the game through its accessor
  Init();
}

void AdventureGame::Init() {
  cGame::Init();
  UserDataHolder::GetInstance()->Install(std::make_unique<GameUserDataFactory>(GetUserFolder()));
  // The GUI shows the window "user" and makes "game_logic", "game_panel" and "hint_window"
  // under it here, when the GUI library is in.
  CharacterDatabase::GetInstance();
  PhraseDatabase::GetInstance();
  HintWindow::GetInstance();
  m_main_menu.Reset(new cScreenState(StateOwner(this)));
  // The main menu's window is made and attached to its state here, with the main menu screen.
  ChangeState(m_main_menu.Get());
  // The logo window, with the splash screens and logos in front of the menu, follows here.
}

DelegateArg AdventureGame::StartGameFlow(DelegateArg) {
  if (!m_game_flow) m_game_flow.Reset(new GameFlowController(StateOwner(this), m_main_menu.Get()));
  ChangeState(m_game_flow.Get());
  return 0;
}

bool AdventureGame::IsGameInProgress() const { return m_game_flow && !m_game_flow->IsLocationEnded(); }

void AdventureGame::SaveProgress() {
  if (CurrentProfile == nullptr || !IsGameInProgress()) return;
  m_game_flow->SaveLocationState();
  // The game panel stores its flying items into the profile here, when the panel has them.
  CurrentProfile->Save();
}

AdventureGame* GameInstance() {
  try {
    AdventureGame* game = AdventureGame::GetInstance();
    if (game != nullptr) game->InitOnce();
    return game;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
