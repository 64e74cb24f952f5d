#include "source/Resources/cPackIndex.h"

#include <functional>
#include <string>

namespace {

std::size_t HashOf(std::string_view name) { return std::hash<std::string_view>()(name); }

}  // namespace

cPackIndex::cPackIndex(cPackDirectory directory, const CountedPtr<cStream>& file)
    : m_directory(std::move(directory)), m_file(file) {
  cResourceManager* manager = cResourceManager::GetInstance();
  m_creators.reserve(m_directory.types.size());
  for (const std::string& type : m_directory.types) m_creators.push_back(manager->GetCreator(type));
  // At most half full: a miss (a name of another group) ends after a probe or two.
  std::size_t size = 16;
  while (size < GetCount() * 2) size *= 2;
  m_slots.assign(size, 0);
  const std::size_t mask = size - 1;
  for (std::size_t entry = 0; entry < GetCount(); ++entry) {
    std::size_t slot = HashOf(GetName(entry)) & mask;
    while (m_slots[slot] != 0) slot = (slot + 1) & mask;
    m_slots[slot] = static_cast<uint32_t>(entry + 1);
  }
}

cResource* cPackIndex::Make(std::size_t index) const {
  const cPackEntry& entry = m_directory.entries[index];
  return m_creators[entry.type](
      std::string(GetName(index)),
      cResourceSource::FromPackRange(m_file, entry.offset, entry.size, m_directory.methods[entry.method]));
}

void cPackIndex::FindAll(std::string_view name, std::vector<uint32_t>& found) const {
  const std::size_t mask = m_slots.size() - 1;
  // Entries of one name sit in their run in the order they were entered, which is pack order.
  for (std::size_t slot = HashOf(name) & mask; m_slots[slot] != 0; slot = (slot + 1) & mask) {
    if (GetName(m_slots[slot] - 1) == name) found.push_back(m_slots[slot] - 1);
  }
}
