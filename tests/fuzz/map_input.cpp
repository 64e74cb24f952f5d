// Fuzz target: the town map driven by arbitrary input over the game's own map forms from
// content/gui/map.xml. The bytes are a sequence of steps (make a small map, a big map or a travel
// window; set the current place or a travel between any two numbers; show, hide, put away or
// reopen it; offer a search from any location; press a hint button; change the search's count,
// clock and reward state; fill the seen places with any numbers; run a frame with the mouse
// anywhere, pressed or not). Whatever the steps, nothing crashes, the hint charges never leave 0..5,
// the seen places the map adds are never doubled, and a map put away holds no mouse capture.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "Sources/adventure/GameMap.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "platform/input/headless/HeadlessInput.h"
#include "tests/fuzz/HeadlessGui.h"

namespace {

// The panel's search side: the windows are tokens the map never looks into.
class FuzzSearch : public MapSearchHost {
 public:
  GetHintGame* CreateSearchWindow(const std::string&) override {
    auto* window = reinterpret_cast<GetHintGame*>(&tokens[next++ % sizeof(tokens)]);
    counts.insert_or_assign(window, std::string(1, '8'));
    return window;
  }
  void CloseSearch(GetHintGame*) override {}
  std::string ItemsCountOf(GetHintGame* window) const override {
    auto found = counts.find(window);
    return found != counts.end() ? found->second : std::string();
  }
  bool IsSearchVisible(GetHintGame*) const override { return visible; }
  int GetItemsToFind() const override { return to_find; }
  bool IsRewardBlinking() const override { return blinking; }
  float GetCountdown() const override { return countdown; }
  void SetSearchFinished(bool) override {}

  char tokens[64] = {};
  size_t next = 0;
  std::map<GetHintGame*, std::string> counts;
  int to_find = 13;
  bool blinking = false, visible = false;
  float countdown = 300.0f;
};

struct World {
  World() {
    gui.AddForm("gui/map.xml", "gui/map");
    gui.MountForms();
    CurrentProfile = &profile;
  }
  static void Frame() { HeadlessGui::Frame(); }

  HeadlessGui gui{"map"};
  PlayerProfile profile;
  FuzzSearch search;
  std::unique_ptr<GameMap> map;
};

int Signed(uint8_t value) { return static_cast<int>(value) - 64; }  // -64..191: inside and outside

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static World* world = new World();  // lives as long as the fuzzing run
  World& w = *world;
  w.profile.m_progress.m_hints = 3;
  w.profile.m_progress.m_map_points.clear();
  w.search = FuzzSearch();
  for (size_t i = 0; i + 2 < size && i < 3 * 400; i += 3) {
    const uint8_t op = data[i] % 12, a = data[i + 1], b = data[i + 2];
    switch (op) {
      case 0:
        w.map.reset();
        w.map = std::make_unique<GameMap>(a % 3 == 0 ? std::string(GameMap::kSmallForm) : std::string(), a % 3 == 2);
        w.map->SetSearchHost(&w.search);
        break;
      case 1:
        if (w.map) w.map->SetCurrentLocation(Signed(a));
        break;
      case 2:
        if (w.map) w.map->PrepareTravel(Signed(a), Signed(b));
        break;
      case 3:
        if (w.map) (a & 1) ? w.map->Show() : w.map->Hide();
        break;
      case 4:
        if (w.map) (a & 1) ? w.map->HideNow() : w.map->Open();
        break;
      case 5:
        if (w.map) w.map->RequestLocationHint(Signed(a));
        break;
      case 6:
        if (w.map) {
          GUIWindow* button = w.map->FindChild("get_hint_location_" + std::to_string(a % 17));
          w.map->OnHintLocationClick(reinterpret_cast<DelegateArg>(button));
        }
        break;
      case 7:
        w.search.to_find = a % 22;
        w.search.blinking = (b & 1) != 0;
        w.search.visible = (b & 2) != 0;
        w.search.countdown = static_cast<float>(Signed(b));
        if (!w.search.counts.empty()) w.search.counts.begin()->second = std::to_string(Signed(a));
        break;
      case 8:
        w.profile.m_progress.m_map_points.push_back(Signed(a) * (b + 1));
        break;
      case 9:
        w.profile.m_progress.m_hints = a % 6;
        break;
      default:
        window::headless::SetMousePosition(a * 4, b * 3);
        input::headless::SetMouseButton(input::kButtonLeft, op == 10);
        w.Frame();
        break;
    }
    if (w.profile.m_progress.m_hints < 0 || w.profile.m_progress.m_hints > 5) __builtin_trap();
  }
  // Each place the map marks is marked once.
  w.profile.m_progress.m_map_points.clear();
  if (w.map) {
    for (int location = 0; location < GameMap::kLocations; ++location) w.map->SetCurrentLocation(location);
    w.map->SetCurrentLocation(0);
    if (w.profile.m_progress.m_map_points.size() != GameMap::kPlaces) __builtin_trap();
    w.map->HideNow();
    if (GUISystem::GetInstance()->GetRoot()->GetActiveChild() != nullptr) __builtin_trap();
  }
  w.map.reset();
  input::headless::SetMouseButton(input::kButtonLeft, false);
  w.Frame();
  return 0;
}
