#include "source/Resources/cResourceRegistry.h"

#include <algorithm>
#include <functional>

#include "source/Resources/cResource.h"

namespace {

constexpr std::size_t kFirstSlots = 64;

cRegistryMissHandler g_miss_handler = nullptr;

uint32_t HashOf(std::string_view name) {
  const std::size_t hash = std::hash<std::string_view>()(name);
  return static_cast<uint32_t>(hash ^ (hash >> 32));
}

void EraseFrom(std::vector<cResource*>& list, cResource* resource) {
  list.erase(std::remove(list.begin(), list.end(), resource), list.end());
}

}  // namespace

std::size_t cResourceRegistry::Locate(std::string_view name, uint32_t hash) const {
  const std::size_t mask = m_slots.size() - 1;
  for (std::size_t index = hash & mask;; index = (index + 1) & mask) {
    const Slot& slot = m_slots[index];
    if (slot.newest == nullptr || (slot.hash == hash && slot.newest->GetName() == name)) return index;
  }
}

void cResourceRegistry::Reserve(std::size_t names) {
  std::size_t slots = std::max(kFirstSlots, m_slots.size());
  while (IsCrowded(names, slots)) slots *= 2;
  if (slots != m_slots.size()) Rehash(slots);
}

void cResourceRegistry::Rehash(std::size_t slots) {
  std::vector<Slot> old(slots);
  old.swap(m_slots);
  const std::size_t mask = m_slots.size() - 1;
  for (const Slot& slot : old) {
    if (slot.newest == nullptr) continue;
    std::size_t index = slot.hash & mask;
    while (m_slots[index].newest != nullptr) index = (index + 1) & mask;
    m_slots[index] = slot;
  }
}

void cResourceRegistry::Add(cResource* resource) {
  if (resource == nullptr) return;
  if (m_slots.empty() || IsCrowded(m_count + 1, m_slots.size())) Reserve(m_count + 1);
  const uint32_t hash = HashOf(resource->GetName());
  Slot& slot = m_slots[Locate(resource->GetName(), hash)];
  if (slot.newest == nullptr) {
    slot = Slot{resource, hash, kNoOlder};
    ++m_count;
    return;
  }
  // Holders rank by their registration place; a resource registered again, or one whose place
  // ties with others, comes before those of its place.
  const uint64_t place = resource->GetRegistrationPlace();
  if (slot.older == kNoOlder) {
    if (slot.newest == resource) return;
    if (m_free_older.empty()) {
      slot.older = static_cast<uint32_t>(m_older.size());
      m_older.emplace_back();
    } else {
      slot.older = m_free_older.back();
      m_free_older.pop_back();
    }
  }
  std::vector<cResource*>& older = m_older[slot.older];
  EraseFrom(older, resource);
  if (slot.newest != resource && place < slot.newest->GetRegistrationPlace()) {
    const auto at = std::upper_bound(older.begin(), older.end(), place, [](uint64_t p, const cResource* r) {
      return p < r->GetRegistrationPlace();
    });
    older.insert(at, resource);
    return;
  }
  if (slot.newest != resource) older.push_back(slot.newest);
  slot.newest = resource;
  if (older.empty()) DropOlder(slot);
}

void cResourceRegistry::Remove(cResource* resource) {
  if (resource == nullptr || m_slots.empty()) return;
  const std::size_t index = Locate(resource->GetName(), HashOf(resource->GetName()));
  Slot& slot = m_slots[index];
  if (slot.newest == nullptr) return;
  if (slot.older == kNoOlder) {
    if (slot.newest == resource) Erase(index);
    return;
  }
  std::vector<cResource*>& older = m_older[slot.older];
  if (slot.newest == resource) {
    slot.newest = older.back();
    older.pop_back();
  } else {
    EraseFrom(older, resource);
  }
  if (older.empty()) DropOlder(slot);
}

void cResourceRegistry::DropOlder(Slot& slot) {
  m_older[slot.older].shrink_to_fit();
  m_free_older.push_back(slot.older);
  slot.older = kNoOlder;
}

void cResourceRegistry::Erase(std::size_t index) {
  const std::size_t mask = m_slots.size() - 1;
  std::size_t hole = index;
  for (std::size_t next = (hole + 1) & mask; m_slots[next].newest != nullptr; next = (next + 1) & mask) {
    // A slot may fill the hole when its home lies cyclically outside (hole, next].
    const std::size_t home = m_slots[next].hash & mask;
    const bool stays = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
    if (stays) continue;
    m_slots[hole] = m_slots[next];
    hole = next;
  }
  m_slots[hole] = Slot();
  --m_count;
}

cResource* cResourceRegistry::FindRegistered(std::string_view name) const {
  if (m_slots.empty()) return nullptr;
  return m_slots[Locate(name, HashOf(name))].newest;
}

cResource* cResourceRegistry::Find(std::string_view name) const {
  cResource* found = FindRegistered(name);
  if (found != nullptr || g_miss_handler == nullptr || !g_miss_handler(name)) return found;
  return FindRegistered(name);
}

void SetRegistryMissHandler(cRegistryMissHandler handler) { g_miss_handler = handler; }

cResourceRegistry& AllResources() {
  static cResourceRegistry* registry = new cResourceRegistry();
  return *registry;
}
