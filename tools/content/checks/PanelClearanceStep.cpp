// Objects above the panel: the game panel lies over the foot of the screen in every place and
// close-up, so an object the player can point at (kind "i") must lie wholly above the panel's top
// edge, or the panel hides it and takes its clicks. The edge is read from the panel's form
// ("gui\game_panel\game_panel" in content/gui): the highest top of the form's windows, in GUI
// units (y up from the foot of the 768-pixel screen). Scenes that are no location (under="") are
// not checked: the inventory's items are drawn in the panel itself.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "source/xml/XmlNode.h"
#include "tools/content/ContentStep.h"
#include "tools/content/RecipeXml.h"

namespace {

constexpr const char* kPanelForm = "gui\\game_panel\\game_panel";
constexpr int kScreenHeight = 768;

// The top of the form's highest window in GUI units, or -1 when the form has no sized window.
int FormTop(const XmlNode& form) {
  int top = -1;
  for (const XmlNode* window = form.GetFirstChild(); window != nullptr; window = window->GetNext()) {
    const std::vector<float> size = RecipeNumbers(*window, "size");
    const std::vector<float> matrix = RecipeNumbers(*window, "matrix");
    if (size.size() < 2) continue;
    const float y = matrix.size() >= 12 ? matrix[10] : 0.0f;
    top = std::max(top, static_cast<int>(y + size[1] + 0.5f));
  }
  return top;
}

// The panel's top edge on the screen (pixels down from the top), or -1 without a panel form.
int PanelEdge(const ContentPaths& paths) {
  int edge = -1;
  ForEachRecipe(paths.SourceFor("gui"), "resources", [&edge](const XmlNode& list) {
    for (const XmlNode* resource = list.GetFirstChild(); resource != nullptr; resource = resource->GetNext()) {
      if (RecipeText(*resource, "name") != kPanelForm) continue;
      for (const XmlNode* form = resource->GetFirstChild(); form != nullptr; form = form->GetNext()) {
        if (form->GetName() != "form") continue;
        const int top = FormTop(*form);
        if (top >= 0) edge = kScreenHeight - top;
      }
    }
  });
  return edge;
}

bool CheckPanelClearance(const ContentPaths& paths) {
  const int edge = PanelEdge(paths);
  if (edge < 0) return true;  // a game without the panel's form has nothing to clear
  std::vector<std::string> faults;
  const bool read = ForEachRecipe(paths.SourceFor("levels"), "location", [&](const XmlNode& location) {
    if (location.FindAttribute("under") != nullptr) return;
    const std::string scene = RecipeText(location, "folder") + "\\" + RecipeText(location, "name");
    for (const XmlNode* object = location.GetFirstChild(); object != nullptr; object = object->GetNext()) {
      if (RecipeText(*object, "kind", "i") != "i") continue;
      const int foot = RecipeInteger(*object, "y", 0) + RecipeInteger(*object, "height", 0);
      if (foot <= edge) continue;
      faults.push_back(scene + ": object \"" + RecipeText(*object, "name") + "\" reaches down to y = " +
                       std::to_string(foot) + ", under the panel, which covers the screen from y = " +
                       std::to_string(edge));
    }
  });
  for (const std::string& fault : faults) std::fprintf(stderr, "velmaris-content: panel: %s\n", fault.c_str());
  return read && faults.empty();
}

}  // namespace

VELMARIS_CONTENT_STEP("panel clearance", 70, CheckPanelClearance);
