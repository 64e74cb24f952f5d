#include "Sources/shell/screens/GameProfile.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

#include "Sources/shell/screens/GameEnterName.h"
#include "Sources/shell/screens/MessageBoxes.h"
#include "Sources/shell/screens/ProfilePrompts.h"
#include "Sources/shell/screens/ScreenSupport.h"
#include "Sources/shell/userdata/ProfilesList.h"
#include "Sources/shell/userdata/UserDataHolder.h"
#include "Sources/shell/userdata/cProfile.h"
#include "gui/include/GUIFont.h"
#include "gui/include/GUIMenuItem.h"
#include "gui/include/GUIWidgetSupport.h"
#include "gui/include/TextFitting.h"
#include "source/log/cLog.h"
#include "source/text/TextConversion.h"

namespace {

// A name as the frame's line shows it. A name saved by an older build may be longer than the
// prompt now takes: it is cut to the line in the wider of the frame's two fonts (its file keeps
// it whole).
std::u16string NameInFrame(const GUIWindow& frame, const std::u16string& name) {
  const auto* item = dynamic_cast<const GUIMenuItem*>(&frame);
  if (item == nullptr) return ShownPlayerName(name);
  const GUIFont* font = FindGUIFont(item->GetFontId());
  const GUIFont* select_font = FindGUIFont(item->GetSelectFontId());
  const TextMeasure measure = [font, select_font](std::u16string_view text) {
    return std::max(font != nullptr ? font->GetTextWidth(text) : 0.0f,
                    select_font != nullptr ? select_font->GetTextWidth(text) : 0.0f);
  };
  return ShownPlayerName(CutToWidth(name, frame.GetSize().x, measure));
}

}  // namespace

ProfilesList* GetProfileList() {
  UserDataHolder* holder = UserDataHolder::PeekInstance();
  return holder != nullptr ? holder->GetProfiles() : nullptr;
}

GameProfile::GameProfile(cGameState* return_state) : DialogWindow("GameProfile"), m_return_state(return_state) {
  SetFormByName("gui\\windows\\users_menu");
  SetState(kHidden);
  for (GUIWindow* child : GetChildren()) {
    if (child->GetName().compare(0, 6, "frame_") != 0) continue;
    m_frames.push_back(child);
    child->SetEvent("on_click", MakeMemberDelegate(this, &GameProfile::OnFrame));
  }
  m_scroll = FindChild("scroll");
  m_new = FindChild("new");
  BindChild(*this, "scroll", "on_change", MakeMemberDelegate(this, &GameProfile::OnScroll));
  BindChild(*this, "new", "on_click", MakeMemberDelegate(this, &GameProfile::OnNew));
  BindChild(*this, "rename", "on_click", MakeMemberDelegate(this, &GameProfile::OnRename));
  BindChild(*this, "delete", "on_click", MakeMemberDelegate(this, &GameProfile::OnDelete));
  BindChild(*this, "back_to_game", "on_click", MakeMemberDelegate(this, &GameProfile::OnBack));
}

void GameProfile::Show() {
  DialogWindow::Show();
  FillList(true);
}

void GameProfile::FillList(bool place_scroll) {
  if (m_filling) return;  // the scroll's own change while it is placed
  m_filling = true;
  ProfilesList* list = GetProfileList();
  const int n = list != nullptr ? static_cast<int>(list->GetProfiles().size()) : 0;
  const int f = static_cast<int>(m_frames.size());
  const cProfile* current = list != nullptr ? list->GetCurrent() : nullptr;
  int current_position = n;
  if (list != nullptr) {
    int position = 0;
    for (const auto& [name, profile] : list->GetProfiles()) {
      if (profile.get() == current) current_position = position;
      ++position;
    }
  }
  m_first = 0;
  if (m_scroll == nullptr) {
    if (m_new != nullptr) m_new->SetEnabled(n < f);
  } else {
    m_scroll->SetValue("min", "0");
    m_scroll->SetValue("max", std::to_string(std::max(n - f, 0)));
    if (place_scroll) m_scroll->SetValue("cur", std::to_string(current_position));
    // Every name fits: nothing to scroll.
    m_scroll->Show(n > f);
    if (n > f) m_first = std::atoi(m_scroll->GetValue("cur").c_str());
  }
  m_first = std::clamp(m_first, 0, std::max(n - f, 0));
  if (m_scroll == nullptr && list != nullptr) LogPlayersNotShown(*list, f);
  auto profile = list != nullptr ? list->GetProfiles().begin() : ProfilesList::Profiles::const_iterator();
  if (list != nullptr) std::advance(profile, std::min(m_first, n));
  m_shown.assign(m_frames.size(), std::u16string());
  for (int i = 0; i < f; ++i) {
    GUIWindow* frame = m_frames[static_cast<std::size_t>(i)];
    const bool filled = list != nullptr && profile != list->GetProfiles().end();
    frame->SetEnabled(filled);
    if (!filled) {
      frame->SetValue("text", "");
      frame->SetValue("menu_select", "false");
      continue;
    }
    m_shown[static_cast<std::size_t>(i)] = profile->first;
    frame->SetValue("text", WideToUtf8(NameInFrame(*frame, profile->first)));
    frame->SetValue("menu_select", profile->second.get() == current ? "true" : "false");
    ++profile;
  }
  m_filling = false;
}

