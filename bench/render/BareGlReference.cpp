// REFERENCE ONLY: a bare OpenGL 2.1 program drawing the same 500 quads as the render-pass
// benchmark, straight through SDL and GL with no engine in between. It exists to put the engine's
// frame rate on llvmpipe beside what the same GL work costs by itself; nothing else may include
// GL or SDL above the platform layer.

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>

#include "bench/render/QuadScene.h"

namespace {

struct RefVertex {
  float x, y, z;
  float nx, ny, nz;
  uint32_t color;
  float u, v;
};

void BM_ReferenceBareGl500Quads(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    state.SkipWithError("no SDL video");
    return;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_Window* window = SDL_CreateWindow("reference", 0, 0, kSceneWidth, kSceneHeight,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
  if (context == nullptr) {
    if (window) SDL_DestroyWindow(window);
    state.SkipWithError("no GL context");
    return;
  }
  SDL_GL_SetSwapInterval(0);
  const RefVertex quad[4] = {{0, kQuadSize, 0, 0, 0, -1, 0xFFFFFFFFu, 0, 0},
                             {kQuadSize, kQuadSize, 0, 0, 0, -1, 0xFFFFFFFFu, 1, 0},
                             {0, 0, 0, 0, 0, -1, 0xFFFFFFFFu, 0, 1},
                             {kQuadSize, 0, 0, 0, 0, -1, 0xFFFFFFFFu, 1, 1}};
  const uint16_t indices[6] = {0, 1, 2, 2, 1, 3};
  glViewport(0, 0, kSceneWidth, kSceneHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kSceneWidth, 0, kSceneHeight, -1000, 1000);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof(RefVertex), &quad[0].x);
  glNormalPointer(GL_FLOAT, sizeof(RefVertex), &quad[0].nx);
  glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(RefVertex), &quad[0].color);
  glTexCoordPointer(2, GL_FLOAT, sizeof(RefVertex), &quad[0].u);
  glClearColor(0, 0, 0, 1);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    for (int i = 0; i < kSceneObjects; ++i) {
      glLoadIdentity();
      glTranslatef(QuadX(i), QuadY(i), 0.0f);
      glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, indices);
    }
    SDL_GL_SwapWindow(window);
    if (state.range(0) != 0) glFinish();  // 1: wait until llvmpipe has drawn the frame
  }
  glFinish();
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
BENCHMARK(BM_ReferenceBareGl500Quads)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
