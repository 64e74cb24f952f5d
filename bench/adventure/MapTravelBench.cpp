// One frame of the travel window on the headless device: a map with nine seen places, its arrows
// and fifteen routes of six steps each, one route being revealed (a new travel starts each time
// one ends), and the GUI's update over it. Goal: under 0.1 ms a frame.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "Sources/adventure/GameMap.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "bench/support/gui/HeadlessGui.h"
#include "gui/include/GUISystem.h"
#include "source/Resources/cResourceLocation.h"
#include "source/timer/cTimerManager.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kRoutes = 15, kSteps = 6;

std::string MapForm() {
  std::string form = "<form><window name=\"map_back\" shader=\"quad\" size=\"1024 768 1\"/>";
  for (const char* place : {"gate", "house", "lower", "bank", "shop", "police", "museum", "rar", "cave"}) {
    form += "<window name=\"" + std::string(place) + "\" shader=\"quad\" size=\"40 40 1\"/>";
  }
  for (int n = 0; n < GameMap::kLocations; ++n) {
    form += "<window name=\"" + std::string(GameMap::ArrowOfLocation(n)) + "\"/>";
  }
  int path = 0;
  for (int route = 0; route < kRoutes; ++route) {
    const int from = route % GameMap::kPlaces + 1, to = (route + 1 + route / GameMap::kPlaces) % GameMap::kPlaces + 1;
    for (int step = 0; step < kSteps; ++step) {
      form += "<window name=\"path_" + std::to_string(++path) + "\" shader=\"quad\" size=\"16 16 1\" from=\"" +
              std::to_string(from) + "\" to=\"" + std::to_string(to) + "\"/>";
    }
  }
  return form + "</form>";
}

class MapBench {
 public:
  MapBench() {
    StartHeadlessGui();
    const std::string path = m_root.Path() + "/data/gui/map.resource";
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << "<?xml version=\"1.0\"?>\n<resources><resource name=\"gui\\map\\map\" "
                                             "type=\"form\">" + MapForm() + "</resource></resources>\n";
    m_group = std::make_unique<cResourceLocation>("data", m_root.Path());
    m_group->Mount();
    for (int place = 0; place < GameMap::kPlaces; ++place) m_profile.m_progress.m_map_points.push_back(place);
    CurrentProfile = &m_profile;
    m_map = new GameMap(std::string(), true);
  }
  ~MapBench() {
    delete m_map;
    CurrentProfile = nullptr;
    m_group.reset();
    StopHeadlessGui();
  }

  void Frame() {
    if (!m_map->HasRoute()) {
      m_map->PrepareTravel(0, 1);
      m_map->Show();
      ++m_travels;
    }
    cTimerManager::GetInstance()->UpdateFrameTime();
    GUISystem::GetInstance()->Update();
  }
  int Travels() const { return m_travels; }

 private:
  TempDir m_root{"velmaris-bench-map"};
  std::unique_ptr<cResourceLocation> m_group;
  PlayerProfile m_profile;
  GameMap* m_map = nullptr;
  int m_travels = 0;
};

void BM_MapTravelFrameFifteenRoutes(benchmark::State& state) {
  MapBench bench;
  for (auto _ : state) bench.Frame();
  if (bench.Travels() == 0) state.SkipWithError("no travel");
  state.counters["travels"] = static_cast<double>(bench.Travels());
}
BENCHMARK(BM_MapTravelFrameFifteenRoutes)->Unit(benchmark::kMicrosecond);

}  // namespace
