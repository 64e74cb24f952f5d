// REFERENCE ONLY: what a screen costs a bare program: an SDL2 window of the game's size with an
// OpenGL 2.1 context drawing the screen's layers straight through GL, each a quad of the draw's
// size from a texture of its texture's size, blended and filtered as it was, through the combiner
// the engine sets (texture times vertex colour). Frames are paced to 60 Hz as the game's loop
// paces them. BM_ReferenceBareStillFrameCpuShare is the menu's still frame: one full-window quad
// from a 1024 x 1024 picture, no blending, vertical sync asked for; read it beside
// BM_StillFrameCpuShare. The walk through the game (WalkBench.cpp) draws each screen's layers here.

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "bench/app/BareLayers.h"
#include "bench/app/FrameMeter.h"

namespace {

struct LayerVertex {
  float x, y, z;
  float nx, ny, nz;
  uint8_t rgba[4];
  float u, v;
};

using TextureKey = std::tuple<uint32_t, uint32_t, bool>;

GLuint MakeTexture(uint32_t width, uint32_t height, bool mip_mapped) {
  std::vector<uint32_t> texels(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < texels.size(); ++i) texels[i] = static_cast<uint32_t>(i * 2654435761u) | 0x80000000u;
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  if (mip_mapped) glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mip_mapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(width), static_cast<GLsizei>(height), 0, GL_BGRA,
               GL_UNSIGNED_BYTE, texels.data());
  return name;
}

}  // namespace

struct BareLayers::Parts {
  BareGlWindow window;
  bool open = false;
  int width = 0, height = 0;
  BareGlWindow::Options options;
  std::vector<FrameLayer> layers;
  std::vector<LayerVertex> vertices;  // four a layer
  std::map<TextureKey, GLuint> textures;
};

BareLayers::BareLayers() : m_parts(std::make_unique<Parts>()) {}

BareLayers::~BareLayers() {
  Parts& p = *m_parts;
  if (!p.open) return;
  p.window.MakeCurrent();
  for (const auto& [key, name] : p.textures) glDeleteTextures(1, &name);
}

bool BareLayers::Open(int width, int height, const BareGlWindow::Options& options, std::string& error) {
  Parts& p = *m_parts;
  if (!p.window.Open(width, height, options, error)) return false;
  p.open = true;
  p.width = width;
  p.height = height;
  p.options = options;
  SetBareSceneStates(width, height);
  return true;
}

bool BareLayers::Reopen(std::string& error) {
  Parts& p = *m_parts;
  return p.open || Open(p.width, p.height, p.options, error);
}

void BareLayers::SetLayers(const std::vector<FrameLayer>& layers) {
  Parts& p = *m_parts;
  p.window.MakeCurrent();
  p.layers = layers;
  p.vertices.clear();
  for (const FrameLayer& layer : layers) {
    const TextureKey key{layer.texture_width, layer.texture_height, layer.mip_mapped};
    if (layer.texture_width > 0 && layer.texture_height > 0 && !p.textures.contains(key)) {
      p.textures[key] = MakeTexture(layer.texture_width, layer.texture_height, layer.mip_mapped);
    }
    // The picture is read one texel a pixel where it is larger than the quad (as a padded picture
    // is), and stretched over the quad where it is smaller.
    const float u = layer.texture_width > 0 ? std::min(1.0f, static_cast<float>(layer.width) / layer.texture_width) : 0;
    const float v = layer.texture_height > 0 ? std::min(1.0f, static_cast<float>(layer.height) / layer.texture_height) : 0;
    const auto w = static_cast<float>(layer.width);
    const auto top = static_cast<float>(p.height), bottom = static_cast<float>(p.height) - static_cast<float>(layer.height);
    p.vertices.push_back({0, top, 0, 0, 0, -1, {255, 255, 255, 255}, 0, 0});
    p.vertices.push_back({w, top, 0, 0, 0, -1, {255, 255, 255, 255}, u, 0});
    p.vertices.push_back({0, bottom, 0, 0, 0, -1, {255, 255, 255, 255}, 0, v});
    p.vertices.push_back({w, bottom, 0, 0, 0, -1, {255, 255, 255, 255}, u, v});
  }
}

void BareLayers::Close() {
  Parts& p = *m_parts;
  if (!p.open) return;
  p.window.Close();  // its textures go with the context
  p.open = false;
  p.textures.clear();
  p.layers.clear();
  p.vertices.clear();
}

void BareLayers::Draw() {
  Parts& p = *m_parts;
  static const uint16_t kStrip[4] = {0, 1, 2, 3};
  p.window.MakeCurrent();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  for (std::size_t i = 0; i < p.layers.size(); ++i) {
    const FrameLayer& layer = p.layers[i];
    if (layer.blended) {
      glEnable(GL_BLEND);
    } else {
      glDisable(GL_BLEND);
    }
    if (layer.texture_width > 0 && layer.texture_height > 0) {
      glEnable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, p.textures[{layer.texture_width, layer.texture_height, layer.mip_mapped}]);
    } else {
      glDisable(GL_TEXTURE_2D);
    }
    const LayerVertex* q = &p.vertices[i * 4];
    glVertexPointer(3, GL_FLOAT, sizeof(LayerVertex), &q->x);
    glNormalPointer(GL_FLOAT, sizeof(LayerVertex), &q->nx);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(LayerVertex), q->rgba);
    glTexCoordPointer(2, GL_FLOAT, sizeof(LayerVertex), &q->u);
    glDrawElements(GL_TRIANGLE_STRIP, 4, GL_UNSIGNED_SHORT, kStrip);
  }
  p.window.Swap();
  BareGlWindow::Finish();
}

namespace {

constexpr int kWidth = 1024, kHeight = 768, kSettleFrames = 60, kFrames = 180;

void BM_ReferenceBareStillFrameCpuShare(benchmark::State& state) {
  BareLayers bare;
  BareGlWindow::Options options;
  options.hidden = false;
  options.vsync = true;
  options.offscreen_without_display_only = true;
  std::string error;
  if (!bare.Open(kWidth, kHeight, options, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  FrameLayer backdrop;
  backdrop.width = kWidth;
  backdrop.height = kHeight;
  backdrop.texture_width = backdrop.texture_height = 1024;
  bare.SetLayers({backdrop});
  for (auto _ : state) {
    const FrameFigures figures = MeasureFrames([&] { bare.Draw(); }, kSettleFrames, kFrames);
    state.counters["cpu_share"] = figures.cores;
    state.counters["fps"] = figures.paced_fps;
    state.counters["cpu_ms_frame"] = figures.cpu_ms_frame;
  }
}
BENCHMARK(BM_ReferenceBareStillFrameCpuShare)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
