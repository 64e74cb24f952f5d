#include "bench/render/QuadSceneData.h"

#include "bench/render/QuadScene.h"
#include "bench/support/BenchData.h"
#include "source/texture/Image.h"

namespace {

// Scene texture t split as the game's files hold a blended picture: colour, and alpha as grey.
bool AddTexture(BenchData& data, int t) {
  Image colour, alpha;
  colour.Allocate(kSceneTextureSide, kSceneTextureSide, 24);
  alpha.Allocate(kSceneTextureSide, kSceneTextureSide, 8);
  for (int y = 0; y < kSceneTextureSide; ++y) {
    uint8_t* rgb = colour.Row(static_cast<uint32_t>(y));
    uint8_t* grey = alpha.Row(static_cast<uint32_t>(y));
    for (int x = 0; x < kSceneTextureSide; ++x) {
      const uint32_t texel = SceneTexel(t, x, y);
      rgb[3 * x] = static_cast<uint8_t>(texel >> 16);
      rgb[3 * x + 1] = static_cast<uint8_t>(texel >> 8);
      rgb[3 * x + 2] = static_cast<uint8_t>(texel);
      grey[x] = static_cast<uint8_t>(texel >> 24);
    }
  }
  const std::string name = "bench/quad" + std::to_string(t);
  return data.AddTga(name + ".tga", colour) && data.AddTga(name + "_a.tga", alpha);
}

}  // namespace

std::string QuadShaderName(int t) { return "shaders\\quad" + std::to_string(t); }

bool AddQuadSceneData(BenchData& data) {
  std::string list = "<resources>";
  for (int t = 0; t < kSceneTextures; ++t) {
    if (!AddTexture(data, t)) return false;
    const std::string texture = "bench\\quad" + std::to_string(t);
    list += "<resource name=\"" + QuadShaderName(t) + "\" type=\"shader\" diffuse=\"" + texture + "\" opacity=\"" +
            texture + "_a\"/>";
  }
  return data.AddFile("bench/quads.resource", list + "</resources>");
}
