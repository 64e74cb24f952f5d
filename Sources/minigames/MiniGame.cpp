#include "Sources/minigames/MiniGame.h"

#include <algorithm>

#include "Sources/minigames/MiniGameHost.h"
#include "Sources/minigames/MiniGamePieces.h"
#include "Sources/minigames/MiniGamePose.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUICursor.h"
#include "gui/include/GUISystem.h"
#include "source/input/cInput.h"
#include "source/log/cLog.h"
#include "source/render/RenderObject.h"
#include "source/timer/cTimerManager.h"

namespace {

double FrameClock() {
  const cTimerManager* timers = cTimerManager::PeekInstance();
  return timers != nullptr ? timers->GetFrameClock() : 0.0;
}

constexpr const char* kCancelCaption = "CANCEL_MINI_GAME";
// Intro phrases are looked up in this section under "mini_game_" and the game's name.
constexpr const char* kIntroSection = "location_1";

void SelectArrowCursor() {
  GUISystem* gui = GUISystem::PeekInstance();
  if (GUICursor* cursor = gui != nullptr ? gui->GetCursor() : nullptr) cursor->SetCursor("cursor");
}

}  // namespace

MiniGame::MiniGame(const std::string& name, GUIWindow* parent) : GUIStateWindow(name, parent) {
  if (CurrentProfile != nullptr) m_result = CurrentProfile->GetLocationValue(name, "");
  m_won = m_result == "win";
  m_intro = GetMiniGameHost().MakeIntro(kIntroSection, "mini_game_" + name);
  SetState(kHidden);
}

MiniGame::~MiniGame() {
  MiniGameHost& host = GetMiniGameHost();
  if (m_panel_taken) host.SetButtonMode(kCancelCaption, false, DelegatePtr(), 0);
  host.ForgetCallbacksOf(this);
  if (m_running) {
    if (GetParent() != nullptr && GetParent()->GetActiveChild() == this) SetActiveChild(GetParent(), nullptr);
    SelectArrowCursor();
  }
  m_intro.reset();  // off the hint window, if it still shows it
}

bool MiniGame::LoadForm(const std::string& form) {
  const bool loaded = SetFormByName(form);
  if (!loaded) LogReport(kLogError, "Sources\\MiniGame", __LINE__, "mini-game %s: no form %s", GetName().c_str(), form.c_str());
  SetState(kHidden);
  RefreshLayout(*this);
  return loaded;
}

void MiniGame::Start() {
  SelectArrowCursor();
  if (GUISystem* gui = GUISystem::PeekInstance()) gui->SetSkipMouse(true);
  m_result = "wait";
  m_running = true;
  Activate();
  Show();
  // Pieces may have moved while hidden: picking must see where they are now.
  RefreshLayout(*this);
  GetMiniGameHost().SetButtonMode(kCancelCaption, true, MakeMemberDelegate(this, &MiniGame::OnCancelRequest), 0);
  m_panel_taken = true;
  if (m_intro) m_intro->Show();
  m_mouse_hold_off = kMouseHoldOff;
  m_hold_off_start = FrameClock();
}

void MiniGame::ReleasePanel() {
  GetMiniGameHost().SetButtonMode(kCancelCaption, false, DelegatePtr(), 0);
  m_panel_taken = false;
}

void MiniGame::Finish(const std::string& word) {
  m_result = word;
  m_running = false;
  // The mouse is let go only when this game holds it (a message box over it keeps it).
  if (GetParent() != nullptr && GetParent()->GetActiveChild() == this) SetActiveChild(GetParent(), nullptr);
  Hide();
  m_won = m_won || word == "win";
  if (CurrentProfile != nullptr) CurrentProfile->SetLocationValue(GetName(), m_won ? "win" : word);
  if (m_panel_taken) ReleasePanel();
}

void MiniGame::UpdatePause() {
  const bool speaking = GetMiniGameHost().IsPhraseShown();
  if (GetState() == kPaused && !speaking) {
    SetState(kWorking);
    // The hint window took the mouse while it spoke: a click beside the pieces must leave again.
    if (m_running) Activate();
  } else if (GetState() == kWorking && speaking) {
    SetState(kPaused);
  }
}

bool MiniGame::IsPressBesidePieces(const Vector2& point) const {
  // At the point the GUI offers, where the button went down: on a slow frame the pointer may have
  // dragged a piece away from under itself, and the game would close.
  const cInput* input = cInput::PeekInstance();
  if (input == nullptr || !input->Mouse().IsPressed(cInput::kMouseLeft)) return false;
  return std::none_of(GetChildren().begin(), GetChildren().end(),
                      [&point](const GUIWindow* child) { return IsPickedAt(child, point); });
}

bool MiniGame::OnMouse(const Vector2& point, bool button_down) {
  if (m_mouse_hold_off != 0) {
    --m_mouse_hold_off;
    if (FrameClock() - m_hold_off_start < kMouseHoldOffTime) return false;
    m_mouse_hold_off = 0;
  }
  bool answer = true;
  if (!IsVisible() || GetState() == kHidden) {
    answer = false;
  } else if (GetState() == kWorking) {
    answer = GUIWindow::HandleMouse(point, button_down);
  }
  // Only the exit button this game put on the panel takes its presses.
  const bool taken_by_panel = m_panel_taken && GetMiniGameHost().HandleExitButtonMouse(point, button_down);
  // Once finished (a "win" stored, the game disappearing), a click changes nothing.
  if (m_result == "wait" && !taken_by_panel && IsPressBesidePieces(point)) Finish("close");
  return answer;
}

DelegateArg MiniGame::OnCancelRequest(DelegateArg) {
  if (!m_running) return 0;
  MiniGameHost& host = GetMiniGameHost();
  const bool cheat = CurrentProfile != nullptr && CurrentProfile->m_cheat_mode != 0;
  const int32_t hints = CurrentProfile != nullptr ? CurrentProfile->m_progress.m_hints : 0;
  if (!cheat && hints < kSkipCost) {
    host.ShowMessageBox("no_more_hints_title", "no_more_hints");
  } else {
    host.ShowYesNoBox("skip_minigame_title", "skip_minigame", MakeMemberDelegate(this, &MiniGame::OnSkipConfirmed),
                      DelegatePtr());
  }
  return 0;
}

DelegateArg MiniGame::OnSkipConfirmed(DelegateArg) {
  // A game that ended while the question was open is not paid for again.
  if (!m_running) return 0;
  if (CurrentProfile != nullptr) {
    int32_t& hints = CurrentProfile->m_progress.m_hints;
    hints = std::max(0, hints - kSkipCost);
  }
  Finish("win");
  GetMiniGameHost().SyncHintIcons();
  return 0;
}
