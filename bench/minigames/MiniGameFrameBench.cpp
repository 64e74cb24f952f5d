// One frame of a running mini-game on the headless device, with the game's own built data: the
// GUI update (the game's per-frame logic and its pieces) and the render pass (matrices, boxes,
// animations and the draw list). Goal: under 0.1 ms a frame for each game.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "Sources/minigames/MiniGame.h"
#include "Sources/minigames/MiniGameFactory.h"
#include "bench/support/EngineStart.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindowManager.h"
#include "platform/os/os.h"
#include "source/Resources/cResourceLocation.h"
#include "source/math/Rand.h"
#include "source/render/RenderManager.h"
#include "source/sound/cSoundManager.h"
#include "source/sound/cSoundPlayer.h"
#include "source/sound/cSoundResource.h"
#include "source/timer/cTimerManager.h"
#include "tests/source/timer/FakeClock.h"

namespace {

// The engine on the headless device with the data the content tool built beside the program.
class GameWorld {
 public:
  GameWorld() {
    StartHeadlessEngine();
    m_clock = std::make_shared<FakeClock>();
    cTimerManager::GetInstance()->SetClock(m_clock);
    gui = GUISystem::GetInstance();
    gui->Init();
    gui->SetCameraSize(GUISystem::kReferenceWidth, GUISystem::kReferenceHeight);
    RegisterSoundResourceType();
    cSoundManager::GetInstance()->GetDevice().StopThread();
    for (const char* group : {"data", "localization"}) {
      m_groups.push_back(std::make_unique<cResourceLocation>(group, os::ExecutableDirectory()));
      m_groups.back()->Mount();
    }
  }
  ~GameWorld() {
    m_groups.clear();
    StopEngine();
  }

  void Frame() {
    m_clock->Advance(0.02f);
    cTimerManager::GetInstance()->UpdateFrameTime();
    cSoundPlayer::GetInstance()->Update();
    gui->Update();
    RenderManager::GetInstance()->RenderFrame();
  }

  GUISystem* gui = nullptr;

 private:
  std::shared_ptr<FakeClock> m_clock;
  std::vector<std::unique_ptr<cResourceLocation>> m_groups;
};

void BM_MiniGameFrame(benchmark::State& state, const std::string& name) {
  GameWorld world;
  g_rand_state = 0;
  std::unique_ptr<MiniGame> game(CreateMiniGame(GUIWindowManager::GetInstance()->GetWindow("user"), name));
  if (!game || game->GetChildren().empty()) {
    state.SkipWithError(("no form for " + name).c_str());
    return;
  }
  game->Start();
  // Into play: appeared, the first lamps or balls lit.
  for (int i = 0; i < 100; ++i) world.Frame();
  for (auto _ : state) world.Frame();
  state.counters["pieces"] = static_cast<double>(game->GetChildren().size());
  if (game->GetState() != GUIStateWindow::kWorking) state.SkipWithError("the game stopped working");
}

BENCHMARK_CAPTURE(BM_MiniGameFrame, musicbox, std::string("musicbox"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MiniGameFrame, signalling, std::string("signalling"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MiniGameFrame, switches, std::string("switches"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MiniGameFrame, get_through_rays, std::string("get_through_rays"))
    ->Unit(benchmark::kMicrosecond);

}  // namespace
