// What a still frame costs the machine: the real main loop over SDL and OpenGL (llvmpipe; SDL's
// offscreen driver unless SDL_VIDEODRIVER names another, such as x11 under Xvfb) showing the
// game's main menu on its built data once the logos are gone, with vertical sync asked for, as
// the player's default settings do. Where presenting does not wait for the display, the loop
// waits for the display's next frame time. Reported: the CPU share of the whole process (every
// thread, llvmpipe's too) in cores, frames a second, and the CPU time of one frame. Compare
// BM_ReferenceBareStillFrameCpuShare beside it, a bare window drawing one full-window textured quad.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>

#include "Sources/shell/AdventureGame.h"
#include "Sources/shell/cGameState.h"
#include "Sources/shell/screens/LogoWindow.h"
#include "app/sources/cApplication.h"
#include "bench/support/app/GameStart.h"
#include "source/render/RenderSettings.h"

namespace {

constexpr int kSettleFrames = 60;  // the menu's appearing and the logos' going
constexpr int kFrames = 180;

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The game's own state, stepped as before; after kSettleFrames it starts the clocks, and after
// kFrames more it reads them and ends the loop.
class CountingState : public cGameState {
 public:
  explicit CountingState(cGameState* inner) : m_inner(inner) {}
  void Update(float dt) override {
    if (m_inner != nullptr) m_inner->Update(dt);
    ++m_frames;
    if (m_frames == kSettleFrames) {
      m_cpu = ProcessCpuSeconds();
      m_start = std::chrono::steady_clock::now();
    } else if (m_frames == kSettleFrames + kFrames) {
      m_wall = std::chrono::steady_clock::now() - m_start;
      m_cpu = ProcessCpuSeconds() - m_cpu;
      cApplication::GetInstance()->Quit();
    }
  }
  void Enter() override {
    if (m_inner != nullptr) m_inner->Enter();
  }
  void Leave() override {
    if (m_inner != nullptr) m_inner->Leave();
  }
  double WallSeconds() const { return m_wall.count(); }
  double CpuSeconds() const { return m_cpu; }

 private:
  cGameState* m_inner;
  int m_frames = 0;
  double m_cpu = 0.0;
  std::chrono::steady_clock::time_point m_start;
  std::chrono::duration<double> m_wall{0.0};
};

void BM_StillFrameCpuShare(benchmark::State& state) {
  if (!PrepareGameBench(state, false)) return;
  BenchUserFolder users;
  if (!StartGame(users.path, true)) {
    state.SkipWithError("the game could not start here");
  } else {
    AdventureGame* game = GameInstance();
    if (LogoWindow* logos = game->GetLogoWindow()) logos->Hide();
    CountingState counting(game->GetCurrentState());
    game->ChangeState(&counting);
    for (auto _ : state) {
      cApplication::GetInstance()->Run();  // once: the loop ends for good when it is quit
      state.counters["cpu_share"] = counting.CpuSeconds() / counting.WallSeconds();
      state.counters["fps"] = kFrames / counting.WallSeconds();
      state.counters["cpu_ms_frame"] = counting.CpuSeconds() * 1000.0 / kFrames;
    }
    game->ChangeState(nullptr);
  }
  StopGame();
  UseBackend(true);
}
BENCHMARK(BM_StillFrameCpuShare)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
