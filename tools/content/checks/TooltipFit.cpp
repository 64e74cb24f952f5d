// The tooltips of the places: the location draws an object's tooltip in one line of font slot 0
// from the pointer rightward, moved left near the screen's right edge: the line must fit the
// screen's width, and its font must have its characters.

#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "source/text/TextConversion.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/checks/FitSources.h"

namespace {

constexpr float kScreenWidth = 1024.0f;
constexpr int kTooltipFont = 0;

using Tooltips = std::map<std::string, std::map<std::string, std::string>>;  // place -> object -> text

void ReadTooltips(const XmlNode& parent, Tooltips& tooltips) {
  for (const XmlNode* node = parent.GetFirstChild(); node != nullptr; node = node->GetNext()) {
    if (node->GetName() != "location") continue;
    for (const XmlNode* entry = node->GetFirstChild(); entry != nullptr; entry = entry->GetNext()) {
      if (entry->GetName() == "tooltip") tooltips[RecipeText(*node, "name")][RecipeText(*entry, "name")] = RecipeText(*entry, "text");
    }
    ReadTooltips(*node, tooltips);
  }
}

}  // namespace

std::vector<std::string> CheckTooltips(const ContentPaths& paths, const FitSources& sources) {
  std::map<std::string, Tooltips> languages;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(paths.SourceFor("phrases"), error)) {
    if (!entry.is_directory(error)) continue;
    Tooltips& tooltips = languages[entry.path().filename().string()];
    ForEachRecipe(entry.path().string(), "locations", [&tooltips](const XmlNode& root) { ReadTooltips(root, tooltips); });
  }
  std::vector<std::string> faults;
  ForEachRecipe(paths.SourceFor("levels"), "location", [&](const XmlNode& location) {
    const std::string place = RecipeText(location, "name");
    for (const XmlNode* object = location.GetFirstChild(); object != nullptr; object = object->GetNext()) {
      const std::string name = RecipeText(*object, "name");
      for (const auto& [language, tooltips] : languages) {
        auto texts = tooltips.find(place);
        if (texts == tooltips.end() || texts->second.count(name) == 0) continue;
        std::string font_name;
        const GUIFont* font = sources.FontOf(language, kTooltipFont, font_name);
        if (font == nullptr) continue;
        const std::u16string text = Utf8ToWide(texts->second.at(name).c_str());
        const std::string where = "tooltip of \"" + place + "\\" + name + "\" (" + language + ") ";
        if (const char16_t missing = MissingCharacter(*font, text)) {
          faults.push_back(where + "has " + HexCode(missing) + ", which the font \"" + font_name + "\" lacks");
        }
        const float width = font->GetTextWidth(text);
        if (width > kScreenWidth + 0.5f) {
          faults.push_back(where + "is " + std::to_string(static_cast<int>(width + 0.5f)) +
                           " wide, wider than the screen");
        }
      }
    }
  });
  return faults;
}
