// The particle effects of the sample game: every recipe in content/particles (one XML file an
// effect, root <particle_system name=".." particles=".." cycle=".." ..>, its six-key curves on a
// <curves> element and its <sprite>) becomes a particle file written through the engine's writer,
// and its sprite a 32-bit TGA of the same name, which the particle system draws with.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "source/particle/ParticleFile.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/EffectRecipe.h"
#include "tools/content/RecipeXml.h"

namespace {

const XmlNode* Child(const XmlNode& root, const char* name) {
  for (const XmlNode* child = root.GetFirstChild(); child != nullptr; child = child->GetNext()) {
    if (child->GetName() == name) return child;
  }
  return nullptr;
}

// A curve of six keys, `width` numbers a key; a missing curve is all zeros.
std::vector<float> Curve(const XmlNode& curves, const char* name, std::size_t width) {
  if (curves.FindAttribute(name) == nullptr) return std::vector<float>(kParticleKeys * width, 0.0f);
  std::vector<float> numbers = RecipeNumbers(curves, name);
  if (numbers.size() != kParticleKeys * width) {
    throw RecipeError{std::string(name) + ": " + std::to_string(kParticleKeys * width) + " numbers wanted"};
  }
  return numbers;
}

void Keys(const XmlNode& curves, const char* name, float (&keys)[kParticleKeys]) {
  const std::vector<float> numbers = Curve(curves, name, 1);
  std::copy(numbers.begin(), numbers.end(), keys);
}

void Keys(const XmlNode& curves, const char* name, Vector3 (&keys)[kParticleKeys]) {
  const std::vector<float> n = Curve(curves, name, 3);
  for (uint32_t k = 0; k < kParticleKeys; ++k) keys[k] = Vector3(n[3 * k], n[3 * k + 1], n[3 * k + 2]);
}

ParticleFileData ReadRecipe(const XmlNode& root, const XmlNode& curves) {
  ParticleFileData d;
  d.version = static_cast<uint32_t>(RecipeInteger(root, "version", kParticleFileVersion));
  d.max_particles = static_cast<uint32_t>(RecipeInteger(root, "particles", 0));
  if (d.max_particles == 0 || d.max_particles > kMaxParticles) {
    throw RecipeError{"particles: 1 to " + std::to_string(kMaxParticles) + " wanted"};
  }
  d.cycle_duration = RecipeNumber(root, "cycle", 1.0f);
  d.interpolate_emission = RecipeText(root, "interpolate") == "true";
  d.gravity_on = root.FindAttribute("gravity") != nullptr;
  d.gravity = RecipeNumber(root, "gravity", 0.0f);
  d.floor_on = root.FindAttribute("floor") != nullptr;
  d.floor_height = RecipeNumber(root, "floor", 0.0f);
  d.bounce = RecipeNumber(root, "bounce", 0.0f);
  d.min_speed_factor = RecipeNumber(root, "min_speed", 0.0f);
  d.die_when_stopped = RecipeText(root, "die_when_stopped") == "true";
  Keys(curves, "emission", d.emission);
  Keys(curves, "life_min", d.life_min);
  Keys(curves, "life_max", d.life_max);
  Keys(curves, "direction", d.direction);
  Keys(curves, "direction_variance", d.direction_variance);
  Keys(curves, "size", d.size);
  Keys(curves, "speed", d.speed);
  Keys(curves, "speed_variance", d.speed_variance);
  Keys(curves, "rotation", d.rotation);
  Keys(curves, "rotation_variance", d.rotation_variance);
  const std::vector<Vector4> colors = RecipeColors(curves, "color");
  if (colors.size() != kParticleKeys) throw RecipeError{"color: six colours wanted"};
  std::copy(colors.begin(), colors.end(), d.color);
  if (root.FindAttribute("box") != nullptr) {
    const std::vector<float> corners = RecipeNumbers(root, "box");
    if (corners.size() != 6) throw RecipeError{"box: six numbers wanted"};
    d.emitter_shape = kEmitterBox;
    d.box_min = Vector3(corners[0], corners[1], corners[2]);
    d.box_max = Vector3(corners[3], corners[4], corners[5]);
  }
  return d;
}

// A white sprite whose alpha draws the shape: a soft glow, a four-pointed star or a hard spark.
Image PaintSprite(const std::string& kind, uint32_t size) {
  if (kind != "glow" && kind != "star" && kind != "spark") throw RecipeError{"sprite: unknown kind " + kind};
  if (size < 4 || size > 256) throw RecipeError{"sprite: 4 to 256 pixels wanted"};
  Image image;
  image.Allocate(size, size, 32);
  const float centre = (static_cast<float>(size) - 1.0f) * 0.5f;
  const float radius = static_cast<float>(size) * 0.5f;
  for (uint32_t y = 0; y < size; ++y) {
    for (uint32_t x = 0; x < size; ++x) {
      const float dx = static_cast<float>(x) - centre, dy = static_cast<float>(y) - centre;
      const float d = std::sqrt(dx * dx + dy * dy);
      float alpha = 0.0f;
      if (kind == "glow") {
        alpha = SoftDisc(d, radius, radius) * SoftDisc(d, radius, radius);
      } else if (kind == "star") {
        const float ray = std::max(SoftDisc(std::fabs(dx), radius * 0.12f, radius * 0.12f),
                                   SoftDisc(std::fabs(dy), radius * 0.12f, radius * 0.12f));
        alpha = std::max(SoftDisc(d, radius * 0.45f, radius * 0.4f), ray * SoftDisc(d, radius, radius * 0.9f));
      } else {
        alpha = std::max(SoftDisc(d, radius * 0.35f, radius * 0.1f), 0.35f * SoftDisc(d, radius, radius * 0.6f));
      }
      uint8_t* pixel = image.Row(y) + 4 * x;
      pixel[0] = pixel[1] = pixel[2] = 255;
      pixel[3] = static_cast<uint8_t>(std::lround(std::clamp(alpha, 0.0f, 1.0f) * 255.0f));
    }
  }
  return image;
}

void MakeEffect(const ContentPaths& paths, const XmlNode& root) {
  const XmlNode* sprite = Child(root, "sprite");
  const XmlNode* curves = Child(root, "curves");
  const std::string name = RecipeText(root, "name");
  if (name.empty() || sprite == nullptr || curves == nullptr) throw RecipeError{"a name, <sprite> and <curves> are wanted"};
  const ParticleFileData data = ReadRecipe(root, *curves);
  cMemoryStream file;
  ParticleFileData check;
  if (!WriteParticleFile(file, data) || (file.Seek(0, 0), !ReadParticleFile(file, name, check)) || !(check == data)) {
    throw RecipeError{name + ": the particle file does not read back as written"};
  }
  const std::string base = ResourcePath(name);
  WriteRecipeOutput(paths.PathFor("data", base + ".psf"), file.GetData(), file.GetSize());
  const auto size = static_cast<uint32_t>(RecipeInteger(*sprite, "size", 32));
  WriteRecipeTga(paths.PathFor("data", base + ".tga"), PaintSprite(RecipeText(*sprite, "kind"), size));
}

bool MakeEffects(const ContentPaths& paths) {
  return ForEachRecipe(paths.SourceFor("particles"), "particle_system",
                       [&paths](const XmlNode& root) { MakeEffect(paths, root); });
}

}  // namespace

VELMARIS_CONTENT_STEP("particles", 30, MakeEffects);
