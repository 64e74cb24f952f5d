#pragma once
// The main menu: start game, profile, options, records, help and exit; a line that welcomes the
// current player; a logo that brightens under the mouse and opens "website.url"; the menu music.
// It owns the screen states of its four sub-screens, sub-states of the main-menu state.

#include <memory>
#include <string>

#include "gui/include/DialogWindow.h"
#include "source/Resources/cResourcePtr.h"
#include "source/core/CountedPtr.h"
#include "source/sound/cSoundResource.h"

class cGameState;
class cProfile;
class cScreenState;

class MainMenu : public DialogWindow {
 public:
  explicit MainMenu(cGameState* owning_state);
  // Deletes the four sub-states (their windows stay in the GUI tree).
  ~MainMenu() override;

  bool Update() override;
  bool HandleMouse(const Vector2& point, bool button_down) override;
  // The dialog's show, the music, and the first-profile prompt when there is no profile.
  void Show() override;
  using DialogWindow::Show;

  // "on_new_game" takes the callback; other names are ignored.
  void SetCallback(const std::string& name, const DelegatePtr& callback);

  DelegateArg OnStartGame(DelegateArg sender);
  DelegateArg OnProfile(DelegateArg sender);
  DelegateArg OnOptions(DelegateArg sender);
  DelegateArg OnRecords(DelegateArg sender);
  DelegateArg OnHelp(DelegateArg sender);
  DelegateArg OnExit(DelegateArg sender);

  cScreenState* GetProfileState() const { return m_profile.get(); }
  cScreenState* GetOptionsState() const { return m_options.get(); }
  cScreenState* GetRecordsState() const { return m_records.get(); }
  cScreenState* GetHelpState() const { return m_help.get(); }
  bool HasLogo() const { return m_logo_active != nullptr; }

 private:
  void SetUpLogo();
  // The sub-state, unless its screen lacks its form.
  void OpenSubScreen(cScreenState* state);
  void UpdateWelcomeLine();
  DelegateArg OnFirstName(DelegateArg sender);

  cGameState* m_owning_state;  // not owned
  cResourcePtr<cSoundResource> m_music;
  std::u16string m_shown_name;
  const cProfile* m_shown_profile = nullptr;  // compared only, never followed
  GUIWindow* m_logo_active = nullptr;
  GUIWindow* m_logo_inactive = nullptr;
  std::unique_ptr<cScreenState> m_profile;
  std::unique_ptr<cScreenState> m_options;
  std::unique_ptr<cScreenState> m_records;
  std::unique_ptr<cScreenState> m_help;
  DelegatePtr m_on_new_game;
};
