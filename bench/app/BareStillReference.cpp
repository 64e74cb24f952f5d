// REFERENCE ONLY: what a still frame costs a bare program: an SDL2 window of the game's size with
// an OpenGL 2.1 context, vertical sync asked for, drawing one full-window textured quad (a
// 1024 x 1024 picture, no blending, as the menu's backdrop is drawn) a frame and, where swapping
// does not wait for the display, waiting for the next 60 Hz frame time as the game's loop does.
// Reported as BM_StillFrameCpuShare is, to be read beside it.

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = 1024, kHeight = 768, kSettleFrames = 60, kFrames = 180;

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void DrawQuad() {
  glClear(GL_COLOR_BUFFER_BIT);
  glBegin(GL_TRIANGLE_STRIP);
  glTexCoord2f(0, 0);
  glVertex2f(0, 0);
  glTexCoord2f(1, 0);
  glVertex2f(kWidth, 0);
  glTexCoord2f(0, 0.75f);
  glVertex2f(0, kHeight);
  glTexCoord2f(1, 0.75f);
  glVertex2f(kWidth, kHeight);
  glEnd();
}

void BM_ReferenceBareStillFrameCpuShare(benchmark::State& state) {
  if (getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    state.SkipWithError("no SDL video");
    return;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_Window* window = SDL_CreateWindow("reference", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL);
  SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
  if (context == nullptr) {
    state.SkipWithError("no GL context");
  } else {
    SDL_GL_SetSwapInterval(1);
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kWidth, 0, kHeight, -1, 1);
    std::vector<uint8_t> pixels(std::size_t{1024} * 1024 * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 2654435761u >> 24);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1024, 1024, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    glEnable(GL_TEXTURE_2D);
    const auto period = std::chrono::microseconds(16667);
    for (auto _ : state) {
      auto next = std::chrono::steady_clock::now();
      double cpu = 0.0;
      std::chrono::steady_clock::time_point start;
      for (int frame = 0; frame < kSettleFrames + kFrames; ++frame) {
        if (frame == kSettleFrames) {
          cpu = CpuSeconds();
          start = std::chrono::steady_clock::now();
        }
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
        DrawQuad();
        SDL_GL_SwapWindow(window);
        next += period;
        const auto now = std::chrono::steady_clock::now();
        if (next > now) {
          std::this_thread::sleep_until(next);
        } else {
          next = now;
        }
      }
      const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
      const double used = CpuSeconds() - cpu;
      state.counters["cpu_share"] = used / wall.count();
      state.counters["fps"] = kFrames / wall.count();
      state.counters["cpu_ms_frame"] = used * 1000.0 / kFrames;
    }
    glDeleteTextures(1, &texture);
    SDL_GL_DeleteContext(context);
  }
  if (window != nullptr) SDL_DestroyWindow(window);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
BENCHMARK(BM_ReferenceBareStillFrameCpuShare)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
