#pragma once
// The profile screen: the players' names in frames (a page of them, scrolled when there are more
// names than frames), the current one marked; a click on a frame makes that player current; new,
// rename and delete go through the name entry dialog and the message boxes; "back_to_game"
// returns to the state the screen was made with.

#include <string>
#include <vector>

#include "gui/include/DialogWindow.h"

class cGameState;
class ProfilesList;

class GameProfile : public DialogWindow {
 public:
  explicit GameProfile(cGameState* return_state);

  // The dialog's modal show, then the list is filled (the scroll goes to the current profile).
  void Show() override;
  using DialogWindow::Show;

  // Fills the frames from the profile list. `place_scroll`: the scroll first moves to the page
  // of the current profile (on Show and after a change; not when the player scrolls).
  void FillList(bool place_scroll);

  DelegateArg OnScroll(DelegateArg sender);
  DelegateArg OnFrame(DelegateArg sender);
  DelegateArg OnNew(DelegateArg sender);
  DelegateArg OnRename(DelegateArg sender);
  DelegateArg OnDelete(DelegateArg sender);
  DelegateArg OnBack(DelegateArg sender);

  const std::vector<GUIWindow*>& GetFrames() const { return m_frames; }
  // The name each frame shows (empty: none).
  const std::vector<std::u16string>& GetShownNames() const { return m_shown; }
  GUIWindow* GetScroll() const { return m_scroll; }
  int GetFirstShown() const { return m_first; }

 private:
  DelegateArg OnNewName(DelegateArg sender);
  DelegateArg OnRenamed(DelegateArg sender);
  DelegateArg OnDeleteConfirmed(DelegateArg sender);
  void ShowNameConflict();
  void LogPlayersNotShown(const ProfilesList& list, int frames);

  cGameState* m_return_state;  // not owned
  std::vector<GUIWindow*> m_frames;  // children: the tree owns them
  std::vector<std::u16string> m_shown;
  GUIWindow* m_scroll = nullptr;
  GUIWindow* m_new = nullptr;
  int m_first = 0;
  bool m_filling = false;
  std::string m_unshown_logged;  // the players last logged as not shown
};

// The profile list of the user data, or null before it is installed.
ProfilesList* GetProfileList();
