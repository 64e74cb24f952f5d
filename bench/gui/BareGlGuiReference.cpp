// REFERENCE ONLY: a bare OpenGL 2.1 program drawing the same 200 coloured quads as the GUI
// benchmark, straight through SDL and GL with no engine in between, to put the engine's frame
// rate on llvmpipe beside what the same GL work costs by itself. Nothing else may include GL or
// SDL above the platform layer.

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench/gui/GuiScene.h"
#include "bench/render/BareGlWindow.h"

namespace {

void BM_ReferenceBareGl200GuiQuads(benchmark::State& state) {
  BareGlWindow window;
  std::string error;
  if (!window.Open(static_cast<int>(kGuiScreenWidth), static_cast<int>(kGuiScreenHeight), error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  const float quad[4][3] = {{1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {0, 1, 0}};
  const uint16_t strip[4] = {0, 1, 2, 3};
  glViewport(0, 0, static_cast<int>(kGuiScreenWidth), static_cast<int>(kGuiScreenHeight));
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kGuiScreenWidth, 0, kGuiScreenHeight, -1000, 1000);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof(quad[0]), quad);
  glClearColor(0, 0, 0, 1);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    for (int i = 0; i < kGuiQuads; ++i) {
      glLoadIdentity();
      glTranslatef(GuiQuadX(i), GuiQuadY(i), 0.0f);
      glScalef(kGuiQuadWidth, kGuiQuadHeight, 1.0f);
      glColor4f(GuiQuadRed(i), GuiQuadGreen(i), GuiQuadBlue(i), 1.0f);
      glDrawElements(GL_TRIANGLE_STRIP, 4, GL_UNSIGNED_SHORT, strip);
    }
    window.Swap();
  }
  BareGlWindow::Finish();
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReferenceBareGl200GuiQuads)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
