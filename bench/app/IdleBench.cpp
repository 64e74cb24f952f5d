// What a still frame costs the machine: the real main loop over SDL and OpenGL (llvmpipe; SDL's
// offscreen driver unless SDL_VIDEODRIVER names another, such as x11 under Xvfb) showing an empty
// window with vertical sync asked for, as the player's default settings do. Where presenting does
// not wait for the display, the loop waits for the display's next frame time. Reported: the CPU
// share of the whole process (every thread, llvmpipe's too) in cores, frames a second, and the
// CPU time of one frame.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "Sources/shell/AdventureGame.h"
#include "Sources/shell/cGameState.h"
#include "app/sources/cApplication.h"
#include "bench/support/EngineStart.h"
#include "platform/gfx/Backend.h"
#include "platform/window/window.h"
#include "source/core/Singleton.h"
#include "source/input/cInput.h"
#include "source/properties/cProperties.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSettings.h"
#include "source/timer/cTimerManager.h"

namespace {

constexpr int kFrames = 180;

// Ends the loop after kFrames frames.
class CountingState : public cGameState {
 public:
  void Update(float) override {
    if (++m_frames == kFrames) cApplication::GetInstance()->Quit();
  }
  void Enter() override {}
  void Leave() override {}

 private:
  int m_frames = 0;
};

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_StillFrameCpuShare(benchmark::State& state) {
  OpenGlEngine engine;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "velmaris-idle-bench";
  std::filesystem::create_directories(folder);
  g_render_settings.vsync = true;
  cApplication* application = cApplication::GetInstance();
  application->SetInstanceLockFolder(folder.string());
  if (!OpenGlEngine::Retry([&] { return application->Create("Velmaris"); })) {
    state.SkipWithError("no window");
  } else {
    cTimerManager::GetInstance();
    cInput::GetInstance()->InitInput();
    if (!RenderManager::GetInstance()->IsStarted()) {
      state.SkipWithError("no GL device");
    } else {
      CountingState counting;
      GameInstance()->ChangeState(&counting);
      for (auto _ : state) {
        const double cpu = ProcessCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        application->Run();
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
        const double used = ProcessCpuSeconds() - cpu;
        state.counters["cpu_share"] = used / wall.count();
        state.counters["fps"] = kFrames / wall.count();
        state.counters["cpu_ms_frame"] = used * 1000.0 / kFrames;
      }
      GameInstance()->ChangeState(nullptr);
    }
  }
}
BENCHMARK(BM_StillFrameCpuShare)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
