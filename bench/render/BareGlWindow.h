#pragma once
// REFERENCE ONLY: the hidden SDL window and OpenGL 2.1 context of the bare GL programs the drawing
// benchmarks are measured against, made at their final size and without vertical sync.

#include <memory>
#include <string>

class BareGlWindow {
 public:
  BareGlWindow();
  ~BareGlWindow();
  BareGlWindow(const BareGlWindow&) = delete;
  BareGlWindow& operator=(const BareGlWindow&) = delete;

  // False, with the reason, when no window or GL context can be made.
  bool Open(int width, int height, std::string& error);
  // Makes the context current (nothing to do while it is).
  void MakeCurrent();
  void Swap();

 private:
  struct Parts;
  std::unique_ptr<Parts> m_parts;
};

// The states the engine's textured draws come down to: an orthographic view of width x height,
// no depth test, lighting or culling, texture times vertex colour for colour and alpha alike
// (through the combiner, as the engine sets it), blending by source alpha, and vertex, normal,
// colour and texture-coordinate arrays.
void SetBareSceneStates(int width, int height);
