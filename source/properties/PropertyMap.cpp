#include "source/properties/PropertyMap.h"

#include <algorithm>

void SetPropertyValue(PropertyMap& map, const std::string& name, const std::string& text) {
  PropertyPtr& slot = map[name];
  if (!slot) slot.Reset(new cStringProperty());
  // Held by a copy: a setter may change the map while it runs.
  const PropertyPtr held = slot;
  held->SetFromString(text);
}

std::string GetPropertyValue(const PropertyMap& map, const std::string& name) {
  const auto it = map.find(name);
  if (it == map.end() || !it->second) return std::string();
  return it->second->GetAsString();
}

void SetPropertyBinding(PropertyMap& map, const std::string& name, const PropertyPtr& value) {
  PropertyPtr& slot = map[name];
  if (!slot) {
    slot = value;
    return;
  }
  const std::string text = slot->GetAsString();
  slot = value;
  if (!slot) slot.Reset(new cStringProperty());
  const PropertyPtr held = slot;
  held->SetFromString(text);
}

bool AppendUniqueName(std::vector<std::string>& list, const std::string& name) {
  if (std::find(list.begin(), list.end(), name) != list.end()) return false;
  list.push_back(name);
  return true;
}
