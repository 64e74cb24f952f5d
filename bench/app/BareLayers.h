#pragma once
// REFERENCE ONLY: a bare OpenGL 2.1 program drawing a screen's layers as the render system counted
// them (each draw's rectangle, blending and texture size and filtering) straight through SDL and
// GL: what the same fill costs with no engine in between.

#include <memory>
#include <string>
#include <vector>

#include "bench/render/BareGlWindow.h"
#include "source/render/FrameStats.h"

class BareLayers {
 public:
  BareLayers();
  ~BareLayers();
  BareLayers(const BareLayers&) = delete;
  BareLayers& operator=(const BareLayers&) = delete;

  bool Open(int width, int height, const BareGlWindow::Options& options, std::string& error);
  // The layers drawn from now on, bottom first; their textures are made once a size.
  void SetLayers(const std::vector<FrameLayer>& layers);
  // Lets the window, its context and the layers' textures go, with everything the driver keeps for
  // them (a deleted texture the driver still points at stays): the walk measures the game's memory
  // between screens without the reference's. Reopen makes the window again as Open made it.
  void Close();
  bool Reopen(std::string& error);
  // Clears, draws the layers, swaps and waits until the GL has drawn them.
  void Draw();

 private:
  struct Parts;
  std::unique_ptr<Parts> m_parts;
};
