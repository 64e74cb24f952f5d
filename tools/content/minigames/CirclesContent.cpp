// The circles' form: a stone slab and four concentric rings cut from one carved disc, each
// turning about the disc's centre over 100 frames of its animation "main" (frame 0 is home).

#include <cmath>
#include <string>
#include <vector>

#include "tools/content/ContentStep.h"
#include "tools/content/minigames/DragGameContent.h"

namespace {

constexpr float kCentreX = 512.0f, kCentreY = 400.0f;
constexpr float kDiscRadius = 284.0f;  // the carving's radius in the picture
constexpr int kSegments = 72;
constexpr float kTwoPi = 6.2831853f;
constexpr const char* kFolder = "minigames\\location_8\\circles\\";

struct Ring {
  float inner;
  float outer;
};

// "circle_1" is the middle disc, "circle_4" the outer ring; narrow grooves lie between them.
constexpr Ring kRings[] = {{0.0f, 68.0f}, {72.0f, 138.0f}, {142.0f, 208.0f}, {212.0f, 280.0f}};

ShapePoint Polar(float radius, int segment) {
  const float a = kTwoPi * static_cast<float>(segment) / kSegments;
  const float x = radius * std::cos(a), y = radius * std::sin(a);
  return ShapePoint{x, y, 0.5f + x / (2.0f * kDiscRadius), 0.5f + y / (2.0f * kDiscRadius)};
}

std::vector<ShapePoint> RingShape(const Ring& ring) {
  std::vector<ShapePoint> triangles;
  for (int s = 0; s < kSegments; ++s) {
    const ShapePoint a = Polar(ring.inner, s), b = Polar(ring.outer, s), c = Polar(ring.inner, s + 1),
                     d = Polar(ring.outer, s + 1);
    if (ring.inner > 0.0f) triangles.insert(triangles.end(), {a, c, b});
    triangles.insert(triangles.end(), {b, c, d});
  }
  return triangles;
}

bool MakeCircles(const ContentPaths& paths) {
  if (!HasMiniGames(paths)) return true;
  const std::string folder = kFolder;
  bool ok = WriteGameModel(paths, folder + "circles_slab", MakePictureQuad(kCentreX - 320, kCentreY - 320, 640, 640));
  std::string models = "      <model name=\"circles_slab\"/>\n";
  std::string shaders = "      <shader name=\"circles_slab\" diffuse=\"textures\\minigames\\circles_slab\" clamp=\"true\"/>\n";
  std::string pieces = "      <window name=\"circles_slab\" model=\"circles_slab\"/>\n";
  for (int i = 0; i < 4; ++i) {
    const std::string name = "circle_" + std::to_string(i + 1);
    ok = ok && WriteGameModel(paths, folder + name,
                              MakeTurningShape(kCentreX, kCentreY, kRings[i].outer + 2.0f, RingShape(kRings[i]), false));
    models += "      <model name=\"" + name + "\"><state name=\"main\" frames=\"0 100\" loop=\"false\" speed=\"1\"/></model>\n";
    shaders += "      <shader name=\"" + name + "\" diffuse=\"textures\\minigames\\circles_stone\" clamp=\"true\"/>\n";
    pieces += "      <window name=\"" + name + "\" model=\"" + name + "\"/>\n";
  }
  FormParts parts{models, shaders, pieces};
  ok = ok && AddGameRule(paths, folder, "circles", {112.0f, 722.0f, 800.0f, 44.0f}, parts);
  const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n"
                          "  <resource name=\"minigames\\location_8\\circles\\circles\" type=\"form\">\n    <models>\n" +
                          parts.models + "    </models>\n    <shaders>\n" + parts.shaders + "    </shaders>\n    <form>\n" + parts.pieces +
                          "    </form>\n  </resource>\n</resources>\n";
  return ok && WriteGameForm(paths, "circles", xml);
}

}  // namespace

VELMARIS_CONTENT_STEP("minigame_circles", 63, MakeCircles);
