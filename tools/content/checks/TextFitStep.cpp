// Texts that fit where they are drawn: every static and menu item of every form in content/gui and
// content/minigames is measured, in
// every language of content/texts, with the font its slot names in that language
// (content/game_init) as the fonts step baked it. A static shows the text its "text_id" names and
// the texts its "shows" attribute lists (ids separated by spaces: what the code puts there; the
// GUI keeps the attribute as a plain value; "A+B" is the texts A and B joined by a space), every
// text of the sections its "shows_section" lists, or its "text" as it stands. A text fails the build when
//  - its font lacks one of its characters (it would be drawn as a gap);
//  - a one-line static would show a "\n" as it stands;
//  - its line leaves the place it is drawn in: the helper box it is laid out in, else the
//    window its "fits_in" names (a sibling: the cell of a list), else its parent window, else the window it labels (the sibling whose name with "_text" is its own),
//    else the smallest window under its anchor, of its form or of the form it is laid over (the
//    resource's "over" attribute: the page it is written on), else the screen;
//  - in a chain of linked statics, words are left over after the last one (they are never seen).
// The documents' blocks of text, the mini-games' rules, the tooltips (the map's too) and the typed
// names are checked too (FitSources.h).

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gui/include/GUIFont.h"
#include "gui/include/TextFitting.h"
#include "source/text/TextConversion.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/checks/FitSources.h"
#include "tools/content/checks/TextPlaces.h"

namespace {

class TextFitCheck {
 public:
  explicit TextFitCheck(const FitSources& sources) : m_sources(sources) {}

  void CheckForms(const std::vector<PlacedForm>& forms) {
    for (const PlacedForm& form : forms) {
      for (const PlacedStatic& text : form.statics) {
        for (const auto& [language, texts] : m_sources.Languages()) CheckStatic(form, text, language, texts);
      }
    }
  }

  std::vector<std::string>& Faults() { return m_faults; }

 private:
  void Fault(const PlacedForm& form, const PlacedStatic& text, const std::string& language, const std::string& id,
             const std::string& why) {
    m_faults.push_back(form.name + ": " + text.name + ": \"" + id + "\" (" + language + ") " + why);
  }

  void CheckStatic(const PlacedForm& form, const PlacedStatic& text, const std::string& language, const FitTexts& texts) {
    std::string font_name;
    const GUIFont* font = m_sources.FontOf(language, text.font_id, font_name);
    if (font == nullptr) return;  // a game without that slot in this language draws nothing there
    std::vector<std::pair<std::string, std::u16string>> shown;
    if (!text.literal.empty()) shown.emplace_back(text.literal, Utf8ToWide(text.literal.c_str()));
    std::vector<std::string> ids = text.ids;
    for (const std::string& section : text.sections) {
      for (const std::string& id : m_sources.SectionIds(language, section)) ids.push_back(id);
    }
    std::set<std::string> seen;
    for (const std::string& id : ids) {
      if (!seen.insert(id).second) continue;  // a name several sections share is measured once
      // "A+B": what the code joins with a space from the texts A and B, all of which must exist.
      std::u16string joined;
      bool whole = true;
      for (size_t begin = 0; begin <= id.size() && whole;) {
        const size_t plus = std::min(id.find('+', begin), id.size());
        auto found = texts.find(id.substr(begin, plus - begin));
        whole = found != texts.end();
        if (whole) joined += (begin > 0 ? u" " : u"") + found->second;
        begin = plus + 1;
      }
      if (whole) shown.emplace_back(id, joined);
    }
    for (const auto& [id, line] : shown) CheckLine(form, text, language, id, line, *font, font_name);
  }

  void CheckLine(const PlacedForm& form, const PlacedStatic& text, const std::string& language, const std::string& id,
                 const std::u16string& shown, const GUIFont& font, const std::string& font_name) {
    if (const char16_t missing = MissingCharacter(font, shown)) {
      Fault(form, text, language, id, "has " + HexCode(missing) + ", which the font \"" + font_name + "\" lacks");
    }
    if (shown.find(u"\\n") != std::u16string::npos) {
      Fault(form, text, language, id, "shows \"\\n\" as it stands: a static draws one line");
    }
    if (text.chain.empty()) {
      const TextRect box = TextBoxAt(text, font.GetTextWidth(shown), font.GetSize());
      if (!Inside(box, text.place)) {
        Fault(form, text, language, id, "is " + std::to_string(static_cast<int>(box.width + 0.5f)) +
                                            " wide and leaves " + text.place_name + " " + Describe(text.place));
      }
      return;
    }
    // Linked statics take word after word while they fit, each its own helper box.
    std::u16string rest = shown;
    for (const TextRect& line : text.chain) {
      if (rest.empty()) break;
      rest = FitWords(rest, line.width, [&font](std::u16string_view part) { return font.GetTextWidth(part); }).rest;
    }
    if (!rest.empty()) {
      Fault(form, text, language, id, "does not fit its " + std::to_string(text.chain.size()) +
                                          " linked lines: \"" + WideToUtf8(rest) + "\" is never seen");
    }
  }

  const FitSources& m_sources;
  std::vector<std::string> m_faults;
};

bool CheckTextFit(const ContentPaths& paths) {
  std::vector<PlacedForm> forms;
  bool read = true;
  for (const char* folder : {"gui", "minigames"}) {
    read = ForEachRecipe(paths.SourceFor(folder), "resources", [&forms](const XmlNode& list) {
      std::vector<PlacedForm> found = PlaceForms(list);
      forms.insert(forms.end(), found.begin(), found.end());
    }) && read;
  }
  PlaceTexts(forms);
  const FitSources sources(paths);
  TextFitCheck check(sources);
  check.CheckForms(forms);
  for (const auto& more : {CheckNames(forms, sources), CheckTextBlocks(paths, sources), CheckTooltips(paths, sources),
                           CheckMapTooltips(forms, sources)}) {
    check.Faults().insert(check.Faults().end(), more.begin(), more.end());
  }
  for (const std::string& fault : check.Faults()) std::fprintf(stderr, "velmaris-content: texts: %s\n", fault.c_str());
  return read && check.Faults().empty();
}

}  // namespace

VELMARIS_CONTENT_STEP("text fit", 70, CheckTextFit);
