// The documents' blocks of text: a "text" window of a form breaks its text into lines inside the
// box of its model (a quad recipe of content/models, named from the form's folder), one line the
// font's size high. Each text it shows ("text_id", and the ids its "shows" attribute lists: what
// the code puts there) in every language must fit that box: no word wider than the box, no line
// below its foot, no character its font lacks.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "gui/include/TextLayout.h"
#include "source/text/TextConversion.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/checks/FitSources.h"
#include "tools/content/checks/TextPlaces.h"

namespace {

struct BlockSize {
  float width = 0.0f, height = 0.0f;
};

std::map<std::string, BlockSize> ReadModelBoxes(const ContentPaths& paths) {
  std::map<std::string, BlockSize> boxes;
  ForEachRecipe(paths.SourceFor("models"), "model", [&boxes](const XmlNode& model) {
    boxes[RecipeText(model, "name")] = {RecipeNumber(model, "width", 0.0f), RecipeNumber(model, "height", 0.0f)};
  });
  return boxes;
}

// A text as the window keeps it: each written "\n" a line end.
std::u16string WithLineEnds(const std::u16string& text) {
  std::u16string kept;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool escape = text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'n';
    kept.push_back(escape ? u'\n' : text[i]);
    if (escape) ++i;
  }
  return kept;
}

std::string Measure(float value) { return std::to_string(static_cast<int>(value + 0.5f)); }

class TextBlockCheck {
 public:
  TextBlockCheck(const ContentPaths& paths, const FitSources& sources)
      : m_sources(sources), m_boxes(ReadModelBoxes(paths)) {}

  void CheckList(const XmlNode& list) {
    for (const XmlNode* resource = list.GetFirstChild(); resource != nullptr; resource = resource->GetNext()) {
      if (RecipeText(*resource, "type") != "form") continue;
      const std::string form = RecipeText(*resource, "name");
      for (const XmlNode* part = resource->GetFirstChild(); part != nullptr; part = part->GetNext()) {
        if (part->GetName() == "form") CheckWindows(form, *part);
      }
    }
  }

  std::vector<std::string>& Faults() { return m_faults; }

 private:
  void CheckWindows(const std::string& form, const XmlNode& parent) {
    for (const XmlNode* node = parent.GetFirstChild(); node != nullptr; node = node->GetNext()) {
      if (node->GetName() == "text") CheckBlock(form, *node);
      CheckWindows(form, *node);
    }
  }

  void CheckBlock(const std::string& form, const XmlNode& node) {
    const std::string model = RecipeText(node, "model");
    const std::string full = model.find('\\') != std::string::npos ? model : form.substr(0, form.rfind('\\') + 1) + model;
    const std::string where = form + ": " + RecipeText(node, "name") + ": ";
    auto box = m_boxes.find(full);
    if (box == m_boxes.end()) {
      if (!model.empty()) m_faults.push_back(where + "its model \"" + full + "\" has no recipe in content/models");
      return;
    }
    std::vector<std::string> ids;
    if (!RecipeText(node, "text_id").empty()) ids.push_back(RecipeText(node, "text_id"));
    for (const std::string& id : SpacedWords(RecipeText(node, "shows"))) ids.push_back(id);
    for (const auto& [language, texts] : m_sources.Languages()) {
      std::string font_name;
      const GUIFont* font = m_sources.FontOf(language, RecipeInteger(node, "font_id", 0), font_name);
      if (font == nullptr) continue;
      for (const std::string& id : ids) {
        const std::u16string* text = m_sources.Text(language, id);
        if (text == nullptr) continue;
        const std::string fault = Fit(WithLineEnds(*text), *font, box->second, RecipeText(node, "border_fix") == "true");
        if (!fault.empty()) m_faults.push_back(where + "\"" + id + "\" (" + language + ") " + fault);
      }
    }
  }

  static std::string Fit(const std::u16string& text, const GUIFont& font, BlockSize box, bool justified) {
    if (const char16_t missing = MissingCharacter(font, text)) return "has " + HexCode(missing) + ", which its font lacks";
    const std::vector<TextWord> words = BuildWords(font, text);
    const std::vector<TextLine> lines = BreakLines(words, box.width, justified);
    for (const TextLine& line : lines) {
      if (line.solid_width > box.width) {
        return "has a word " + Measure(line.solid_width) + " wide, wider than its box (" + Measure(box.width) + ")";
      }
    }
    const float height = static_cast<float>(lines.size()) * font.GetSize();
    if (height > box.height + 0.5f) {
      return "takes " + std::to_string(lines.size()) + " lines, " + Measure(height) + " high, and its box is " +
             Measure(box.height) + " high";
    }
    return std::string();
  }

  const FitSources& m_sources;
  std::map<std::string, BlockSize> m_boxes;
  std::vector<std::string> m_faults;
};

}  // namespace

std::vector<std::string> CheckTextBlocks(const ContentPaths& paths, const FitSources& sources) {
  TextBlockCheck check(paths, sources);
  for (const char* folder : {"gui", "minigames"}) {
    ForEachRecipe(paths.SourceFor(folder), "resources", [&check](const XmlNode& list) { check.CheckList(list); });
  }
  return std::move(check.Faults());
}
