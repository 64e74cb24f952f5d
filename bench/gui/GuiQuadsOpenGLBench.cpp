// A full screen of 200 GUI windows, each a coloured quad, drawn by the whole engine (GUI layout,
// draw list, render system) on OpenGL (llvmpipe under SDL's offscreen driver) at 1024 x 768,
// windowed, without vertical sync; compare with BM_ReferenceBareGl200GuiQuads.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/gui/GuiScene.h"
#include "bench/support/EngineStart.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindow.h"
#include "gui/include/GUIWindowManager.h"
#include "source/render/RenderManager.h"

namespace {

void BM_Gui200QuadsOpenGL(benchmark::State& state) {
  OpenGlEngine engine;
  std::string error;
  RenderManager* manager = engine.Start(static_cast<int>(kGuiScreenWidth), static_cast<int>(kGuiScreenHeight), error);
  if (manager == nullptr) {
    state.SkipWithError(error.c_str());
  } else {
    GUISystem* gui = GUISystem::GetInstance();
    gui->Init();
    gui->SetCameraSize(kGuiScreenWidth, kGuiScreenHeight);
    GUIWindow* user = GUIWindowManager::GetInstance()->GetWindow("user");
    for (int i = 0; i < kGuiQuads; ++i) {
      auto* quad = new GUIWindow(user, "quad");
      quad->SetValue("color", std::to_string(GuiQuadRed(i)) + " " + std::to_string(GuiQuadGreen(i)) + " " +
                                  std::to_string(GuiQuadBlue(i)) + " 1");
      quad->SetValue("shader", "gui\\quad");
      quad->SetSize(Vector3(kGuiQuadWidth, kGuiQuadHeight, 1.0f));
      quad->SetMatrix(Matrix4::MakeTranslation(GuiQuadX(i), GuiQuadY(i), 0.0f));
    }
    for (auto _ : state) manager->RenderFrame();
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  }
}
BENCHMARK(BM_Gui200QuadsOpenGL)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
