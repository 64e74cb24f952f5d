// REFERENCE ONLY: a bare OpenGL 2.1 program drawing the particle benchmark's billboards (five
// effects of 256 sprites, built beforehand by the engine frame by frame) straight through SDL and
// GL, textured with the same sprite and blended by source alpha, at the same size and with the same
// glFinish policy as BM_FiveEffectsOpenGL. Nothing else may include GL or SDL above the platform
// layer.

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "bench/render/ParticleScene.h"

void FinishParticleGl() { glFinish(); }

namespace {

constexpr int kRecordedFrames = 240;

void BM_ReferenceBareGlFiveEffects(benchmark::State& state) {
  const std::vector<BillboardFrame> frames = RecordBillboards(kRecordedFrames);
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    state.SkipWithError("no SDL video");
    return;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_Window* window = SDL_CreateWindow("reference", 0, 0, kParticleSceneWidth, kParticleSceneHeight,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
  if (context == nullptr) {
    if (window) SDL_DestroyWindow(window);
    state.SkipWithError("no GL context");
    return;
  }
  SDL_GL_SetSwapInterval(0);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  const std::vector<uint8_t> texels = SpriteTexels();
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSpriteSide, kSpriteSide, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glViewport(0, 0, kParticleSceneWidth, kParticleSceneHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kParticleSceneWidth, 0, kParticleSceneHeight, -1000, 1000);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glClearColor(0, 0, 0, 1);
  const bool finish = state.range(0) != 0;
  std::size_t next = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    const BillboardFrame& frame = frames[next++ % frames.size()];
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int e = 0; e < kEffects; ++e) {
      const std::vector<BillboardVertex>& v = frame.vertices[e];
      if (v.empty()) continue;
      glVertexPointer(3, GL_FLOAT, sizeof(BillboardVertex), &v[0].x);
      glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(BillboardVertex), v[0].rgba);
      glTexCoordPointer(2, GL_FLOAT, sizeof(BillboardVertex), &v[0].u);
      glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(frame.indices[e].size()), GL_UNSIGNED_SHORT,
                     frame.indices[e].data());
    }
    SDL_GL_SwapWindow(window);
    if (finish) glFinish();
  }
  glFinish();
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  g_particle_reference_fps[finish] = static_cast<double>(state.iterations()) / elapsed.count();
  state.counters["fps"] = g_particle_reference_fps[finish];
  glDeleteTextures(1, &texture);
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
BENCHMARK(BM_ReferenceBareGlFiveEffects)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
