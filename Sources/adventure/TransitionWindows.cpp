#include "Sources/adventure/TransitionWindows.h"

#include "Sources/adventure/ComicsWindow.h"
#include "Sources/adventure/GameMap.h"
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

GUIStateWindow* MakeMapTravelWindow(GameFlowController* flow, int from, int to) {
  auto* map = new GameMap(std::string(), true);
  map->SetFlowController(flow);
  if (map->GetForm() == nullptr || !map->PrepareTravel(from, to)) {
    LogReport(kLogWarning, kSource, __LINE__, "map travel %d -> %d: the map draws no such route; passed over", from,
              to);
    delete map;
    return nullptr;
  }
  return map;
}
