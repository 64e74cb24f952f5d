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
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("VELMARIS_HEADLESS", "0", 1);
  DestroySingletons();
  window::Shutdown();
  gfx::detail::ResetBackend();
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "velmaris-idle-bench";
  std::filesystem::create_directories(folder);
  cProperties::GetInstance()->SetValue("log", "false");
  g_render_settings.fullscreen = false;
  g_render_settings.vsync = true;
  cApplication* application = cApplication::GetInstance();
  application->SetInstanceLockFolder(folder.string());
  // A virtual display now and then refuses a connection: a second or third try gets one.
  bool created = false;
  for (int attempt = 0; attempt < 3 && !created; ++attempt) {
    window::Shutdown();
    created = application->Create("Velmaris");
  }
  if (!created) {
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
  DestroySingletons();
  window::Shutdown();
  gfx::detail::ResetBackend();
  setenv("VELMARIS_HEADLESS", "1", 1);
}
BENCHMARK(BM_StillFrameCpuShare)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
