#pragma once
// REFERENCE ONLY: the SDL window and OpenGL 2.1 context of the bare GL programs the drawing
// benchmarks are measured against, made at their final size; hidden and without vertical sync
// unless asked otherwise.

#include <memory>
#include <string>

class BareGlWindow {
 public:
  BareGlWindow();
  ~BareGlWindow();
  BareGlWindow(const BareGlWindow&) = delete;
  BareGlWindow& operator=(const BareGlWindow&) = delete;

  struct Options {
    bool hidden = true;
    bool vsync = false;
    // SDL's offscreen driver when no driver is named; else the display's (x11 under Xvfb) when
    // there is one.
    bool offscreen_without_display_only = false;
  };

  // False, with the reason, when no window or GL context can be made.
  bool Open(int width, int height, std::string& error) { return Open(width, height, Options(), error); }
  bool Open(int width, int height, const Options& options, std::string& error);
  // Lets the context and the window go (and all the driver held for them); Open makes them again.
  void Close();
  // Makes the context current (nothing to do while it is).
  void MakeCurrent();
  void Swap();
  // Waits until the GL has drawn everything asked of it.
  static void Finish();

 private:
  struct Parts;
  std::unique_ptr<Parts> m_parts;
};

// The states the engine's textured draws come down to: an orthographic view of width x height,
// no depth test, lighting or culling, texture times vertex colour for colour and alpha alike
// (through the combiner, as the engine sets it), blending by source alpha, and vertex, normal,
// colour and texture-coordinate arrays.
void SetBareSceneStates(int width, int height);
