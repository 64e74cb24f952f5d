#include "tools/content/gui/GuiChecks.h"

#include <set>

#include "gui/include/FormRecords.h"
#include "gui/include/GUIWidgetFactory.h"
#include "source/properties/Conversions.h"
#include "source/scene/SceneRecords.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlNode.h"

namespace {

bool CheckElements(const FormElement& element, const std::set<std::string>& models, std::string& why) {
  for (const FormElement& child : element.children) {
    if (GUIWidgetFactory::GetInstance()->Find(child.type) == nullptr) {
      return why = "element \"" + child.name + "\": no widget is called \"" + child.type + "\"", false;
    }
    for (const auto& [attribute, value] : child.attributes) {
      if (IsFormModelAttribute(attribute) && models.count(value) == 0) {
        return why = "element \"" + child.name + "\": " + attribute + " \"" + value + "\" is no model of the form", false;
      }
    }
    if (!CheckElements(child, models, why)) return false;
  }
  return true;
}

}  // namespace

std::string GetAttributeText(const XmlNode& node, const char* name) { return GetAttributeValue(&node, name, ""); }

bool CheckGuiResource(const XmlNode& element, const std::string& name, bool form, std::string& why) {
  const std::string folder = ResourceFolder(name);
  SceneRecords records;
  ReadSceneXml(element, folder, records);
  FormElement root;
  if (form) ReadFormXml(element, folder, root);
  cMemoryStream bytes;
  WriteSceneRecords(records, bytes);
  if (form) WriteFormElement(root, bytes);
  bytes.Seek(0, 0);
  SceneRecords read_records;
  FormElement read_root;
  std::string error;
  if (!ReadSceneRecords(bytes, read_records, error) || !(read_records == records) ||
      (form && (!ReadFormElement(bytes, read_root, error) || !(read_root == root)))) {
    return why = name + ": its binary form does not read back (" + error + ")", false;
  }
  std::set<std::string> models;
  for (const SceneModelDesc& model : records.models) models.insert(model.name);
  if (!CheckElements(root, models, why)) return why = name + ": " + why, false;
  return true;
}
