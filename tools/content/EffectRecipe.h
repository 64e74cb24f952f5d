#pragma once
// What the shader and particle steps share: numbers, colours and names read from their recipes
// (a malformed value is an error the step reports, never a silent 0), files written whole, and
// the soft round sprites both paint.

#include <stdexcept>
#include <string>
#include <vector>

#include "source/math/Vector.h"
#include "source/texture/Image.h"

class cMemoryStream;
class XmlDocument;
class XmlNode;

struct EffectRecipeError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Numbers separated by white space ("C" notation).
std::vector<float> EffectNumbers(const std::string& text, const std::string& what);
// The attribute as a number; `fallback` when missing.
float EffectNumber(const XmlNode& node, const char* name, float fallback);
// "#rrggbb" or "#rrggbbaa".
Vector4 EffectColor(const std::string& text, const std::string& what);
// The files with this extension in a folder, sorted by name (the same order on every machine).
std::vector<std::string> EffectFiles(const std::string& folder, const std::string& extension);
// "particle systems\spark" as the relative path "particle systems/spark".
std::string EffectPath(const std::string& resource_name);
// False when the file cannot be read or does not parse.
bool LoadXmlFile(const std::string& path, XmlDocument& document);
bool WriteWholeStream(const std::string& path, cMemoryStream& bytes);
bool WriteTga(const std::string& path, const Image& image);
// How much a soft disc of `radius` (fading over its outer `soft` part) covers at distance d.
float SoftDisc(float d, float radius, float soft);
