#pragma once
// The options dialog: music and sound volume sliders that act at once, a full-screen check box
// that switches the video mode on OK, a relax-mode check box (shown unchecked at every opening;
// nothing reads it), and OK, Defaults and Cancel. Cancel brings back the volumes of the moment
// the dialog opened. Closing hands the state it was made with to its screen state.

#include <string>

#include "gui/include/DialogWindow.h"

class cGameState;

class GameOptions : public DialogWindow {
 public:
  GameOptions(const std::string& form, cGameState* back_state);

  // Remembers the live volumes and the video flag and writes them into the widgets.
  void Show() override;
  using DialogWindow::Show;

  DelegateArg OnSoundVolume(DelegateArg sender);
  DelegateArg OnMusicVolume(DelegateArg sender);
  DelegateArg OnOk(DelegateArg sender);
  DelegateArg OnDefaults(DelegateArg sender);
  DelegateArg OnCancel(DelegateArg sender);

  float GetSavedSoundVolume() const { return m_saved_sound; }
  float GetSavedMusicVolume() const { return m_saved_music; }

  // A volume fraction as the sliders' whole percent, to the nearest step (0.53 is 53, not 52).
  static int ToPercent(float fraction);

 private:
  void Close();

  cGameState* m_back_state;  // not owned
  float m_saved_sound = 1.0f;
  float m_saved_music = 1.0f;
  bool m_relax_mode = false;
  bool m_full_screen = false;
  bool m_filling = false;  // the widgets are being written: their events change nothing
};
