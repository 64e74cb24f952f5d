// The GUI's forms and scenes: every resource list in content/gui (XML, root <resources>, one
// <resource name=".." type="form|scene"> a form or scene) is read through the engine's own
// readers, checked (its binary form reads back to the same records, every widget's type is one
// the GUI makes, every model a widget names is a model of the form) and written into "data" as a
// resource list beside the art it names. The helper boxes a resource lists become models first.

#include <cstdio>
#include <set>
#include <string>

#include "gui/include/GUIWidgetFactory.h"
#include "gui/include/cFormResource.h"
#include "platform/os/os.h"
#include "source/stream/cFileStream.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "tools/content/ContentStep.h"
#include "tools/content/gui/GuiChecks.h"
#include "tools/content/gui/GuiHelpers.h"

namespace {

bool Fail(const std::string& file, const std::string& why) {
  std::fprintf(stderr, "velmaris-content: %s: %s\n", file.c_str(), why.c_str());
  return false;
}

bool CheckResource(const XmlNode& element, std::string& why) {
  const std::string name = GetAttributeText(element, "name");
  const std::string type = GetAttributeText(element, "type");
  if (name.empty()) return why = "a resource without a name", false;
  if (type != cFormResource::kTypeName && type != cSceneResource::kTypeName) {
    return why = name + ": type \"" + type + "\" is not a form or a scene", false;
  }
  return CheckGuiResource(element, name, type == cFormResource::kTypeName, why);
}

bool MakeList(const ContentPaths& paths, const std::string& file) {
  cFileStream source(paths.SourceFor("gui/" + file), os::kOpenExisting, os::kAccessRead, os::kShareRead);
  XmlDocument list;
  if (!source.IsOpen() || !list.Load(source) || list.GetRoot().GetName() != "resources") {
    return Fail(file, "not a <resources> list");
  }
  std::set<std::string> helpers;
  for (XmlNode* element = list.GetRoot().GetFirstChild(); element != nullptr; element = element->GetNext()) {
    std::string why;
    if (element->GetName() != "resource") return Fail(file, "<" + element->GetName() + "> is not a <resource>");
    if (!MakeHelperBoxes(paths, *element, helpers, why) || !CheckResource(*element, why)) return Fail(file, why);
  }
  const std::string base = file.substr(0, file.rfind('.'));
  cMemoryStream bytes;
  list.SaveXmlDocument(bytes);
  cFileStream target(paths.PathFor("data", "gui/" + base + ".resource"), os::kCreateAlways, os::kAccessWrite,
                     os::kShareRead);
  if (!target.IsOpen() || target.Write(bytes.GetData(), bytes.GetSize()) != bytes.GetSize()) {
    return Fail(file, "could not be written");
  }
  return true;
}

bool MakeGui(const ContentPaths& paths) {
  std::vector<std::string> folders, files;
  if (!os::ListDirectory(paths.SourceFor("gui"), folders, files)) return true;  // no GUI sources yet
  std::set<std::string> sorted(files.begin(), files.end());
  for (const std::string& file : sorted) {
    if (file.size() > 4 && file.compare(file.size() - 4, 4, ".xml") == 0 && !MakeList(paths, file)) return false;
  }
  return true;
}

}  // namespace

VELMARIS_CONTENT_STEP("gui", 60, MakeGui);
