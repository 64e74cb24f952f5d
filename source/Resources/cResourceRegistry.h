#pragma once
// A registry from resource name to resource (exact, case-sensitive). It does not own its
// resources. One name may be registered by several resources (the same name in two groups, or two
// types in the registry of all resources): lookups give the newest, and taking one resource out
// leaves the others registered.
//
// Groups of a hundred thousand resources are registered at start-up, so the names sit in one flat
// table (open addressing, linear probing) keyed by the newest holder's own name: registering a
// resource allocates nothing but the table's occasional growth. A resource's name must not change
// while it is registered.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class cResource;

class cResourceRegistry {
 public:
  void Add(cResource* resource);
  void Remove(cResource* resource);
  // The newest resource of that name. When none is registered, the packs that make their
  // resources on demand are asked to make theirs of that name first.
  cResource* Find(std::string_view name) const;
  // The same among the resources registered already: no pack is asked.
  cResource* FindRegistered(std::string_view name) const;
  // Room for `names` distinct names without growing again.
  void Reserve(std::size_t names);
  bool IsEmpty() const { return m_count == 0; }
  std::size_t GetCount() const { return m_count; }  // distinct names

 private:
  static constexpr uint32_t kNoOlder = UINT32_MAX;
  struct Slot {
    cResource* newest = nullptr;  // null: the slot is free
    uint32_t hash = 0;
    uint32_t older = kNoOlder;  // index into m_older, for a name with more than one holder
  };

  // The slot holding `name`, or the free slot where it would go.
  std::size_t Locate(std::string_view name, uint32_t hash) const;
  void Rehash(std::size_t slots);
  static bool IsCrowded(std::size_t names, std::size_t slots) { return names * 8 > slots * 7; }
  // Empties the slot, moving later slots of the same run back so that no probe stops short.
  void Erase(std::size_t index);
  void DropOlder(Slot& slot);

  std::vector<Slot> m_slots;  // a power of two in size, at most seven eighths used
  std::size_t m_count = 0;
  // The earlier holders of a name, oldest first; free lists are kept for reuse.
  std::vector<std::vector<cResource*>> m_older;
  std::vector<uint32_t> m_free_older;
};

// Asked by every registry for a name none of its resources has: makes and registers the resources
// of that name that are still to be made, and answers whether it made any.
using cRegistryMissHandler = bool (*)(std::string_view name);
void SetRegistryMissHandler(cRegistryMissHandler handler);

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
