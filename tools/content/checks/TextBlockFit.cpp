// The documents' blocks of text: a "text" window of a form breaks its text into lines inside the
// box of its model (named from the form's folder, as built into "data"), one line the font's size
// high. Each text it shows ("text_id", and the ids its "shows" attribute lists: what the code puts
// there) in every language must fit that box: no word wider than the box, no line below its foot,
// no character its font lacks. Every mini-game form (the built lists of "data/minigames", those the
// tool makes itself among them) tells its rule in such a window named "rule", whose "text_id"
// every language has.

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "gui/include/TextLayout.h"
#include "source/model/ModelFileReader.h"
#include "source/text/TextConversion.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/ContentXml.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/checks/FitSources.h"
#include "tools/content/checks/TextPlaces.h"

namespace {

struct BlockSize {
  float width = 0.0f, height = 0.0f;
};

// The box of a built model (its first bounds), or false when it is not built or does not read.
bool ReadModelBox(const ContentPaths& paths, const std::string& name, BlockSize& box) {
  std::FILE* file = std::fopen(paths.PathFor("data", ResourcePath(name) + ".mlf").c_str(), "rb");
  if (file == nullptr) return false;
  std::vector<uint8_t> bytes;
  uint8_t buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.insert(bytes.end(), buffer, buffer + read);
  std::fclose(file);
  ModelFileData data;
  std::string error;
  if (ReadModelFile(bytes.data(), bytes.size(), data, error) != ModelFileStatus::kRead || data.bounds.empty()) return false;
  box = {data.bounds[0].maximum.x - data.bounds[0].minimum.x, data.bounds[0].maximum.y - data.bounds[0].minimum.y};
  return true;
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
  TextBlockCheck(const ContentPaths& paths, const FitSources& sources) : m_paths(paths), m_sources(sources) {}

  // `rules`: each form must tell its rule (a mini-game's form).
  void CheckList(const XmlNode& list, bool rules) {
    for (const XmlNode* resource = list.GetFirstChild(); resource != nullptr; resource = resource->GetNext()) {
      if (RecipeText(*resource, "type") != "form") continue;
      const std::string form = RecipeText(*resource, "name");
      for (const XmlNode* part = resource->GetFirstChild(); part != nullptr; part = part->GetNext()) {
        if (part->GetName() != "form") continue;
        CheckWindows(form, *part);
        if (rules) CheckRule(form, *part);
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

  void CheckRule(const std::string& form, const XmlNode& top) {
    const XmlNode* rule = nullptr;
    for (const XmlNode* node = top.GetFirstChild(); node != nullptr; node = node->GetNext()) {
      if (node->GetName() == "text" && RecipeText(*node, "name") == "rule") rule = node;
    }
    const std::string id = rule != nullptr ? RecipeText(*rule, "text_id") : std::string();
    if (id.empty()) {
      m_faults.push_back(form + ": tells no rule (a \"text\" window \"rule\" with a \"text_id\")");
      return;
    }
    for (const auto& [language, texts] : m_sources.Languages()) {
      if (texts.count(id) == 0) m_faults.push_back(form + ": rule: \"" + id + "\" (" + language + ") is missing");
    }
  }

  void CheckBlock(const std::string& form, const XmlNode& node) {
    const std::string model = RecipeText(node, "model");
    const std::string full = model.find('\\') != std::string::npos ? model : form.substr(0, form.rfind('\\') + 1) + model;
    const std::string where = form + ": " + RecipeText(node, "name") + ": ";
    BlockSize box;
    if (!ReadModelBox(m_paths, full, box)) {
      if (!model.empty()) m_faults.push_back(where + "its model \"" + full + "\" is not built");
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
        const std::string fault = Fit(WithLineEnds(*text), *font, box, RecipeText(node, "border_fix") == "true");
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

  const ContentPaths& m_paths;
  const FitSources& m_sources;
  std::vector<std::string> m_faults;
};

}  // namespace

std::vector<std::string> CheckTextBlocks(const ContentPaths& paths, const FitSources& sources) {
  TextBlockCheck check(paths, sources);
  ForEachRecipe(paths.SourceFor("gui"), "resources", [&check](const XmlNode& list) { check.CheckList(list, false); });
  // The mini-games' lists as built: those the tool writes from code are among them.
  for (const std::string& file : RecipeFiles(paths.PathFor("data", "minigames"), ".resource")) {
    XmlDocument list;
    if (ReadSourceXml("text fit", file, "resources", list)) check.CheckList(list.GetRoot(), true);
  }
  return std::move(check.Faults());
}
