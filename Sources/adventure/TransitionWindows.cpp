#include "Sources/adventure/TransitionWindows.h"

#include "Sources/adventure/ComicsWindow.h"
#include "source/log/cLog.h"

namespace {

constexpr const char* kSource = "Sources\\adventure\\TransitionWindows";

}  // namespace

GUIStateWindow* MakeComicsWindow(const std::string& entry, bool keep, bool skip) {
  auto* window = new ComicsWindow(nullptr, entry, keep, skip);
  if (window->GetForm() == nullptr) {
    LogReport(kLogError, kSource, __LINE__, "transition page %s is missing and not shown", entry.c_str());
    delete window;
    return nullptr;
  }
  return window;
}

GUIStateWindow* MakeMapTravelWindow(GameFlowController*, int from, int to) {
  static bool logged = false;
  if (!logged) {
    logged = true;
    LogReport(kLogWarning, kSource, __LINE__, "map travel %d -> %d: the game has no travel map; passed over", from,
              to);
  }
  return nullptr;
}
