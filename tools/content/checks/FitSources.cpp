#include "tools/content/checks/FitSources.h"

#include <cstdio>
#include <filesystem>

#include "gui/include/FontFile.h"
#include "source/text/TextConversion.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/ContentXml.h"
#include "tools/content/RecipeXml.h"

namespace {

std::string FileText(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::string();
  std::string text;
  char buffer[65536];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, read);
  std::fclose(file);
  return text;
}

using SectionIds = std::map<std::string, std::map<std::string, std::vector<std::string>>>;

// content/texts/<language>.xml, every section's texts, and which ids each section holds.
std::map<std::string, FitTexts> ReadLanguages(const ContentPaths& paths, SectionIds& sections) {
  std::map<std::string, FitTexts> languages;
  for (const std::string& file : RecipeFiles(paths.SourceFor("texts"), ".xml")) {
    XmlDocument document;
    if (!ReadSourceXml("text fit", file, "texts", document)) continue;  // the texts step says why
    const std::string language = std::filesystem::path(file).stem().string();
    FitTexts& texts = languages[language];
    for (const XmlNode* section = document.GetRoot().GetFirstChild(); section != nullptr; section = section->GetNext()) {
      std::vector<std::string>& ids = sections[language][RecipeText(*section, "name")];
      for (const XmlNode* text = section->GetFirstChild(); text != nullptr; text = text->GetNext()) {
        texts[RecipeText(*text, "id")] = Utf8ToWide(RecipeText(*text, "text").c_str());
        ids.push_back(RecipeText(*text, "id"));
      }
    }
  }
  return languages;
}

// Per language, the font each slot names ("fonts\main" -> "main").
std::map<std::string, std::map<int, std::string>> ReadFontSlots(const ContentPaths& paths) {
  std::map<std::string, std::map<int, std::string>> slots;
  ForEachRecipe(paths.SourceFor("game_init"), "game_init", [&slots](const XmlNode& root) {
    for (const XmlNode* lang = root.GetFirstChild(); lang != nullptr; lang = lang->GetNext()) {
      if (lang->GetName() != "lang") continue;
      for (const XmlNode* select = lang->GetFirstChild(); select != nullptr; select = select->GetNext()) {
        if (RecipeText(*select, "type") != "font") continue;
        const std::string name = RecipeText(*select, "name");
        slots[RecipeText(*lang, "name")][RecipeInteger(*select, "id", -1)] = name.substr(name.rfind('\\') + 1);
      }
    }
  });
  return slots;
}

// The fonts as baked: the recipe's measures and the glyph table the fonts step wrote.
std::map<std::string, std::unique_ptr<GUIFont>> ReadFonts(const ContentPaths& paths) {
  std::map<std::string, std::unique_ptr<GUIFont>> fonts;
  ForEachRecipe(paths.SourceFor("fonts"), "fonts", [&](const XmlNode& root) {
    for (const XmlNode* font = root.GetFirstChild(); font != nullptr; font = font->GetNext()) {
      if (font->GetName() != "font") continue;
      const std::string name = RecipeText(*font, "name");
      const std::string bytes = FileText(paths.PathFor("data", "fonts/" + name + ".fnt"));
      GUIGlyphTable glyphs;
      if (ReadFontFile(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<uint32_t>(bytes.size()), glyphs) !=
          FontFileStatus::kRead) {
        continue;
      }
      FontDescription description;
      description.size = RecipeNumber(*font, "pixels", 32.0f);
      description.space = RecipeNumber(*font, "space", 0.3f);
      description.shift = RecipeNumber(*font, "shift", 1.0f);
      description.upper_case = RecipeText(*font, "upper_case") == "true";
      fonts[name] = std::make_unique<GUIFont>(glyphs, description);
    }
  });
  return fonts;
}

}  // namespace

FitSources::FitSources(const ContentPaths& paths)
    : m_languages(ReadLanguages(paths, m_sections)), m_slots(ReadFontSlots(paths)), m_fonts(ReadFonts(paths)) {}

FitSources::~FitSources() = default;

const GUIFont* FitSources::FontOf(const std::string& language, int slot, std::string& name) const {
  auto slots = m_slots.find(language);
  if (slots == m_slots.end()) return nullptr;
  auto found = slots->second.find(slot);
  if (found == slots->second.end()) return nullptr;
  name = found->second;
  auto font = m_fonts.find(name);
  return font == m_fonts.end() ? nullptr : font->second.get();
}

const std::u16string* FitSources::Text(const std::string& language, const std::string& id) const {
  auto texts = m_languages.find(language);
  if (texts == m_languages.end()) return nullptr;
  auto found = texts->second.find(id);
  return found == texts->second.end() ? nullptr : &found->second;
}

std::string HexCode(char16_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

char16_t MissingCharacter(const GUIFont& font, std::u16string_view text) {
  for (char16_t c : text) {
    if (c != u' ' && c != u'\n' && !font.HasCharacter(c)) return c;
  }
  return 0;
}

std::vector<std::string> FitSources::SectionIds(const std::string& language, const std::string& section) const {
  auto sections = m_sections.find(language);
  if (sections == m_sections.end()) return {};
  auto found = sections->second.find(section);
  return found == sections->second.end() ? std::vector<std::string>() : found->second;
}
