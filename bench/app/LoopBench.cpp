// The main loop's own cost per frame with nothing to draw: the event pump, the frame clock, the
// input poll and the game's update, over the headless window and input services.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "Sources/shell/AdventureGame.h"
#include "app/sources/cApplication.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "source/core/Singleton.h"
#include "source/input/cInput.h"
#include "source/timer/cTimerManager.h"

namespace {

constexpr int64_t kFramesPerRun = 1000;

void BM_LoopFrame(benchmark::State& state) {
  setenv("VELMARIS_HEADLESS", "1", 1);
  const std::filesystem::path lock_folder = std::filesystem::temp_directory_path() / "velmaris-bench";
  std::filesystem::create_directories(lock_folder);
  cApplication* application = cApplication::GetInstance();
  application->SetInstanceLockFolder(lock_folder.string());
  if (!application->Create("Velmaris")) {
    state.SkipWithError("the window could not be made");
    return;
  }
  cTimerManager::GetInstance();
  cInput::GetInstance()->InitInput();
  GameInstance();

  int64_t frames = 0;
  // Each run of the loop ends by a quit message after kFramesPerRun frames.
  window::headless::SetFrameHook([&frames] {
    if (++frames == kFramesPerRun) window::PostQuitMessage(0);
  });
  for (auto _ : state) {
    frames = 0;
    benchmark::DoNotOptimize(application->Run());
  }
  state.counters["frame"] = benchmark::Counter(static_cast<double>(state.iterations() * kFramesPerRun),
                                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  window::headless::SetFrameHook(nullptr);
  DestroySingletons();
}
BENCHMARK(BM_LoopFrame)->Unit(benchmark::kMillisecond);

}  // namespace
