// The phrases of the adventure: "levels\text\hint_types" (how each kind of speaker's window looks
// and where it stands) from content/phrases/hint_types.xml, and each language's locations file
// "levels\text\<language>\locations" (phrase lists, tooltips, item names) from
// content/phrases/<language>/locations.xml. Every phrase must name a hint type of the file, so
// that no line of the game is left without a window to show it.

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/os/os.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/ContentXml.h"

namespace {

constexpr const char* kStep = "phrases";

std::string Attribute(const XmlNode& node, const char* name) {
  const XmlNode* attribute = node.FindAttribute(name);
  return attribute != nullptr ? attribute->GetValue() : std::string();
}

// Every "hint" line below `element` names a known type.
bool CheckTypes(const XmlNode& element, const std::set<std::string>& types, const std::string& file) {
  for (const XmlNode* child = element.GetFirstChild(); child != nullptr; child = child->GetNext()) {
    if (child->GetName() == "hint") {
      for (const XmlNode* line = child->GetFirstChild(); line != nullptr; line = line->GetNext()) {
        if (types.count(Attribute(*line, "type")) == 0) {
          std::fprintf(stderr, "velmaris-content: %s: %s: hint %s: unknown type \"%s\"\n", kStep, file.c_str(),
                       Attribute(*child, "name").c_str(), Attribute(*line, "type").c_str());
          return false;
        }
      }
    } else if (child->GetName() == "location" && !CheckTypes(*child, types, file)) {
      return false;
    }
  }
  return true;
}

bool Copy(const ContentPaths& paths, XmlDocument& document, const std::string& group, const std::string& relative) {
  cMemoryStream bytes;
  document.SaveXmlDocument(bytes);
  return WriteBuiltFile(kStep, paths.PathFor(group, relative), bytes);
}

bool MakePhrases(const ContentPaths& paths) {
  const std::string types_file = paths.SourceFor("phrases/hint_types.xml");
  if (!os::FileExists(types_file)) return true;  // a game without speech
  XmlDocument types;
  if (!ReadSourceXml(kStep, types_file, "hint_types", types)) return false;
  std::set<std::string> names;
  for (const XmlNode* type = types.GetRoot().GetFirstChild(); type != nullptr; type = type->GetNext()) {
    names.insert(Attribute(*type, "name"));
  }
  if (!Copy(paths, types, "data", "levels/text/hint_types.xml")) return false;
  std::vector<std::string> folders, files;
  if (!os::ListDirectory(paths.SourceFor("phrases"), folders, files)) return false;
  for (const std::string& language : std::set<std::string>(folders.begin(), folders.end())) {
    const std::string file = paths.SourceFor("phrases/" + language + "/locations.xml");
    XmlDocument locations;
    if (!ReadSourceXml(kStep, file, "locations", locations) || !CheckTypes(locations.GetRoot(), names, file) ||
        !Copy(paths, locations, "localization", "levels/text/" + language + "/locations.xml")) {
      return false;
    }
  }
  return true;
}

}  // namespace

VELMARIS_CONTENT_STEP("phrases", 65, MakePhrases);
