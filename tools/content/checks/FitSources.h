#pragma once
// What the text checks measure with: every language's texts (content/texts), the font each slot
// names in each language (content/game_init) and the fonts as the fonts step baked them.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/include/GUIFont.h"

struct ContentPaths;
struct PlacedForm;

using FitTexts = std::map<std::string, std::u16string>;  // id -> text

class FitSources {
 public:
  explicit FitSources(const ContentPaths& paths);
  ~FitSources();

  const std::map<std::string, FitTexts>& Languages() const { return m_languages; }
  // The font of the slot in the language and its name, or null when the game has none there.
  const GUIFont* FontOf(const std::string& language, int slot, std::string& name) const;
  // The text of the id in the language, or null.
  const std::u16string* Text(const std::string& language, const std::string& id) const;
  // The ids of a section's texts in the language, in file order (none for a section it lacks).
  std::vector<std::string> SectionIds(const std::string& language, const std::string& section) const;

 private:
  // Made before m_languages, whose reading fills it.
  std::map<std::string, std::map<std::string, std::vector<std::string>>> m_sections;  // language -> section -> ids
  std::map<std::string, FitTexts> m_languages;
  std::map<std::string, std::map<int, std::string>> m_slots;
  std::map<std::string, std::unique_ptr<GUIFont>> m_fonts;
};

// "U+0041".
std::string HexCode(char16_t c);
// The first character of the text that is no space or line end and the font lacks, or 0.
char16_t MissingCharacter(const GUIFont& font, std::u16string_view text);

// The checks the text fit step runs besides the statics': each returns its faults, one line each.
// Typed names: the longest name the prompt takes fits every place a name is drawn.
std::vector<std::string> CheckNames(const std::vector<PlacedForm>& forms, const FitSources& sources);
// The documents' blocks of text: each fits the box of its model in its lines; and every mini-game
// tells its rule in one, in every language.
std::vector<std::string> CheckTextBlocks(const ContentPaths& paths, const FitSources& sources);
// The tooltips of the places and the names of the inventory's items: each fits the screen.
std::vector<std::string> CheckTooltips(const ContentPaths& paths, const FitSources& sources);
// The names the map shows over its places: each fits the screen.
std::vector<std::string> CheckMapTooltips(const std::vector<PlacedForm>& forms, const FitSources& sources);
