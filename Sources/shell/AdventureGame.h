#pragma once
// The game object the program uses, reached through GameInstance(). Its initialisation builds
// the shell: the language and fonts from the initialisation file, the player files (profiles
// and records), the adventure's databases and the main-menu state, which becomes current. It
// owns the main-menu state and, from the first new game on, the in-game state.

#include <string>

#include "Sources/shell/cGame.h"
#include "source/core/CountedPtr.h"
#include "source/core/Delegate.h"
#include "source/core/Singleton.h"

class cProfile;
class cScreenState;
class GameFlowController;
class LogoWindow;
class MainMenuWindow;

class AdventureGame : public cGame, public Singleton<AdventureGame> {
 public:
  AdventureGame();
  // Releases the in-game state, then the main-menu state; no state is left.
  ~AdventureGame() override;

  void Init() override;
  // The current state's update, then what the shell tells the player once nothing covers the
  // screen: a screen it could not build, and a save that failed outside a game in play.
  void Update(float dt) override;
  // Runs Init the first time only (GameInstance calls it after making the game).
  void InitOnce();

  // The program's own start: Init then makes only the logos' opaque backdrop, which is all the
  // first frame shows, and FinishStart builds the shell (menu, name prompt, logos in front) once
  // that frame is on the screen. Off by default: Init builds everything at once.
  static void SetShellAfterFirstFrame(bool later) { s_shell_after_first_frame = later; }
  // Called after each frame is presented; builds what Init left, the first time only.
  void FinishStart();
  bool IsShellPending() const { return m_shell_pending; }

  // The main menu's start button: the loading screen appears (the cursor becomes the clock) and,
  // once it covers the screen, StartGameFlow runs; it stays until IsPlaceShown.
  DelegateArg OnNewGame(DelegateArg sender = 0);
  // Makes the game panel with the player's inventory and enters the in-game state, made on the
  // first call (returning to the main-menu state) and kept for the next games. The loading
  // screen's callback; the argument is ignored.
  DelegateArg StartGameFlow(DelegateArg sender = 0);
  // Whether the in-game state has entered its place (or is no longer the state): what the
  // loading screen waits for.
  bool IsPlaceShown() const;
  // Saves the player's progress when a game is in progress (an in-game state exists whose
  // location has not ended), into the profile that was played: the location's state, the panel's
  // flying items, then the profile's file. When the player chose another profile in the menu
  // since, only the played profile's file is written (while it is there under its name); nothing
  // of the game goes into the current one. Otherwise nothing; a failed save is logged. False only
  // when a file had to be written and could not be (a full disk).
  bool SaveProgress();
  bool IsGameInProgress() const;

  cScreenState* GetMainMenuState() const { return m_main_menu.Get(); }
  GameFlowController* GetGameFlow() const { return m_game_flow.Get(); }
  MainMenuWindow* GetMainMenuWindow() const { return m_main_menu_window; }
  LogoWindow* GetLogoWindow() const { return m_logo_window; }

  // The pictures in front of the menu, in order.
  static constexpr const char* kLogoImages[] = {"splash1", "splash2", "gui\\windows\\logo_window\\logo_pendry",
                                                "gui\\windows\\logo_window\\logo_moskelt"};

 private:
  CountedPtr<cScreenState> m_main_menu;
  // Everything of the start but the logos, in order: fonts and texts, player files, windows,
  // databases, the main menu (entered: its music starts, and the name prompt opens for a first
  // player).
  void BuildShell();
  // The logo window's pictures queued, the window shown and put in front of the menu.
  void ShowLogos();
  // The windows the shell makes under "user" (only with a running GUI).
  void BuildWindows();
  // The profile that was played, when it is still in the list; null otherwise.
  cProfile* FindPlayedProfile() const;

  CountedPtr<GameFlowController> m_game_flow;
  MainMenuWindow* m_main_menu_window = nullptr;  // the GUI tree's
  LogoWindow* m_logo_window = nullptr;           // the GUI tree's
  const cProfile* m_played = nullptr;             // compared with the list's, never followed alone
  std::u16string m_played_name;
  bool m_initialised = false;
  bool m_shell_pending = false;
  static inline bool s_shell_after_first_frame = false;
};

// The one game object, created and initialised on first use; null only when it could not be made.
AdventureGame* GameInstance();
