// The mini-games' forms: every resource list in content/minigames (XML, root <resources>, each
// <resource name=".." type="form"> one game's form) is checked as the GUI's forms are (it reads
// back, its widgets exist, the models it names are its own), and further as a mini-game: its
// pieces are direct children of the game with distinct names, and no two models of one folder
// share a name. Each list is written into "data" as "minigames\<file>.resource".

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "gui/include/cFormResource.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/ContentXml.h"
#include "tools/content/gui/GuiChecks.h"

namespace {

constexpr const char* kStep = "minigames";

bool Fail(const std::string& file, const std::string& why) {
  std::fprintf(stderr, "%s: %s: %s\n", kStep, file.c_str(), why.c_str());
  return false;
}

const XmlNode* FindElement(const XmlNode& parent, const std::string& name) {
  for (const XmlNode* child = parent.GetFirstChild(); child != nullptr; child = child->GetNext()) {
    if (child->GetName() == name) return child;
  }
  return nullptr;
}

// The pieces are the form's top elements: a game finds them by name among its direct children.
bool CheckPieces(const XmlNode& resource, const std::string& name, std::string& why) {
  const XmlNode* form = FindElement(resource, "form");
  if (form == nullptr) return why = name + ": no <form>", false;
  std::set<std::string> pieces;
  for (const XmlNode* piece = form->GetFirstChild(); piece != nullptr; piece = piece->GetNext()) {
    const std::string piece_name = GetAttributeText(*piece, "name");
    if (piece_name.empty()) return why = name + ": a piece without a name", false;
    if (!pieces.insert(piece_name).second) return why = name + ": two pieces are called \"" + piece_name + "\"", false;
  }
  return true;
}

bool MakeList(const ContentPaths& paths, const std::filesystem::path& source,
              std::map<std::string, std::string>& model_owners) {
  const std::string file = source.filename().string();
  XmlDocument list;
  if (!ReadSourceXml(kStep, source.string(), "resources", list)) return false;
  for (const XmlNode* element = list.GetRoot().GetFirstChild(); element != nullptr; element = element->GetNext()) {
    const std::string name = GetAttributeText(*element, "name");
    std::string why;
    if (element->GetName() != "resource" || GetAttributeText(*element, "type") != cFormResource::kTypeName) {
      return Fail(file, "every element must be a <resource> of type \"form\"");
    }
    if (name.empty()) return Fail(file, "a form without a name");
    if (!CheckGuiResource(*element, name, true, why) || !CheckPieces(*element, name, why)) return Fail(file, why);
    // The GUI keeps the models of every form by their full names: one folder, one model a name.
    if (const XmlNode* models = FindElement(*element, "models")) {
      const std::string folder = name.substr(0, name.rfind('\\') + 1);
      for (const XmlNode* model = models->GetFirstChild(); model != nullptr; model = model->GetNext()) {
        const std::string full = folder + GetAttributeText(*model, "name");
        const auto [held, added] = model_owners.emplace(full, name);
        if (!added && held->second != name) return Fail(file, "the model " + full + " belongs to " + held->second);
      }
    }
  }
  cMemoryStream bytes;
  return list.SaveXmlDocument(bytes) &&
         WriteBuiltFile(kStep, paths.PathFor("data", "minigames/" + source.stem().string() + ".resource"), bytes);
}

bool MakeMiniGames(const ContentPaths& paths) {
  const std::filesystem::path folder = paths.SourceFor(kStep);
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return true;
  std::vector<std::filesystem::path> sources;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".xml") sources.push_back(entry.path());
  }
  std::sort(sources.begin(), sources.end());
  std::map<std::string, std::string> model_owners;
  for (const auto& source : sources) {
    if (!MakeList(paths, source, model_owners)) return false;
  }
  return true;
}

}  // namespace

VELMARIS_CONTENT_STEP("minigames", 62, MakeMiniGames);
