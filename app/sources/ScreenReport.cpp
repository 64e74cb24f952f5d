#include "app/sources/ScreenReport.h"

#include "gui/include/DialogWindow.h"
#include "gui/include/GUISystem.h"
#include "source/log/cLog.h"

namespace {

constexpr const char* kSource = "sources\\main";
constexpr int kDeepestPath = 64;

}  // namespace

std::string FrontScreenName() {
  const GUISystem* gui = GUISystem::PeekInstance();
  std::string front;
  // A dialog ends the path by naming itself its active child; a bound keeps a damaged tree finite.
  GUIWindow* window = gui != nullptr ? gui->GetRoot() : nullptr;
  for (int depth = 0; window != nullptr && depth < kDeepestPath; ++depth) {
    const auto* dialog = dynamic_cast<const DialogWindow*>(window);
    if (dialog != nullptr && dialog->IsVisible()) {
      // One still fading in or out is not yet (or no longer) what the player is looking at.
      front = dialog->GetState() == GUIStateWindow::kWorking ? dialog->GetName() : std::string();
    }
    GUIWindow* next = window->GetActiveChild();
    if (next == window) break;
    window = next;
  }
  return front;
}

void ReportFrontScreen() {
  static std::string reported;
  const std::string front = FrontScreenName();
  if (front.empty() || front == reported) return;
  reported = front;
  LogReport(kLogPlain, kSource, __LINE__, "screen in front: %s", front.c_str());
}
