// The particle effects of the sample game: every recipe in content/particles (one XML file an
// effect, root <particle_system name=".." particles=".." cycle=".." ..>, its children the six-key
// curves and the sprite) becomes a particle file written through the engine's writer, and its
// sprite a 32-bit TGA of the same name, which the particle system draws with.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "source/particle/ParticleFile.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/EffectRecipe.h"

namespace {

const XmlNode* Child(const XmlNode& root, const char* name) {
  for (const XmlNode* child = root.GetFirstChild(); child != nullptr; child = child->GetNext()) {
    if (child->GetName() == name) return child;
  }
  return nullptr;
}

// A curve of six keys, `width` numbers a key; a missing curve is all zeros.
std::vector<float> Curve(const XmlNode& root, const char* name, std::size_t width) {
  const XmlNode* curve = Child(root, name);
  if (curve == nullptr) return std::vector<float>(kParticleKeys * width, 0.0f);
  std::vector<float> numbers = EffectNumbers(curve->GetValue(), name);
  if (numbers.size() != kParticleKeys * width) {
    throw EffectRecipeError(std::string(name) + ": " + std::to_string(kParticleKeys * width) + " numbers wanted");
  }
  return numbers;
}

void Keys(const XmlNode& root, const char* name, float (&keys)[kParticleKeys]) {
  const std::vector<float> numbers = Curve(root, name, 1);
  for (uint32_t k = 0; k < kParticleKeys; ++k) keys[k] = numbers[k];
}

void Keys(const XmlNode& root, const char* name, Vector3 (&keys)[kParticleKeys]) {
  const std::vector<float> n = Curve(root, name, 3);
  for (uint32_t k = 0; k < kParticleKeys; ++k) keys[k] = Vector3(n[3 * k], n[3 * k + 1], n[3 * k + 2]);
}

void Colors(const XmlNode& root, Vector4 (&keys)[kParticleKeys]) {
  const XmlNode* curve = Child(root, "color");
  std::vector<std::string> words;
  if (curve != nullptr) {
    const std::string& text = curve->GetValue();
    for (std::size_t at = text.find('#'); at != std::string::npos; at = text.find('#', at + 1)) {
      words.push_back(text.substr(at, text.find_first_of(" \t\r\n", at) - at));
    }
  }
  if (words.size() != kParticleKeys) throw EffectRecipeError("color: six colours wanted");
  for (uint32_t k = 0; k < kParticleKeys; ++k) keys[k] = EffectColor(words[k], "color");
}

ParticleFileData ReadRecipe(const XmlNode& root) {
  ParticleFileData d;
  d.version = static_cast<uint32_t>(EffectNumber(root, "version", kParticleFileVersion));
  d.max_particles = static_cast<uint32_t>(EffectNumber(root, "particles", 0.0f));
  d.cycle_duration = EffectNumber(root, "cycle", 1.0f);
  d.interpolate_emission = root.FindAttribute("interpolate") != nullptr && root.FindAttribute("interpolate")->GetValue() == "true";
  d.gravity_on = root.FindAttribute("gravity") != nullptr;
  d.gravity = EffectNumber(root, "gravity", 0.0f);
  d.floor_on = root.FindAttribute("floor") != nullptr;
  d.floor_height = EffectNumber(root, "floor", 0.0f);
  d.bounce = EffectNumber(root, "bounce", 0.0f);
  d.min_speed_factor = EffectNumber(root, "min_speed", 0.0f);
  d.die_when_stopped = root.FindAttribute("die_when_stopped") != nullptr;
  if (d.max_particles == 0 || d.max_particles > kMaxParticles) throw EffectRecipeError("particles: 1 to 16384 wanted");
  Keys(root, "emission", d.emission);
  Keys(root, "life_min", d.life_min);
  Keys(root, "life_max", d.life_max);
  Keys(root, "direction", d.direction);
  Keys(root, "direction_variance", d.direction_variance);
  Colors(root, d.color);
  Keys(root, "size", d.size);
  Keys(root, "speed", d.speed);
  Keys(root, "speed_variance", d.speed_variance);
  Keys(root, "rotation", d.rotation);
  Keys(root, "rotation_variance", d.rotation_variance);
  if (const XmlNode* box = Child(root, "box")) {
    const std::vector<float> corners = EffectNumbers(box->GetValue(), "box");
    if (corners.size() != 6) throw EffectRecipeError("box: six numbers wanted");
    d.emitter_shape = kEmitterBox;
    d.box_min = Vector3(corners[0], corners[1], corners[2]);
    d.box_max = Vector3(corners[3], corners[4], corners[5]);
  }
  return d;
}

// A white sprite whose alpha draws the shape: a soft glow, a four-pointed star or a hard spark.
Image PaintSprite(const std::string& kind, uint32_t size) {
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
        const float t = SoftDisc(d, radius, radius);
        alpha = t * t;
      } else if (kind == "star") {
        const float ray = std::max(SoftDisc(std::fabs(dx), radius * 0.12f, radius * 0.12f),
                                   SoftDisc(std::fabs(dy), radius * 0.12f, radius * 0.12f));
        alpha = std::max(SoftDisc(d, radius * 0.45f, radius * 0.4f), ray * SoftDisc(d, radius, radius * 0.9f));
      } else if (kind == "spark") {
        alpha = std::max(SoftDisc(d, radius * 0.35f, radius * 0.1f), 0.35f * SoftDisc(d, radius, radius * 0.6f));
      } else {
        throw EffectRecipeError("sprite: unknown kind " + kind);
      }
      uint8_t* pixel = image.Row(y) + 4 * x;
      pixel[0] = pixel[1] = pixel[2] = 255;
      pixel[3] = static_cast<uint8_t>(std::lround(std::clamp(alpha, 0.0f, 1.0f) * 255.0f));
    }
  }
  return image;
}

