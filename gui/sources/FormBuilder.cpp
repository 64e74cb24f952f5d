#include "gui/include/FormBuilder.h"

#include <utility>
#include <vector>

#include "gui/include/GUIWidgetFactory.h"
#include "gui/include/GUIWindow.h"
#include "gui/include/cFormResource.h"
#include "source/properties/PropertyMap.h"

namespace {

// Applied first: a value set before its limits would be cut by the old ones.
constexpr const char* kFirstAttributes[] = {"min", "max"};

bool IsFirstAttribute(const std::string& name) {
  for (const char* first : kFirstAttributes) {
    if (name == first) return true;
  }
  return false;
}

void ApplyAttributes(GUIWindow& widget, const std::map<std::string, std::string>& attributes) {
  PropertyMap& properties = widget.GetProperties();
  for (const char* first : kFirstAttributes) {
    auto found = attributes.find(first);
    if (found != attributes.end()) SetPropertyValue(properties, found->first, found->second);
  }
  for (const auto& [name, value] : attributes) {
    if (!IsFirstAttribute(name)) SetPropertyValue(properties, name, value);
  }
}

}  // namespace

void BuildFormLevel(GUIWindow& parent, const FormElement& elements) {
  GUIWidgetFactory* factory = GUIWidgetFactory::GetInstance();
  std::vector<std::pair<GUIWindow*, const FormElement*>> made;
  made.reserve(elements.children.size());
  for (const FormElement& element : elements.children) {
    GUIWindow* widget = factory->Create(element.type, element.name, &parent);
    made.emplace_back(widget, &element);
    if (widget != nullptr) BuildFormLevel(*widget, element);
  }
  for (auto it = made.rbegin(); it != made.rend(); ++it) {
    if (it->first != nullptr) ApplyAttributes(*it->first, it->second->attributes);
  }
}

void BuildWindowFromForm(const cFormResource& form, GUIWindow& window) { BuildFormLevel(window, form.GetRoot()); }
