// The tooltips: a place draws its objects' tooltips, and the panel its items' names, in one line
// of font slot 0 from the pointer rightward, moved left near the screen's right edge. Each line of
// content/phrases/<language> must fit the screen's width, and its font must have its characters.
// The map names the place under the pointer the same way, in font slot 13: the text whose id is
// the place's window name, in every language.

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "Sources/adventure/GameMap.h"
#include "source/text/TextConversion.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/checks/FitSources.h"
#include "tools/content/checks/TextPlaces.h"

namespace {

constexpr float kScreenWidth = 1024.0f;
constexpr float kScreenHeight = 768.0f;
constexpr int kTooltipFont = 0;
constexpr int kMapTooltipFont = 13;

struct Tooltip {
  std::string where;  // "hall\door", "inventory\key"
  std::string text;
};

void ReadTooltips(const XmlNode& parent, const std::string& place, std::vector<Tooltip>& tooltips) {
  for (const XmlNode* node = parent.GetFirstChild(); node != nullptr; node = node->GetNext()) {
    if (node->GetName() == "location") ReadTooltips(*node, RecipeText(*node, "name"), tooltips);
    if (node->GetName() == "tooltip" || node->GetName() == "inventory") {
      tooltips.push_back({place + "\\" + RecipeText(*node, "name"), RecipeText(*node, "text")});
    }
  }
}

}  // namespace

std::vector<std::string> CheckTooltips(const ContentPaths& paths, const FitSources& sources) {
  std::vector<std::string> faults;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(paths.SourceFor("phrases"), error)) {
    if (!entry.is_directory(error)) continue;
    const std::string language = entry.path().filename().string();
    std::string font_name;
    const GUIFont* font = sources.FontOf(language, kTooltipFont, font_name);
    if (font == nullptr) continue;
    std::vector<Tooltip> tooltips;
    ForEachRecipe(entry.path().string(), "locations",
                  [&tooltips](const XmlNode& root) { ReadTooltips(root, "inventory", tooltips); });
    for (const Tooltip& tooltip : tooltips) {
      const std::u16string text = Utf8ToWide(tooltip.text.c_str());
      const std::string where = "tooltip of \"" + tooltip.where + "\" (" + language + ") ";
      if (const char16_t missing = MissingCharacter(*font, text)) {
        faults.push_back(where + "has " + HexCode(missing) + ", which the font \"" + font_name + "\" lacks");
      }
      const float width = font->GetTextWidth(text);
      if (width > kScreenWidth + 0.5f) {
        faults.push_back(where + "is " + std::to_string(static_cast<int>(width + 0.5f)) + " wide, wider than the screen");
      }
    }
  }
  return faults;
}

std::vector<std::string> CheckMapTooltips(const std::vector<PlacedForm>& forms, const FitSources& sources) {
  std::vector<std::string> faults;
  for (const PlacedForm& form : forms) {
    if (form.name.rfind("gui\\map\\", 0) != 0) continue;
    for (const PlacedWindow& window : form.windows) {
      bool place = false;
      for (int p = 1; p <= GameMap::kPlaces; ++p) place = place || window.name == GameMap::PlaceName(p);
      if (!place) continue;
      for (const auto& [language, texts] : sources.Languages()) {
        std::string font_name;
        const GUIFont* font = sources.FontOf(language, kMapTooltipFont, font_name);
        if (font == nullptr) continue;
        const std::string where = form.name + ": place \"" + window.name + "\" (" + language + ") ";
        const std::u16string* text = sources.Text(language, window.name);
        if (text == nullptr) {
          faults.push_back(where + "has no name to show");
          continue;
        }
        if (const char16_t missing = MissingCharacter(*font, *text)) {
          faults.push_back(where + "has " + HexCode(missing) + ", which the font \"" + font_name + "\" lacks");
        }
        // The line starts at the pointer, over the place: it is moved left to end on the screen,
        // but not down.
        const float width = font->GetTextWidth(*text);
        if (width > kScreenWidth + 0.5f) {
          faults.push_back(where + "is " + std::to_string(static_cast<int>(width + 0.5f)) + " wide, wider than the screen");
        }
        if (window.rect.y + window.rect.height + font->GetSize() > kScreenHeight + 0.5f) {
          faults.push_back(where + "would run off the screen's top");
        }
      }
    }
  }
  return faults;
}
