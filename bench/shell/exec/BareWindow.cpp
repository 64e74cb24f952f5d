// REFERENCE ONLY: the least a program does to show a first frame: SDL's video, a 1024 x 768
// window with an OpenGL 2.1 context, one clear and one swap. Its start-up is measured beside the
// game's from exec to the first swap (bench_shell's BM_ExecToFirstFrame). With --full-screen the
// window covers the display at its own mode, as the game starts on a fresh profile: SDL then
// waits up to a tenth of a second for a window manager to grant it, which a display without one
// never does, and the game pays the same.

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstring>

int main(int argc, char** argv) {
  const bool full_screen = argc > 1 && std::strcmp(argv[1], "--full-screen") == 0;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_Rect display{0, 0, 1024, 768};
  if (full_screen && SDL_GetDisplayBounds(0, &display) != 0) return 1;
  SDL_Window* window = SDL_CreateWindow("Velmaris", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, display.w,
                                        display.h, SDL_WINDOW_OPENGL | (full_screen ? SDL_WINDOW_FULLSCREEN : 0));
  SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
  if (context == nullptr) return 1;
  glClearColor(0.1f, 0.1f, 0.2f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  SDL_GL_SwapWindow(window);
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
