// REFERENCE ONLY: a bare SDL program's start-up to its first frame (a 1024 x 768 window with an
// OpenGL 2.1 context, one clear and one swap, then closed), measured beside the game's start-up
// (BM_StartUpToMenuFrameOpenGL).

#include <SDL.h>
#include <SDL_opengl.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void BM_ReferenceBareSdlFirstFrame(benchmark::State& state) {
  if (getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "offscreen", 0);
  for (auto _ : state) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
      state.SkipWithError(SDL_GetError());
      break;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_Window* window = SDL_CreateWindow("Velmaris", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1024, 768,
                                          SDL_WINDOW_OPENGL);
    SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr) {
      state.SkipWithError(SDL_GetError());
      if (window != nullptr) SDL_DestroyWindow(window);
      SDL_Quit();
      break;
    }
    glClearColor(0.1f, 0.1f, 0.2f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    SDL_GL_SwapWindow(window);
    state.PauseTiming();
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    state.ResumeTiming();
  }
}

BENCHMARK(BM_ReferenceBareSdlFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
