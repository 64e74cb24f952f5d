// Particle effects and animated shaders: the per-frame update and billboards of five full effects
// and the advance of 2,000 shader holders on the headless device, and the five effects drawn by the
// whole engine on OpenGL, beside BM_ReferenceBareGlFiveEffects.

#include <benchmark/benchmark.h>

#include <string>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/render/ParticleScene.h"
#include "bench/render/QuadScene.h"
#include "bench/render/SliceTime.h"
#include "bench/support/EngineStart.h"
#include "platform/gfx/Backend.h"
#include "platform/gfx/headless/Headless.h"
#include "platform/window/window.h"
#include "source/core/Singleton.h"
#include "source/particle/ParticleInstanceManager.h"
#include "source/particle/ParticleManager.h"
#include "source/particle/ParticleSystem.h"
#include "source/properties/cProperties.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSettings.h"
#include "source/shaders/ShaderHolder.h"
#include "source/timer/cTimerManager.h"

namespace {

constexpr int kRecordedFrames = 240;

// A clock that moves on by one 60th of a second at each frame.
class FrameClock : public TimerClock {
 public:
  uint64_t Counter() override { return m_now; }
  uint64_t Frequency() override { return 600; }
  uint32_t TickCount() override { return static_cast<uint32_t>(m_now * 1000 / 600); }
  void Step() { m_now += 10; }

 private:
  uint64_t m_now = 0;
};

void BM_FiveEffectsUpdateAndBillboards(benchmark::State& state) {
  RenderManager* manager = StartHeadlessEngine();
  {
    std::vector<std::unique_ptr<ParticleSystem>> effects = MakeEffects(MakeSceneCamera());
    for (auto _ : state) {
      manager->GetParticleManager()->Update(kFrameTime);
      manager->GetParticleInstanceManager()->BuildBillboards();
    }
    double live = 0;
    for (const auto& effect : effects) live += effect->GetLiveCount();
    state.counters["particles"] = live;
  }
  StopEngine();
}
BENCHMARK(BM_FiveEffectsUpdateAndBillboards)->Unit(benchmark::kMicrosecond);

// The holders of a screen full of animated GUI pieces and glyphs: nets, sequences and flickers.
void BM_ShaderHolders2000(benchmark::State& state) {
  RenderManager* manager = StartHeadlessEngine();
  auto clock = std::make_shared<FrameClock>();
  cTimerManager::GetInstance()->SetClock(clock);
  {
    const ShaderRef shaders[3] = {
        ShaderRef::FromDescriptor(ShaderDescriptor("fx\\net", "", false, kAnimationNet, 4, 2, 8, 10.0f, false)),
        ShaderRef::FromDescriptor(ShaderDescriptor("fx\\walk", "", false, kAnimationSequence, 16, 16, 12, 1.5f, false)),
        ShaderRef::FromDescriptor(ShaderDescriptor("fx\\glint", "", false, kAnimationRotatoryDiffuse, 1, 1, 6, 4.0f, false))};
    std::vector<ShaderHolder> holders(2000);
    for (std::size_t i = 0; i < holders.size(); ++i) holders[i].SetShader(shaders[i % 3]);
    std::vector<Updatable*>& list = manager->GetUpdateList();
    for (auto _ : state) {
      clock->Step();
      cTimerManager::GetInstance()->UpdateFrameTime();
      for (std::size_t i = 0; i < list.size(); ++i) list[i]->Update();  // as the render pass does
    }
    state.counters["holders"] = static_cast<double>(list.size());
  }
  StopEngine();
}
BENCHMARK(BM_ShaderHolders2000)->Unit(benchmark::kMicrosecond);

// The five effects through the whole engine on OpenGL (llvmpipe; SDL's offscreen driver unless
// SDL_VIDEODRIVER names another, such as x11 under Xvfb) at 1024 x 768, windowed, without vertical
// sync: the particle update, the billboards, the draw list and the present; beside the bare GL
// reference drawing billboards the engine built for it beforehand, in its own window and context.
// The two take turns, 20 frames each; argument 1 waits for every frame with glFinish on both
// sides. Reported: both frame rates and "of_bare", the engine's as a share of the reference's.
void BM_FiveEffectsOpenGL(benchmark::State& state) {
  BareParticles bare(RecordBillboards(kRecordedFrames));
  OpenGlEngine engine;
  std::string error;
  RenderManager* manager = engine.Start(kParticleSceneWidth, kParticleSceneHeight, error);
  if (manager == nullptr || !bare.Open(error)) {
    state.SkipWithError(error.c_str());
  } else {
    auto clock = std::make_shared<FrameClock>();
    cTimerManager::GetInstance()->SetClock(clock);
    std::vector<std::unique_ptr<ParticleSystem>> effects = MakeEffects(MakeSceneCamera());
    const auto engine_frame = [&] {
      clock->Step();
      cTimerManager::GetInstance()->UpdateFrameTime();
      manager->RenderFrame();
    };
    const bool finish = state.range(0) != 0;
    // One slice each first: the contexts compile their shaders and fill their caches.
    TimeSlice([&] { bare.Draw(); }, finish);
    TimeSlice(engine_frame, finish);
    SliceTime engine_time, reference_time;
    for (auto _ : state) {
      reference_time += TimeSlice([&] { bare.Draw(); }, finish);
      engine_time += TimeSlice(engine_frame, finish);
    }
    ReportSlices(state, engine_time, reference_time);
  }
}
BENCHMARK(BM_FiveEffectsOpenGL)->ArgName("finish")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
