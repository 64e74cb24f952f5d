// One frame of a large location on the headless device: its 60 objects updated and picked, the
// hint search over a script of about 1,000 nodes that opens 5 close-ups (each searched too), the
// cursor chosen and one script step. Goal: under 0.3 ms a frame.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "Sources/adventure/Location.h"
#include "bench/support/gui/HeadlessGui.h"
#include "source/Resources/cResourceLocation.h"
#include "tests/Sources/adventure/LocationData.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kObjects = 60;
constexpr int kCloseUps = 5;
constexpr int kScriptNodes = 1000;

std::string Object(int i) {
  std::ostringstream name;
  name << "obj_" << i % kObjects;
  return name.str();
}

// A script of the usual shapes: an onload enabling everything, then clicks whose branches test,
// hide, give, use items and open close-ups, until the script has about 1,000 nodes.
std::string HallScript() {
  std::ostringstream text;
  text << "hall {\n onload {\n enable";
  for (int i = 0; i < kObjects; ++i) text << ' ' << Object(i);
  text << "\n }\n";
  int nodes = 3;
  for (int k = 0; k < kCloseUps; ++k, nodes += 2) {
    text << " click {\n " << Object(kObjects - 1 - k) << ": showlocation cu_" << k << "\n }\n";
  }
  for (int i = 0; nodes < kScriptNodes; ++i, nodes += 7) {  // seven nodes a branch
    text << " click {\n " << Object(i) << ": isvisible " << Object(i * 7 + 3) << " {\n  true: hide " << Object(i)
         << " {\n   addinventory item_" << i << "\n  }\n  false: isininventory key {\n   true: dropinventory key\n"
         << "   false: sound click\n  }\n }\n }\n";
  }
  text << "}\n";
  return text.str();
}

std::string CloseUpScript(int k) {
  std::ostringstream text;
  text << "cu_" << k << " {\n onload {\n enable part_a part_b\n }\n click {\n part_a: addinventory coin\n"
       << " part_b: game safe {\n  win: disable part_b\n }\n }\n}\n";
  return text.str();
}

class LargeLocation {
 public:
  LargeLocation() {
    StartHeadlessGui();
    RegisterLocationResourceType();
    const WriteDataFile write = [this](const std::string& relative, const std::string& bytes) {
      const std::string path = m_root.Path() + "/data/" + relative;
      std::filesystem::create_directories(std::filesystem::path(path).parent_path());
      std::ofstream(path, std::ios::binary) << bytes;
    };
    std::vector<SceneObject> hall = {{"hall_back", "b", 0, 0, 1024, 768}};
    for (int i = 0; i < kObjects; ++i) {
      hall.emplace_back(Object(i), "i", static_cast<float>(i % 10) * 100.0f, static_cast<float>(i / 10) * 120.0f, 80.0f, 100.0f);
    }
    WriteLocationData(write, "hall", "hall", hall, HallScript());
    for (int k = 0; k < kCloseUps; ++k) {
      std::ostringstream name;
      name << "cu_" << k;
      WriteLocationData(write, "hall", name.str(),
                        {{"cu_back", "b", 200, 200, 600, 400}, {"part_a", "i", 300, 300, 50, 50},
                         {"part_b", "i", 500, 300, 50, 50}},
                        CloseUpScript(k));
    }
    m_group = std::make_unique<cResourceLocation>("data", m_root.Path());
    m_group->Mount();
    m_location = std::make_unique<Location>(nullptr, "hall", "hall");
    Location::SetActive(*m_location, true, false);
  }
  ~LargeLocation() {
    m_location.reset();
    m_group.reset();
    StopHeadlessGui();
  }

  Location& Get() { return *m_location; }

 private:
  TempDir m_root{"velmaris-bench-location"};
  std::unique_ptr<cResourceLocation> m_group;
  std::unique_ptr<Location> m_location;
};

void BM_LocationFrameWithHintSearch(benchmark::State& state) {
  LargeLocation large;
  Location& location = large.Get();
  location.Update(0.02f);  // the onload
  std::size_t targets = 0;
  for (auto _ : state) {
    location.Update(0.02f);
    targets = 0;
    for (const auto& list : location.GetHintLists().lists) targets += list.size();
  }
  if (targets == 0) state.SkipWithError("the hint search found nothing");
  state.counters["targets"] = static_cast<double>(targets);
  state.counters["objects"] = static_cast<double>(location.GetObjects().size());
  uint32_t nodes = 0;
  if (location.GetRoot() != nullptr) ForEachCommandNode(*location.GetRoot(), [&nodes](CommandNode&, uint32_t) { ++nodes; });
  state.counters["nodes"] = nodes;
}
BENCHMARK(BM_LocationFrameWithHintSearch)->Unit(benchmark::kMicrosecond);

void BM_HintSearchAlone(benchmark::State& state) {
  LargeLocation large;
  Location& location = large.Get();
  location.Update(0.02f);
  HintLists lists;
  for (auto _ : state) {
    location.SearchHints(lists);
    benchmark::DoNotOptimize(lists.First());
  }
}
BENCHMARK(BM_HintSearchAlone)->Unit(benchmark::kMicrosecond);

}  // namespace
