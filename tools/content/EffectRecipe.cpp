#include "tools/content/EffectRecipe.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "platform/os/os.h"
#include "source/stream/cFileStream.h"
#include "source/stream/cMemoryStream.h"
#include "source/texture/TgaImageLoader.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"

std::vector<float> EffectNumbers(const std::string& text, const std::string& what) {
  std::vector<float> numbers;
  std::size_t position = 0;
  while (true) {
    const std::size_t start = text.find_first_not_of(" \t\r\n", position);
    if (start == std::string::npos) break;
    const std::size_t stop = std::min(text.find_first_of(" \t\r\n", start), text.size());
    float value = 0.0f;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + stop, value);
    if (error != std::errc() || end != text.data() + stop) throw EffectRecipeError(what + ": not a number: " + text);
    numbers.push_back(value);
    position = stop;
  }
  return numbers;
}

float EffectNumber(const XmlNode& node, const char* name, float fallback) {
  const XmlNode* attribute = node.FindAttribute(name);
  if (attribute == nullptr) return fallback;
  const std::vector<float> numbers = EffectNumbers(attribute->GetValue(), name);
  if (numbers.size() != 1) throw EffectRecipeError(std::string(name) + ": one number wanted");
  return numbers[0];
}

Vector4 EffectColor(const std::string& text, const std::string& what) {
  if ((text.size() != 7 && text.size() != 9) || text[0] != '#') throw EffectRecipeError(what + ": not #rrggbb[aa]: " + text);
  float channels[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  for (std::size_t i = 1; i + 1 < text.size(); i += 2) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
    if (error != std::errc() || end != text.data() + i + 2) throw EffectRecipeError(what + ": not #rrggbb[aa]: " + text);
    channels[i / 2] = static_cast<float>(value) / 255.0f;
  }
  return Vector4(channels[0], channels[1], channels[2], channels[3]);
}

std::vector<std::string> EffectFiles(const std::string& folder, const std::string& extension) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file() && entry.path().extension() == extension) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string EffectPath(const std::string& resource_name) {
  std::string path = resource_name;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

bool LoadXmlFile(const std::string& path, XmlDocument& document) {
  cFileStream file(path, os::kOpenExisting, os::kAccessRead, os::kShareRead);
  return file.IsOpen() && document.Load(file);
}

bool WriteWholeStream(const std::string& path, cMemoryStream& bytes) {
  cFileStream file(path, os::kCreateAlways, os::kAccessWrite, os::kShareRead);
  return file.IsOpen() && file.Write(bytes.GetData(), bytes.GetSize()) == bytes.GetSize();
}

bool WriteTga(const std::string& path, const Image& image) {
  cMemoryStream bytes;
  return TgaImageLoader().Save(image, bytes) && WriteWholeStream(path, bytes);
}

float SoftDisc(float d, float radius, float soft) {
  if (d >= radius) return 0.0f;
  if (soft <= 0.0f || d <= radius - soft) return 1.0f;
  const float t = (radius - d) / soft;
  return t * t * (3.0f - 2.0f * t);
}
