// The board games' costs on the headless engine with the game's own built data: a round-puzzle
// start (the base's start, a thousand shuffle turns and the layout refresh of its form; goal under
// 5 ms) and one frame of each game while it works (goal under 0.1 ms): the game's logic alone,
// and beside it the whole headless frame (the GUI's update and the render pass).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "Sources/minigames/MiniGameFactory.h"
#include "Sources/minigames/MiniGamePieces.h"
#include "Sources/minigames/MiniGameRoundPuzzle.h"
#include "bench/support/EngineStart.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindowManager.h"
#include "platform/os/os.h"
#include "source/Resources/cResourceLocation.h"
#include "source/math/Rand.h"
#include "source/render/RenderManager.h"
#include "source/sound/cSoundResource.h"
#include "source/timer/cTimerManager.h"

namespace {

// The headless engine with the GUI and the data beside the program; the game made by name.
class GameOnBench {
 public:
  explicit GameOnBench(const std::string& name) {
    StartHeadlessEngine();
    RegisterSoundResourceType();
    GUISystem* gui = GUISystem::GetInstance();  // before the data: it knows the forms
    m_data = std::make_unique<cResourceLocation>("data", os::ExecutableDirectory());
    m_data->Mount();
    gui->Init();
    gui->SetCameraSize(GUISystem::kReferenceWidth, GUISystem::kReferenceHeight);
    game = CreateMiniGame(GUIWindowManager::GetInstance()->GetWindow("user"), name);
  }
  ~GameOnBench() {
    delete game;
    m_data.reset();
    StopEngine();
  }
  // Started and brought to its working state.
  void StartWorking() {
    game->Start();
    for (int i = 0; i < 20 && game->GetState() != GUIStateWindow::kWorking; ++i) FullFrame();
  }
  void FullFrame() {
    cTimerManager::GetInstance()->UpdateFrameTime();
    GUISystem::GetInstance()->Update();
    RenderManager::GetInstance()->RenderFrame();
  }

  MiniGame* game = nullptr;

 private:
  std::unique_ptr<cResourceLocation> m_data;
};

void BM_RoundPuzzleStartWithThousandTurns(benchmark::State& state) {
  GameOnBench bench("round_puzzle");
  auto* puzzle = static_cast<MiniGameRoundPuzzle*>(bench.game);
  if (puzzle == nullptr) return state.SkipWithError("no round puzzle");
  int turns = 0;
  for (auto _ : state) {
    puzzle->Start();  // the real start: it stops once every chip is off its point
    turns += puzzle->Shuffle(MiniGameRoundPuzzle::kShuffleTurns, false);
    RefreshLayout(*puzzle);
  }
  state.counters["turns"] = benchmark::Counter(turns, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RoundPuzzleStartWithThousandTurns)->Unit(benchmark::kMillisecond);

void BM_GameLogicFrame(benchmark::State& state, const char* name) {
  GameOnBench bench(name);
  if (bench.game == nullptr) return state.SkipWithError("no game");
  g_rand_state = 1;
  bench.StartWorking();
  for (auto _ : state) bench.game->IsWorkingFinished(0.016f);
}
BENCHMARK_CAPTURE(BM_GameLogicFrame, round_puzzle, "round_puzzle")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GameLogicFrame, lock, "lock")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GameLogicFrame, remember_pictures, "remember_pictures")->Unit(benchmark::kMicrosecond);

void BM_GameHeadlessFrame(benchmark::State& state, const char* name) {
  GameOnBench bench(name);
  if (bench.game == nullptr) return state.SkipWithError("no game");
  bench.StartWorking();
  for (auto _ : state) bench.FullFrame();
}
BENCHMARK_CAPTURE(BM_GameHeadlessFrame, round_puzzle, "round_puzzle")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GameHeadlessFrame, lock, "lock")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GameHeadlessFrame, remember_pictures, "remember_pictures")->Unit(benchmark::kMicrosecond);

}  // namespace
