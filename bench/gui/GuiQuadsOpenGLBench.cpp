// A full screen of 200 GUI windows, each a coloured quad, drawn by the whole engine (GUI layout,
// draw list, render system) on OpenGL (llvmpipe under SDL's offscreen driver) at 1024 x 768,
// windowed, without vertical sync; compare with BM_ReferenceBareGl200GuiQuads.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/gui/GuiScene.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindow.h"
#include "gui/include/GUIWindowManager.h"
#include "platform/gfx/Backend.h"
#include "platform/window/window.h"
#include "source/core/Singleton.h"
#include "source/properties/cProperties.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSettings.h"

namespace {

void BM_Gui200QuadsOpenGL(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("VELMARIS_HEADLESS", "0", 1);
  DestroySingletons();
  window::Shutdown();
  gfx::detail::ResetBackend();
  if (!window::Initialize() || !window::CreateMainWindow("Velmaris")) {
    state.SkipWithError("no window");
    return;
  }
  cProperties::GetInstance()->SetValue("log", "false");
  g_render_settings.fullscreen = false;
  g_render_settings.vsync = false;
  g_render_settings.width = static_cast<int>(kGuiScreenWidth);
  g_render_settings.height = static_cast<int>(kGuiScreenHeight);
  RenderManager* manager = RenderManager::GetInstance();
  if (!manager->IsStarted()) {
    state.SkipWithError("no GL device");
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
  DestroySingletons();
  window::Shutdown();
  gfx::detail::ResetBackend();
  setenv("VELMARIS_HEADLESS", "1", 1);
}
BENCHMARK(BM_Gui200QuadsOpenGL)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
