// REFERENCE ONLY: a bare OpenGL 2.1 program drawing the same 200 coloured quads as the GUI
// benchmark, straight through SDL and GL with no engine in between, to put the engine's frame
// rate on llvmpipe beside what the same GL work costs by itself. Nothing else may include GL or
// SDL above the platform layer.

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>

#include "bench/gui/GuiScene.h"

namespace {

void BM_ReferenceBareGl200GuiQuads(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    state.SkipWithError("no SDL video");
    return;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_Window* window = SDL_CreateWindow("reference", 0, 0, static_cast<int>(kGuiScreenWidth),
                                        static_cast<int>(kGuiScreenHeight), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
  if (context == nullptr) {
    if (window) SDL_DestroyWindow(window);
    state.SkipWithError("no GL context");
    return;
  }
  SDL_GL_SetSwapInterval(0);
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
    SDL_GL_SwapWindow(window);
  }
  glFinish();
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
BENCHMARK(BM_ReferenceBareGl200GuiQuads)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
