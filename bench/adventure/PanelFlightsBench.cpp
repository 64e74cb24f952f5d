// One panel-like frame on the headless device: nine items in their slots (placed and counted), three
// items flying with their particle trails (moved, their trails emitting and drawn into billboards),
// and the GUI's update over the panel. Goal: under 0.2 ms a frame.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "Sources/adventure/Inventory.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "bench/support/gui/HeadlessGui.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindow.h"
#include "source/Resources/cResourceLocation.h"
#include "source/particle/ParticleEffectHandle.h"
#include "source/particle/ParticleManager.h"
#include "source/render/RenderManager.h"
#include "tests/Sources/adventure/LocationData.h"
#include "tests/source/particle/ParticleTestUtil.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kFlights = 3;

class PanelBench {
 public:
  PanelBench() {
    StartHeadlessGui();
    std::string models;
    for (int i = 0; i < PanelInventory::kSlots; ++i) {
      Write("inventory/item_" + std::to_string(i) + ".mlf", QuadModelBytes(0, 0, 64, 64));
      models += "<model name=\"item_" + std::to_string(i) + "\" kind=\"i\"/>";
    }
    Write("inventory/inventory_scene.resource", "<?xml version=\"1.0\"?>\n<resources><resource name=\"inventory\\inventory\" "
                                                "type=\"scene\"><models>" + models + "</models></resource></resources>\n");
    ParticleFileData trail = PlainParticleFile(128, 1.7f);
    for (float& emission : trail.emission) emission = 150.0f;
    cMemoryStream file;
    WriteParticleFile(file, trail);
    Write("particle systems/fly_effect.psf", std::string(reinterpret_cast<const char*>(file.GetData()), file.GetSize()));
    m_group = std::make_unique<cResourceLocation>("data", m_root.Path());
    m_group->Mount();

    m_panel = new GUIWindow(GUISystem::GetInstance()->GetRoot(), "game_panel");
    GUIWindow* form = new GUIWindow(m_panel, "game_panel_form");
    new GUIWindow(form, "inventory");
    for (int i = 0; i < PanelInventory::kSlots; ++i) {
      GUIWindow* slot = new GUIWindow(form, "inventory_" + std::to_string(i));
      slot->SetValue("shader", "quad");
      slot->SetMatrix(Matrix4::MakeTranslation(200.0f + 70.0f * i, 20.0f, 0.0f));
      slot->SetSize(Vector3(64, 64, 1));
      new GUIWindow(form, "inventory_count_" + std::to_string(i));
    }
    m_profile.Reset();
    for (int i = 0; i < PanelInventory::kSlots; ++i) m_profile.m_progress.m_items.push_back({"item_" + std::to_string(i), 2});
    CurrentProfile = &m_profile;
    m_inventory = std::make_unique<PanelInventory>(form, m_panel);
    m_inventory->RegisterArrival();
    m_inventory->ReloadInventory();
    m_inventory->LayoutInventory(true);
  }
  ~PanelBench() {
    m_inventory.reset();
    CurrentProfile = nullptr;
    m_group.reset();
    StopHeadlessGui();
  }

  // Keeps three items in the air: each that has gone is sent again from the top of the screen.
  void Frame(float dt) {
    for (int i = 0; m_inventory->GetFlyingItems().size() < kFlights; ++i) {
      m_inventory->FlyToInventory("item_" + std::to_string(m_next++ % PanelInventory::kSlots), Vector3(512, 700, 0), 1, false);
    }
    m_inventory->UpdateFlights(dt);
    RenderManager::GetInstance()->GetParticleManager()->Update(dt);
    m_inventory->RefreshInventory();
    GUISystem::GetInstance()->Update();
  }
  PanelInventory& Inventory() { return *m_inventory; }

 private:
  void Write(const std::string& relative, const std::string& bytes) {
    const std::string path = m_root.Path() + "/data/" + relative;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }

  TempDir m_root{"velmaris-bench-panel"};
  std::unique_ptr<cResourceLocation> m_group;
  PlayerProfile m_profile;
  GUIWindow* m_panel = nullptr;
  std::unique_ptr<PanelInventory> m_inventory;
  int m_next = 0;
};

void BM_PanelFrameNineItemsThreeFlights(benchmark::State& state) {
  PanelBench bench;
  for (int i = 0; i < 100; ++i) bench.Frame(0.016f);  // the trails at full strength
  std::size_t particles = 0;
  for (auto _ : state) {
    bench.Frame(0.016f);
    particles = 0;
    for (const auto& item : bench.Inventory().GetFlyingItems()) {
      if (item->GetEffect() != nullptr && item->GetEffect()->GetSystem() != nullptr) {
        particles += item->GetEffect()->GetSystem()->GetLiveCount();
      }
    }
  }
  if (particles == 0) state.SkipWithError("no trail emits");
  state.counters["items"] = static_cast<double>(bench.Inventory().GetEntries().size());
  state.counters["flights"] = static_cast<double>(bench.Inventory().GetFlyingItems().size());
  state.counters["particles"] = static_cast<double>(particles);
}
BENCHMARK(BM_PanelFrameNineItemsThreeFlights)->Unit(benchmark::kMicrosecond);

}  // namespace
