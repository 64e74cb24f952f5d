#include "app/sources/ScreenReport.h"

#include "Sources/adventure/ComicsWindow.h"
#include "Sources/adventure/DiaryWindow.h"
#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/GameMap.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/GetHintGame.h"
#include "Sources/adventure/Location.h"
#include "Sources/minigames/MiniGame.h"
#include "gui/include/DialogWindow.h"
#include "gui/include/GUISystem.h"
#include "gui/include/cFormResource.h"
#include "source/log/cLog.h"

namespace {

constexpr const char* kSource = "sources\\main";
constexpr int kDeepestPath = 64;

// A name the scripts can read as one word: blanks become underscores.
std::string OneWord(std::string name) {
  for (char& c : name) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') c = '_';
  }
  return name;
}

// A comics page by the last part of its form; the credits by their own name.
std::string ComicsName(const ComicsWindow& comics) {
  const std::string form = comics.GetForm() != nullptr ? comics.GetForm()->GetName() : std::string();
  if (form == GameFlowController::kCreditsEntry) return "credits";
  const size_t slash = form.find_last_of("\\/");
  return "comics/" + OneWord(slash == std::string::npos ? form : form.substr(slash + 1));
}

// A page is on show from its appearing to its going; a hidden one may still be flagged visible.
bool OnShow(const GUIStateWindow* window) {
  return window != nullptr && window->IsVisible() &&
         (window->GetState() == GUIStateWindow::kAppear || window->GetState() == GUIStateWindow::kWorking);
}

std::string DiaryName(const DiaryWindow& diary) {
  if (OnShow(diary.GetComicsPage())) return "diary/comics";
  for (size_t page = 0; page < DiaryWindow::kPages.size(); ++page) {
    if (OnShow(diary.GetPage(static_cast<int>(page)))) return std::string("diary/") + DiaryWindow::kPages[page][0];
  }
  return "diary";
}

// The place, close-up or mini-game the player looks at: the innermost shown close-up, and a
// mini-game running in it or in a place around it.
std::string LocationName(const Location& place) {
  const Location* inner = &place;
  const Location* playing = place.GetRunningMiniGame() != nullptr ? &place : nullptr;
  for (int depth = 0; inner->GetShownSubLocation() != nullptr && depth < kDeepestPath; ++depth) {
    inner = inner->GetShownSubLocation();
    if (inner->GetRunningMiniGame() != nullptr) playing = inner;
  }
  if (playing != nullptr) {
    const std::string name = playing->GetRunningMiniGameName();
    return "minigame/" + OneWord(name.empty() ? playing->GetRunningMiniGame()->GetName() : name);
  }
  return (inner == &place ? "place/" : "closeup/") + OneWord(inner->GetName());
}

// What the game in play shows in front, from the panel's books and maps down to the place; empty
// when no game is in play.
std::string PlayScreenName() {
  const GamePanel* panel = GamePanel::PeekInstance();
  const GameFlowController* flow = panel != nullptr ? panel->GetFlowController() : nullptr;
  if (flow == nullptr) return {};
  if (const GUIStateWindow* page = flow->GetTransitionWindow(); page != nullptr && page->IsVisible()) {
    if (const auto* comics = dynamic_cast<const ComicsWindow*>(page)) return ComicsName(*comics);
    return "map/travel";
  }
  if (panel->GetDiary() != nullptr && panel->GetDiary()->IsVisible()) return DiaryName(*panel->GetDiary());
  if (panel->GetBigMap() != nullptr && panel->GetBigMap()->IsVisible()) return "map/town";
  if (const GetHintGame* search = panel->GetSearchWindow(); search != nullptr && search->IsVisible()) {
    return "search/" + OneWord(search->GetScene());
  }
  if (panel->IsSmallMapShown()) return "map/small";
  if (flow->GetLocation() != nullptr && flow->GetLocation()->IsShown()) return LocationName(*flow->GetLocation());
  return {};
}

}  // namespace

std::string FrontScreenName() {
  const GUISystem* gui = GUISystem::PeekInstance();
  std::string front;
  bool dialog_seen = false;
  // A dialog ends the path by naming itself its active child; a bound keeps a damaged tree finite.
  GUIWindow* window = gui != nullptr ? gui->GetRoot() : nullptr;
  for (int depth = 0; window != nullptr && depth < kDeepestPath; ++depth) {
    const auto* dialog = dynamic_cast<const DialogWindow*>(window);
    if (dialog != nullptr && dialog->IsVisible()) {
      // One still fading in or out is not yet (or no longer) what the player is looking at.
      front = dialog->GetState() == GUIStateWindow::kWorking ? dialog->GetName() : std::string();
      dialog_seen = true;
    }
    // The credits a menu plays over itself are a page of their own.
    if (const auto* comics = dynamic_cast<const ComicsWindow*>(window); comics != nullptr && comics->IsVisible()) {
      front = ComicsName(*comics);
    }
    GUIWindow* next = window->GetActiveChild();
    if (next == window) break;
    window = next;
  }
  return dialog_seen ? front : PlayScreenName();
}

void ReportFrontScreen() {
  static std::string reported;
  const std::string front = FrontScreenName();
  if (front.empty() || front == reported) return;
  reported = front;
  LogReport(kLogPlain, kSource, __LINE__, "screen in front: %s", front.c_str());
}
