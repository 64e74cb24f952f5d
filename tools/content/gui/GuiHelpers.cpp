#include "tools/content/gui/GuiHelpers.h"

#include <cmath>

#include "source/model/ModelFileWriter.h"
#include "source/scene/SceneRecords.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/RecipeXml.h"
#include "tools/content/models/ModelShapes.h"

namespace {

struct HelperBox {
  std::string name;
  float x, y, width, height;
};

HelperBox ReadBox(const XmlNode& box) {
  HelperBox read{RecipeText(box, "name"), RecipeNumber(box, "x", 0), RecipeNumber(box, "y", 0),
                 RecipeNumber(box, "width", 0), RecipeNumber(box, "height", 0)};
  if (read.name.empty() || read.name.find_first_of("\\/") != std::string::npos) {
    throw RecipeError{"a helper box needs a plain name"};
  }
  // Its width is what the static fits its words into: a box of no width would take none.
  if (!(read.width > 0.0f && read.height > 0.0f) || !std::isfinite(read.x + read.y + read.width + read.height)) {
    throw RecipeError{"helper box \"" + read.name + "\": its width and height must be above 0"};
  }
  return read;
}

void WriteBox(const ContentPaths& paths, const std::string& full_name, const HelperBox& box) {
  const ModelFileData data = MakeQuad(box.x, box.y, box.width, box.height, 0.0f);
  std::string why;
  if (!IsWritableModel(data, &why)) throw RecipeError{"helper box \"" + box.name + "\" cannot be written: " + why};
  cMemoryStream bytes;
  WriteModelFile(data, bytes);
  WriteRecipeOutput(paths.PathFor("data", ResourcePath(full_name) + ".mlf"), bytes.GetData(), bytes.GetSize());
}

void AddRecord(XmlNode& resource, const char* section, const char* element, const std::string& name) {
  XmlNode* records = resource.FindChildByPath(section);
  if (records == nullptr) records = resource.CreateChildByPath(section);
  records->CreateChildByPath(element)->AddAttribute("name")->SetValue(name);
}

// The box is a model of the form with an empty shader of its own: it is never drawn, so the game
// looks for no shader resource of its name.
void AddModelRecord(XmlNode& resource, const std::string& name) {
  AddRecord(resource, "models", "model", name);
  AddRecord(resource, "shaders", "shader", name);
}

}  // namespace

bool MakeHelperBoxes(const ContentPaths& paths, XmlNode& resource, std::set<std::string>& taken, std::string& why) {
  XmlNode* helpers = resource.FindChildByPath("helpers");
  if (helpers == nullptr) return true;
  const std::string folder = ResourceFolder(RecipeText(resource, "name"));
  try {
    for (const XmlNode* element = helpers->GetFirstChild(); element != nullptr; element = element->GetNext()) {
      if (element->GetName() != "box") throw RecipeError{"<" + element->GetName() + "> is not a helper <box>"};
      const HelperBox box = ReadBox(*element);
      const std::string full_name = folder + box.name;
      if (!taken.insert(full_name).second) throw RecipeError{"helper box \"" + full_name + "\" is made twice"};
      WriteBox(paths, full_name, box);
      AddModelRecord(resource, box.name);
    }
  } catch (const RecipeError& error) {
    why = error.text;
    return false;
  }
  resource.RemoveChild(helpers);
  return true;
}
