#include "bench/render/BareGlWindow.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <cstdlib>

struct BareGlWindow::Parts {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  bool video = false;
};

BareGlWindow::BareGlWindow() : m_parts(std::make_unique<Parts>()) {}

BareGlWindow::~BareGlWindow() {
  Close();
  if (m_parts->video) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void BareGlWindow::Close() {
  Parts& p = *m_parts;
  if (p.context != nullptr) SDL_GL_DeleteContext(p.context);
  if (p.window != nullptr) SDL_DestroyWindow(p.window);
  p.context = nullptr;
  p.window = nullptr;
}

bool BareGlWindow::Open(int width, int height, const Options& options, std::string& error) {
  Parts& p = *m_parts;
  if (!options.offscreen_without_display_only || getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "offscreen", 0);
  // A virtual display now and then refuses a connection: a second or third try gets one.
  for (int attempt = 0; attempt < 3 && !p.video; ++attempt) p.video = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  if (!p.video) {
    error = std::string("no SDL video: ") + SDL_GetError();
    return false;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  p.window = SDL_CreateWindow("reference", 0, 0, width, height,
                              SDL_WINDOW_OPENGL | (options.hidden ? SDL_WINDOW_HIDDEN : 0));
  p.context = p.window ? SDL_GL_CreateContext(p.window) : nullptr;
  if (p.context == nullptr) {
    error = std::string("no GL context: ") + SDL_GetError();
    return false;
  }
  SDL_GL_SetSwapInterval(options.vsync ? 1 : 0);
  return true;
}

void BareGlWindow::MakeCurrent() { SDL_GL_MakeCurrent(m_parts->window, m_parts->context); }

void BareGlWindow::Swap() { SDL_GL_SwapWindow(m_parts->window); }

void BareGlWindow::Finish() { glFinish(); }

void SetBareSceneStates(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1000, 1000);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_MODULATE);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_TEXTURE);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, GL_PRIMARY_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_MODULATE);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_TEXTURE);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_ALPHA, GL_PRIMARY_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_ALPHA, GL_SRC_ALPHA);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glClearColor(0, 0, 0, 1);
  glMatrixMode(GL_MODELVIEW);
}

