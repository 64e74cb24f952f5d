#pragma once
// Reading the content recipes (XML files in content/): attributes as numbers and colours, and the
// recipe files of a folder in a fixed order. A malformed value is an error the step reports, so
// a typo never turns silently into 0.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "source/math/Vector.h"

class XmlNode;

struct RecipeError {
  std::string text;
};

// The attribute's text; `fallback` when it is missing.
std::string RecipeText(const XmlNode& node, const char* name, const std::string& fallback = std::string());
// A number ("C" notation); `fallback` when missing; a RecipeError when it is not a number.
float RecipeNumber(const XmlNode& node, const char* name, float fallback);
int RecipeInteger(const XmlNode& node, const char* name, int fallback);
// A colour "#rrggbb" or "#rrggbbaa" as red, green, blue, alpha in 0..1.
Vector4 RecipeColor(const XmlNode& node, const char* name, const Vector4& fallback);
// Colours separated by spaces ("#rrggbbaa #rrggbbaa ...").
std::vector<Vector4> RecipeColors(const XmlNode& node, const char* name);
// Numbers separated by spaces or commas ("x y x y ...").
std::vector<float> RecipeNumbers(const XmlNode& node, const char* name);

// The files with this extension in a folder, sorted by name (the same order on every machine).
std::vector<std::string> RecipeFiles(const std::string& folder, const std::string& extension);
// Reads every XML recipe of `folder` in that order and hands its root element (which must be
// named `root`) to `make`; a file that is no such recipe, or whose `make` throws a RecipeError,
// is reported on standard error and ends the walk with false.
bool ForEachRecipe(const std::string& folder, const char* root, const std::function<void(const XmlNode&)>& make);
// Writes the bytes to a file (made anew); a RecipeError when that fails.
void WriteRecipeOutput(const std::string& path, const uint8_t* bytes, uint32_t size);
// A resource name ("textures\harbour") as the relative path of its file ("textures/harbour").
std::string ResourcePath(const std::string& resource_name);
