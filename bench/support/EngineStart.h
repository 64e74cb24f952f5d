#pragma once
// How the benchmarks start and stop the engine: every singleton, the window and the GL backend
// begun afresh, on the headless device or on OpenGL (llvmpipe; SDL's offscreen driver unless
// SDL_VIDEODRIVER names another, such as x11 under Xvfb), and all of it taken down again after.

#include <functional>
#include <string>

class RenderManager;

// The engine on OpenGL for the life of the object, the log off.
class OpenGlEngine {
 public:
  OpenGlEngine();
  ~OpenGlEngine();
  OpenGlEngine(const OpenGlEngine&) = delete;
  OpenGlEngine& operator=(const OpenGlEngine&) = delete;

  // The main window made at width x height (the offscreen driver keeps a window's first size for
  // drawing) and the render manager started on it, windowed, without vertical sync; null, with
  // the reason, when either fails.
  RenderManager* Start(int width, int height, std::string& error);

  // Tries `open` up to three times, the window shut before each try: a virtual display now and
  // then refuses a connection, and a second or third try gets one.
  static bool Retry(const std::function<bool()>& open);
};

// The engine on the headless device with its main window made (its client area width x height
// when given), the log off; StopEngine takes it down.
RenderManager* StartHeadlessEngine(int client_width = 0, int client_height = 0);
void StopEngine();
