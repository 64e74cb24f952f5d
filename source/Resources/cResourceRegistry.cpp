#include "source/Resources/cResourceRegistry.h"

#include <algorithm>

#include "source/Resources/cResource.h"

void cResourceRegistry::Add(cResource* resource) {
  if (resource == nullptr) return;
  std::vector<cResource*>& holders = m_entries[resource->GetName()];
  // Registering again moves it to the front of the lookups, as a fresh registration would.
  holders.erase(std::remove(holders.begin(), holders.end(), resource), holders.end());
  holders.push_back(resource);
}

void cResourceRegistry::Remove(cResource* resource) {
  if (resource == nullptr) return;
  auto found = m_entries.find(resource->GetName());
  if (found == m_entries.end()) return;
  std::vector<cResource*>& holders = found->second;
  holders.erase(std::remove(holders.begin(), holders.end(), resource), holders.end());
  if (holders.empty()) m_entries.erase(found);
}

cResource* cResourceRegistry::Find(const std::string& name) const {
  auto found = m_entries.find(name);
  return found == m_entries.end() ? nullptr : found->second.back();
}

cResourceRegistry& AllResources() {
  static cResourceRegistry* registry = new cResourceRegistry();
  return *registry;
}
