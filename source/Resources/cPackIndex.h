#pragma once
// The entries of a mounted pack, kept as the pack's own directory with a flat table from name to
// entry: a resource object is made for an entry only when something asks for it, so a pack of a
// hundred thousand entries mounts without one for each.

#include <cstdint>
#include <string_view>
#include <vector>

#include "source/Resources/cPackFile.h"
#include "source/Resources/cResourceManager.h"

class cPackIndex {
 public:
  cPackIndex(cPackDirectory directory, const CountedPtr<cStream>& file);

  std::size_t GetCount() const { return m_directory.entries.size(); }
  std::string_view GetName(std::size_t entry) const {
    return m_directory.names[m_directory.entries[entry].name];
  }
  // A new resource for the entry (null when its type's creator makes none).
  cResource* Make(std::size_t entry) const;
  // The entries named `name`, in pack order, appended to `found`.
  void FindAll(std::string_view name, std::vector<uint32_t>& found) const;

 private:
  cPackDirectory m_directory;
  CountedPtr<cStream> m_file;
  std::vector<cResourceCreator> m_creators;  // by type index
  std::vector<uint32_t> m_slots;  // entry + 1 by name hash, linear probing; 0 is free
};