bool MakeEffect(const ContentPaths& paths, const std::string& recipe) {
  XmlDocument document;
  if (!LoadXmlFile(recipe, document) || document.GetRoot().GetName() != "particle_system") {
    std::fprintf(stderr, "particles: %s is not a particle_system recipe\n", recipe.c_str());
    return false;
  }
  const XmlNode& root = document.GetRoot();
  const XmlNode* name = root.FindAttribute("name");
  const XmlNode* sprite = Child(root, "sprite");
  try {
    if (name == nullptr || sprite == nullptr) throw EffectRecipeError("a name and a <sprite> are wanted");
    const ParticleFileData data = ReadRecipe(root);
    cMemoryStream file;
    ParticleFileData check;
    if (!WriteParticleFile(file, data) || (file.Seek(0, 0), !ReadParticleFile(file, name->GetValue(), check)) ||
        !(check == data)) {
      throw EffectRecipeError("the particle file does not read back as written");
    }
    const std::string base = EffectPath(name->GetValue());
    const XmlNode* kind = sprite->FindAttribute("kind");
    const auto size = static_cast<uint32_t>(EffectNumber(*sprite, "size", 32.0f));
    if (!WriteWholeStream(paths.PathFor("data", base + ".psf"), file) ||
        !WriteTga(paths.PathFor("data", base + ".tga"), PaintSprite(kind != nullptr ? kind->GetValue() : "", size))) {
      throw EffectRecipeError("cannot write " + base);
    }
  } catch (const EffectRecipeError& error) {
    std::fprintf(stderr, "particles: %s: %s\n", recipe.c_str(), error.what());
    return false;
  }
  return true;
}

bool MakeEffects(const ContentPaths& paths) {
  for (const std::string& recipe : EffectFiles(paths.SourceFor("particles"), ".xml")) {
    if (!MakeEffect(paths, recipe)) return false;
  }
  return true;
}

}  // namespace

VELMARIS_CONTENT_STEP("particles", 30, MakeEffects);
