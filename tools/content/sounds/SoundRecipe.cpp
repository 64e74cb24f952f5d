#include "tools/content/sounds/SoundRecipe.h"

#include <cstdlib>

#include "platform/os/os.h"
#include "source/stream/cFileStream.h"
#include "source/xml/XmlDocument.h"

namespace {

struct Reader {
  const XmlNode& node;
  std::string& error;

  bool Number(const char* name, float& value, float low, float high) const {
    const XmlNode* attribute = node.FindAttribute(name);
    if (attribute == nullptr) return true;
    char* end = nullptr;
    const float read = std::strtof(attribute->GetValue().c_str(), &end);
    if (end == attribute->GetValue().c_str() || *end != '\0' || !(read >= low && read <= high)) {
      error = std::string("\"") + name + "\" of <" + node.GetName() + "> is not a number in range";
      return false;
    }
    value = read;
    return true;
  }
  bool Whole(const char* name, int& value, int low, int high) const {
    float read = static_cast<float>(value);
    if (!Number(name, read, static_cast<float>(low), static_cast<float>(high))) return false;
    value = static_cast<int>(read);
    return true;
  }
  void Text(const char* name, std::string& value) const {
    if (const XmlNode* attribute = node.FindAttribute(name)) value = attribute->GetValue();
  }
};

bool ReadLayer(const XmlNode& node, SoundLayer& layer, std::string& error) {
  const Reader r{node, error};
  layer.noise = node.GetName() == "noise";
  return r.Number("start", layer.start, 0, 600) && r.Number("length", layer.length, 0, 600) &&
         r.Number("level", layer.level, 0, 1) && r.Number("frequency", layer.frequency, 1, 20000) &&
         r.Number("to_frequency", layer.to_frequency, 0, 20000) && r.Number("lowpass", layer.lowpass, 0, 20000) &&
         r.Number("to_lowpass", layer.to_lowpass, 0, 20000) && r.Number("attack", layer.attack, 0, 60) &&
         r.Number("decay", layer.decay, 0, 60) && r.Number("release", layer.release, 0, 60) &&
         r.Number("pan", layer.pan, -1, 1);
}

bool ReadLine(const XmlNode& node, NoteLine& line, std::string& error) {
  const Reader r{node, error};
  r.Text("voice", line.voice);
  line.notes = node.GetValue();
  if (line.voice != "bell" && line.voice != "pluck" && line.voice != "pad" && line.voice != "bass") {
    error = "unknown voice \"" + line.voice + "\"";
    return false;
  }
  return r.Number("level", line.level, 0, 1) && r.Number("pan", line.pan, -1, 1) &&
         r.Number("start", line.start, 0, 2000) && r.Whole("repeat", line.repeat, 1, 64);
}

bool ReadRecipe(const XmlNode& node, SoundRecipe& recipe, std::string& error) {
  const Reader r{node, error};
  r.Text("name", recipe.name);
  r.Text("format", recipe.format);
  std::string loop;
  r.Text("loop", loop);
  recipe.loop = loop == "true";
  if (recipe.name.empty() || (recipe.format != "wav" && recipe.format != "ogg")) {
    error = "a sound needs a name and the format \"wav\" or \"ogg\"";
    return false;
  }
  if (!r.Whole("rate", recipe.rate, 8000, 48000) || !r.Whole("channels", recipe.channels, 1, 2) ||
      !r.Whole("bits", recipe.bits, 8, 16) || !r.Number("quality", recipe.quality, -0.1f, 1.0f) ||
      !r.Number("length", recipe.length, 0, 600) || !r.Number("tempo", recipe.tempo, 20, 300)) {
    return false;
  }
  if (recipe.bits != 8 && recipe.bits != 16) {
    error = "\"bits\" is 8 or 16";
    return false;
  }
  for (const XmlNode* child = node.GetFirstChild(); child != nullptr; child = child->GetNext()) {
    if (child->GetName() == "tone" || child->GetName() == "noise") {
      recipe.layers.emplace_back();
      if (!ReadLayer(*child, recipe.layers.back(), error)) return false;
    } else if (child->GetName() == "notes") {
      recipe.lines.emplace_back();
      if (!ReadLine(*child, recipe.lines.back(), error)) return false;
    }
  }
  return true;
}

}  // namespace

bool ReadSoundRecipes(const std::string& path, std::vector<SoundRecipe>& recipes, std::string& error) {
  cFileStream file(path, os::kOpenExisting, os::kAccessRead, os::kShareRead);
  XmlDocument document;
  if (!file.IsOpen() || !document.Load(file)) {
    error = "cannot read " + path;
    return false;
  }
  for (const XmlNode* node = document.GetRoot().GetFirstChild(); node != nullptr; node = node->GetNext()) {
    if (node->GetName() != "sound") continue;
    recipes.emplace_back();
    if (!ReadRecipe(*node, recipes.back(), error)) {
      error = path + ": " + recipes.back().name + ": " + error;
      return false;
    }
  }
  return true;
}
