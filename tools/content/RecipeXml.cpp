#include "tools/content/RecipeXml.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>

#include "platform/os/os.h"
#include "source/stream/cFileStream.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"

namespace {

float ParseNumber(const std::string& text, const char* name) {
  float value = 0.0f;
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  while (begin < end && *begin == ' ') ++begin;
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop == begin) throw RecipeError{std::string("\"") + name + "\" is not a number: " + text};
  return value;
}

}  // namespace

std::string RecipeText(const XmlNode& node, const char* name, const std::string& fallback) {
  const XmlNode* attribute = node.FindAttribute(name);
  return attribute != nullptr ? attribute->GetValue() : fallback;
}

float RecipeNumber(const XmlNode& node, const char* name, float fallback) {
  const XmlNode* attribute = node.FindAttribute(name);
  return attribute != nullptr ? ParseNumber(attribute->GetValue(), name) : fallback;
}

int RecipeInteger(const XmlNode& node, const char* name, int fallback) {
  return static_cast<int>(RecipeNumber(node, name, static_cast<float>(fallback)));
}

namespace {

Vector4 ParseColor(const std::string& text, const char* name) {
  if ((text.size() != 7 && text.size() != 9) || text[0] != '#') {
    throw RecipeError{std::string("\"") + name + "\" is not a colour #rrggbb[aa]: " + text};
  }
  float channels[4] = {0, 0, 0, 1};
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    unsigned value = 0;
    const auto [stop, error] = std::from_chars(text.data() + 1 + i, text.data() + 3 + i, value, 16);
    if (error != std::errc() || stop != text.data() + 3 + i) {
      throw RecipeError{std::string("\"") + name + "\" is not a colour #rrggbb[aa]: " + text};
    }
    channels[i / 2] = static_cast<float>(value) / 255.0f;
  }
  return Vector4(channels[0], channels[1], channels[2], channels[3]);
}

}  // namespace

Vector4 RecipeColor(const XmlNode& node, const char* name, const Vector4& fallback) {
  const XmlNode* attribute = node.FindAttribute(name);
  return attribute != nullptr ? ParseColor(attribute->GetValue(), name) : fallback;
}

std::vector<Vector4> RecipeColors(const XmlNode& node, const char* name) {
  const std::string text = RecipeText(node, name);
  std::vector<Vector4> colors;
  for (std::size_t start = text.find_first_not_of(" \t\r\n"); start != std::string::npos;) {
    const std::size_t stop = std::min(text.find_first_of(" \t\r\n", start), text.size());
    colors.push_back(ParseColor(text.substr(start, stop - start), name));
    start = text.find_first_not_of(" \t\r\n", stop);
  }
  return colors;
}

std::vector<float> RecipeNumbers(const XmlNode& node, const char* name) {
  std::string text = RecipeText(node, name);
  std::replace(text.begin(), text.end(), ',', ' ');
  std::vector<float> numbers;
  std::size_t position = 0;
  while (position < text.size()) {
    const std::size_t start = text.find_first_not_of(" \t\r\n", position);
    if (start == std::string::npos) break;
    const std::size_t stop = std::min(text.find_first_of(" \t\r\n", start), text.size());
    numbers.push_back(ParseNumber(text.substr(start, stop - start), name));
    position = stop;
  }
  return numbers;
}

std::vector<std::string> RecipeFiles(const std::string& folder, const std::string& extension) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file() && entry.path().extension() == extension) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string ResourcePath(const std::string& resource_name) {
  std::string path = resource_name;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

bool ForEachRecipe(const std::string& folder, const char* root, const std::function<void(const XmlNode&)>& make) {
  for (const std::string& file : RecipeFiles(folder, ".xml")) {
    cFileStream source(file, os::kOpenExisting, os::kAccessRead, os::kShareRead);
    XmlDocument recipe;
    if (!source.IsOpen() || !recipe.Load(source) || recipe.GetRoot().GetName() != root) {
      std::fprintf(stderr, "velmaris-content: %s is not a <%s> recipe\n", file.c_str(), root);
      return false;
    }
    try {
      make(recipe.GetRoot());
    } catch (const RecipeError& error) {
      std::fprintf(stderr, "velmaris-content: %s: %s\n", file.c_str(), error.text.c_str());
      return false;
    }
  }
  return true;
}

void WriteRecipeOutput(const std::string& path, const uint8_t* bytes, uint32_t size) {
  cFileStream file(path, os::kCreateAlways, os::kAccessWrite, os::kShareRead);
  if (!file.IsOpen() || file.Write(bytes, size) != size) throw RecipeError{"could not write " + path};
}
