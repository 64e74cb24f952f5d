// Texts that fit where they are drawn: every static of every form in content/gui is measured, in
// every language of content/texts, with the font its slot names in that language
// (content/game_init) as the fonts step baked it. A static shows the text its "text_id" names and
// the texts its "shows" attribute lists (ids separated by spaces: what the code puts there; the
// GUI keeps the attribute as a plain value). A text fails the build when
//  - its font lacks one of its characters (it would be drawn as a gap);
//  - a one-line static would show a "\n" as it stands;
//  - its line leaves the place it is drawn in: the helper box it is laid out in, else its
//    parent window, else the window it labels (the sibling whose name with "_text" is its own),
//    else the smallest window under its anchor, of its form or of the form it is laid over (the
//    resource's "over" attribute: the page it is written on), else the screen;
//  - in a chain of linked statics, words are left over after the last one (they are never seen).

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/include/FontFile.h"
#include "gui/include/GUIFont.h"
#include "gui/include/TextFitting.h"
#include "source/text/TextConversion.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/ContentXml.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/checks/TextPlaces.h"

namespace {

using Texts = std::map<std::string, std::u16string>;  // id -> text

std::string FileText(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::string();
  std::string text;
  char buffer[65536];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, read);
  std::fclose(file);
  return text;
}

// content/texts/<language>.xml, every section's texts.
std::map<std::string, Texts> ReadLanguages(const ContentPaths& paths) {
  std::map<std::string, Texts> languages;
  for (const std::string& file : RecipeFiles(paths.SourceFor("texts"), ".xml")) {
    XmlDocument document;
    if (!ReadSourceXml("text fit", file, "texts", document)) continue;  // the texts step says why
    Texts& texts = languages[std::filesystem::path(file).stem().string()];
    for (const XmlNode* section = document.GetRoot().GetFirstChild(); section != nullptr; section = section->GetNext()) {
      for (const XmlNode* text = section->GetFirstChild(); text != nullptr; text = text->GetNext()) {
        texts[RecipeText(*text, "id")] = Utf8ToWide(RecipeText(*text, "text").c_str());
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

std::string Hex(char16_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

class TextFitCheck {
 public:
  explicit TextFitCheck(const ContentPaths& paths)
      : m_languages(ReadLanguages(paths)), m_slots(ReadFontSlots(paths)), m_fonts(ReadFonts(paths)) {}

  void CheckForms(const std::vector<PlacedForm>& forms) {
    for (const PlacedForm& form : forms) {
      for (const PlacedStatic& text : form.statics) {
        for (const auto& [language, texts] : m_languages) CheckStatic(form, text, language, texts);
      }
    }
  }

  const std::vector<std::string>& Faults() const { return m_faults; }

 private:
  const GUIFont* FontOf(const std::string& language, int slot, std::string& name) const {
    auto slots = m_slots.find(language);
    if (slots == m_slots.end()) return nullptr;
    auto found = slots->second.find(slot);
    if (found == slots->second.end()) return nullptr;
    name = found->second;
    auto font = m_fonts.find(name);
    return font == m_fonts.end() ? nullptr : font->second.get();
  }

  void Fault(const PlacedForm& form, const PlacedStatic& text, const std::string& language, const std::string& id,
             const std::string& why) {
    m_faults.push_back(form.name + ": " + text.name + ": \"" + id + "\" (" + language + ") " + why);
  }

  void CheckStatic(const PlacedForm& form, const PlacedStatic& text, const std::string& language, const Texts& texts) {
    std::string font_name;
    const GUIFont* font = FontOf(language, text.font_id, font_name);
    if (font == nullptr) return;  // a game without that slot in this language draws nothing there
    for (const std::string& id : text.ids) {
      auto found = texts.find(id);
      if (found == texts.end()) continue;
      const std::u16string& shown = found->second;
      for (char16_t c : shown) {
        if (c != u' ' && c != u'\n' && !font->HasCharacter(c)) {
          Fault(form, text, language, id, "has " + Hex(c) + ", which the font \"" + font_name + "\" lacks");
          break;
        }
      }
      if (shown.find(u"\\n") != std::u16string::npos) {
        Fault(form, text, language, id, "shows \"\\n\" as it stands: a static draws one line");
      }
      if (text.chain.empty()) {
        const TextRect box = TextBoxAt(text, font->GetTextWidth(shown), font->GetSize());
        if (!Inside(box, text.place)) {
          Fault(form, text, language, id, "is " + std::to_string(static_cast<int>(box.width + 0.5f)) +
                                              " wide and leaves " + text.place_name + " " + Describe(text.place));
        }
        continue;
      }
      // Linked statics take word after word while they fit, each its own helper box.
      std::u16string rest = shown;
      for (const TextRect& line : text.chain) {
        if (rest.empty()) break;
        rest = FitWords(rest, line.width, [font](std::u16string_view part) { return font->GetTextWidth(part); }).rest;
      }
      if (!rest.empty()) {
        Fault(form, text, language, id, "does not fit its " + std::to_string(text.chain.size()) +
                                            " linked lines: \"" + WideToUtf8(rest) + "\" is never seen");
      }
    }
  }

  std::map<std::string, Texts> m_languages;
  std::map<std::string, std::map<int, std::string>> m_slots;
  std::map<std::string, std::unique_ptr<GUIFont>> m_fonts;
  std::vector<std::string> m_faults;
};

bool CheckTextFit(const ContentPaths& paths) {
  std::vector<PlacedForm> forms;
  const bool read = ForEachRecipe(paths.SourceFor("gui"), "resources", [&forms](const XmlNode& list) {
    std::vector<PlacedForm> found = PlaceForms(list);
    forms.insert(forms.end(), found.begin(), found.end());
  });
  PlaceTexts(forms);
  TextFitCheck check(paths);
  check.CheckForms(forms);
  for (const std::string& fault : check.Faults()) std::fprintf(stderr, "velmaris-content: texts: %s\n", fault.c_str());
  return read && check.Faults().empty();
}

}  // namespace

VELMARIS_CONTENT_STEP("text fit", 70, CheckTextFit);
