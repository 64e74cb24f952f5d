// The game's fonts: content/fonts/fonts.xml names each font, its DejaVu face, its line height in
// pixels, colours and measures, and the faces that lend it the characters its own face lacks
// ("fallback", names separated by spaces). Every font carries Latin, Cyrillic and Hebrew: a
// character that none of its faces has fails the build. Each is baked into "fonts\<name>" (the glyph table), the pictures
// "fonts\<name>_diffuse" and "fonts\<name>_opacity", and a "font" resource of that name declared
// in "fonts\fonts.resource" of the "data" group.

#include <cstdio>
#include <filesystem>
#include <string>

#include "gui/include/cFontResource.h"
#include "source/properties/Conversions.h"
#include "source/properties/NumberText.h"
#include "source/stream/cMemoryStream.h"
#include "source/texture/TgaImageLoader.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/ContentXml.h"
#include "tools/content/fonts/FontBaker.h"

namespace {

constexpr const char* kStep = "fonts";
constexpr const char* kFaceFolder = "/usr/share/fonts/truetype/dejavu/";

Vector3 ColorAttribute(const XmlNode& node, const char* name, const Vector3& fallback) {
  const std::string text = GetAttributeValue(&node, name, "");
  std::string_view rest = text;
  Vector3 color;
  if (!ScanFloat(rest, color.x) || !ScanFloat(rest, color.y) || !ScanFloat(rest, color.z)) return fallback;
  return color;
}

bool WriteImage(const Image& image, const std::string& path) {
  cMemoryStream bytes;
  return TgaImageLoader().Save(image, bytes) && WriteBuiltFile(kStep, path, bytes);
}

// One "font" element: bakes it and writes its three files; answers its resource declaration.
bool MakeFont(const ContentPaths& paths, const XmlNode& node, std::string& declaration) {
  const std::string name = GetAttributeValue(&node, "name", "");
  FontBakeSettings settings;
  settings.face_path = kFaceFolder + GetAttributeValue(&node, "face", "DejaVuSans.ttf");
  settings.line_pixels = static_cast<uint32_t>(ParseDecimalInt(GetAttributeValue(&node, "pixels", "32")));
  // Faces for the characters the face lacks (DejaVu's serif and mono faces have no Hebrew).
  const std::string fallback_list = GetAttributeValue(&node, "fallback", "");
  std::string_view fallbacks = fallback_list;
  while (!fallbacks.empty()) {
    const std::size_t space = fallbacks.find(' ');
    const std::string_view face = fallbacks.substr(0, space);
    if (!face.empty()) settings.fallback_paths.push_back(kFaceFolder + std::string(face));
    fallbacks = space == std::string_view::npos ? std::string_view() : fallbacks.substr(space + 1);
  }
  settings.ranges = GameCharacterRanges();
  settings.capitals_only = GetAttributeValue(&node, "upper_case", "false") == "true";
  settings.fill_top = ColorAttribute(node, "fill_top", settings.fill_top);
  settings.fill_bottom = ColorAttribute(node, "fill_bottom", settings.fill_top);
  settings.outline_color = ColorAttribute(node, "outline_color", settings.outline_color);
  settings.outline_pixels = static_cast<uint32_t>(ParseDecimalInt(GetAttributeValue(&node, "outline", "0")));
  if (name.empty() || settings.line_pixels < 4 || settings.line_pixels > 256 || settings.outline_pixels > 8) {
    std::fprintf(stderr, "fonts: a font needs a name, 4 to 256 pixels and an outline of at most 8 (\"%s\")\n",
                 name.c_str());
    return false;
  }
  BakedFont baked;
  std::string error;
  if (!BakeFont(settings, baked, error)) {
    std::fprintf(stderr, "fonts: %s: %s\n", name.c_str(), error.c_str());
    return false;
  }
  cMemoryStream glyphs;
  if (!WriteFontFile(glyphs, baked.glyphs) ||
      !WriteBuiltFile(kStep, paths.PathFor("data", "fonts/" + name + ".fnt"), glyphs) ||
      !WriteImage(baked.diffuse, paths.PathFor("data", "fonts/" + name + "_diffuse.tga")) ||
      !WriteImage(baked.opacity, paths.PathFor("data", "fonts/" + name + "_opacity.tga"))) {
    return false;
  }
  const std::string resource = "fonts\\" + name;
  declaration = "  <resource name=\"" + resource + "\" type=\"font\" fnt=\"" + resource + "\" diffuse=\"" + resource +
                "_diffuse\" opacity=\"" + resource + "_opacity\" size=\"" + std::to_string(settings.line_pixels) +
                "\" space=\"" + GetAttributeValue(&node, "space", "0.3") + "\" shift=\"" +
                GetAttributeValue(&node, "shift", "1") + "\" upper_case=\"" +
                (settings.capitals_only ? "true" : "false") + "\"/>\n";
  return true;
}

bool MakeFonts(const ContentPaths& paths) {
  if (!std::filesystem::exists(paths.SourceFor("fonts/fonts.xml"))) return true;  // sources without fonts make none
  XmlDocument document;
  if (!ReadSourceXml(kStep, paths.SourceFor("fonts/fonts.xml"), "fonts", document)) return false;
  std::string list = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n";
  for (const XmlNode* node = document.GetRoot().GetFirstChild(); node != nullptr; node = node->GetNext()) {
    if (node->GetName() != "font") continue;
    std::string declaration;
    if (!MakeFont(paths, *node, declaration)) return false;
    list += declaration;
  }
  list += "</resources>\n";
  cMemoryStream bytes;
  bytes.Write(list.data(), static_cast<uint32_t>(list.size()));
  return WriteBuiltFile(kStep, paths.PathFor("data", "fonts/fonts.resource"), bytes);
}

}  // namespace

VELMARIS_CONTENT_STEP("fonts", 20, MakeFonts);
