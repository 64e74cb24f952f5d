#pragma once
// A registry from resource name to resource (exact, case-sensitive). It does not own its
// resources. One name may be registered by several resources (the same name in two groups, or two
// types in the registry of all resources): lookups give the newest, and taking one resource out
// leaves the others registered.

#include <cstddef>
#include <map>
#include <string>
#include <vector>

class cResource;

class cResourceRegistry {
 public:
  void Add(cResource* resource);
  void Remove(cResource* resource);
  cResource* Find(const std::string& name) const;
  bool IsEmpty() const { return m_entries.empty(); }
  std::size_t GetCount() const { return m_entries.size(); }  // distinct names

 private:
  std::map<std::string, std::vector<cResource*>, std::less<>> m_entries;  // newest last
};

// Enter a resource under its name into a registry, and take it out again (nothing when it is not
// there). A type's Register and Unregister use both its own registry and the registry of all.
inline void RegisterResourceByName(cResourceRegistry& registry, cResource* resource) {
  registry.Add(resource);
}
inline void UnregisterResourceByName(cResourceRegistry& registry, cResource* resource) {
  registry.Remove(resource);
}

// The registry of all resources. It outlives every singleton, so a resource pointer released
// after the resource manager has gone finds it empty instead of freed.
cResourceRegistry& AllResources();

// The registry of one resource class, made on first use and likewise never freed.
template <class T>
cResourceRegistry& RegistryOf() {
  static cResourceRegistry* registry = new cResourceRegistry();
  return *registry;
}