void GameProfile::LogPlayersNotShown(const ProfilesList& list, int frames) {
  // Without a scroll the players past the last frame cannot be chosen here; they stay listed
  // with their files, and the log names them (once for each change of them).
  std::string unshown;
  int position = 0;
  for (const auto& entry : list.GetProfiles()) {
    if (position++ < frames) continue;
    unshown += (unshown.empty() ? "\"" : ", \"") + WideToUtf8(entry.first) + "\"";
  }
  if (unshown == m_unshown_logged) return;
  m_unshown_logged = unshown;
  if (unshown.empty()) return;
  LogReport(kLogWarning, "Sources\\shell\\GameProfile", __LINE__,
            "the players list shows %d of %d players; not shown, and kept with their files: %s", frames,
            static_cast<int>(list.GetProfiles().size()), unshown.c_str());
}

DelegateArg GameProfile::OnScroll(DelegateArg) {
  FillList(false);
  return 0;
}

DelegateArg GameProfile::OnFrame(DelegateArg sender) {
  ProfilesList* list = GetProfileList();
  auto frame = std::find(m_frames.begin(), m_frames.end(), reinterpret_cast<GUIWindow*>(sender));
  if (list == nullptr || frame == m_frames.end()) return 0;
  // The player the frame shows (the list may have changed since it was filled).
  const auto index = static_cast<std::size_t>(std::distance(m_frames.begin(), frame));
  if (index < m_shown.size() && !m_shown[index].empty()) list->Select(m_shown[index]);
  return 0;
}

DelegateArg GameProfile::OnNew(DelegateArg) {
  ShowEnterNameDialog(ShellText("NEW_PROFILE_TITLE"), ShellText("ENTER_YOUR_NAME"), std::u16string(),
                      MakeMemberDelegate(this, &GameProfile::OnNewName), DelegatePtr());
  return 0;
}

DelegateArg GameProfile::OnNewName(DelegateArg sender) {
  ProfilesList* list = GetProfileList();
  if (list == nullptr) return 0;
  const std::u16string name = NameFromSender(sender);
  // A name taken, too long, or another player's file name is refused; the current player stays
  // (switching to the named one would let the next Play write over that player's game).
  if (list->AddCurrent(name) == nullptr) ShowNameConflict();
  FillList(true);
  if (list->GetProfiles().empty()) ShowFirstProfilePrompt(MakeMemberDelegate(this, &GameProfile::OnNewName));
  return 0;
}

void GameProfile::ShowNameConflict() {
  ShowMessageBox(ShellText("PROFILE_NAME_CONFLICT_TITLE"),
                 JoinShellTexts({"PROFILE_NAME_CONFLICT_TEXT_0", "PROFILE_NAME_CONFLICT_TEXT_1",
                                 "PROFILE_NAME_CONFLICT_TEXT_2"}));
}

DelegateArg GameProfile::OnRename(DelegateArg) {
  ProfilesList* list = GetProfileList();
  const cProfile* current = list != nullptr ? list->GetCurrent() : nullptr;
  if (current == nullptr) return 0;
  ShowEnterNameDialog(ShellText("RENAME_PROFILE_TITLE"), ShellText("ENTER_YOUR_NAME"), current->m_name,
                      MakeMemberDelegate(this, &GameProfile::OnRenamed), DelegatePtr());
  return 0;
}

DelegateArg GameProfile::OnRenamed(DelegateArg sender) {
  ProfilesList* list = GetProfileList();
  const cProfile* current = list != nullptr ? list->GetCurrent() : nullptr;
  if (current == nullptr) return 0;
  const std::u16string name = NameFromSender(sender);
  const std::u16string old_name = current->m_name;
  if (name == old_name) return 0;
  if (!list->Rename(old_name, name)) {
    ShowNameConflict();
    return 0;
  }
  FillList(true);
  return 0;
}

DelegateArg GameProfile::OnDelete(DelegateArg) {
  ProfilesList* list = GetProfileList();
  const cProfile* current = list != nullptr ? list->GetCurrent() : nullptr;
  if (current == nullptr) return 0;
  std::u16string text = ShellText("DELETE_PROFILE_TEXT_0");
  text += u' ';
  text += ShellText("DELETE_PROFILE_TEXT_1");
  text += u" \"";
  text += ShownPlayerName(current->m_name);
  text += u'"';
  text += ShellText("DELETE_PROFILE_TEXT_3");
  ShowYesNoBox(text, ShellText("DELETE_PROFILE_TITLE"), MakeMemberDelegate(this, &GameProfile::OnDeleteConfirmed),
               DelegatePtr());
  return 0;
}

DelegateArg GameProfile::OnDeleteConfirmed(DelegateArg) {
  ProfilesList* list = GetProfileList();
  const cProfile* current = list != nullptr ? list->GetCurrent() : nullptr;
  if (current == nullptr) return 0;
  list->Delete(std::u16string(current->m_name));
  FillList(true);
  if (list->GetProfiles().empty()) ShowFirstProfilePrompt(MakeMemberDelegate(this, &GameProfile::OnNewName));
  return 0;
}

DelegateArg GameProfile::OnBack(DelegateArg) {
  SetNextState(m_return_state);
  return 0;
}
