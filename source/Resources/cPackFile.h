#pragma once
// The pack file: every resource of a group in one file. Layout (little-endian 32-bit integers,
// strings as a length and bytes):
//   "RDFZ" | table method (string) | P | packed table (P bytes) | N | N entries | data blocks
// The table unpacks to three string lists: method names (the empty name, index 0, is "stored"),
// type words and resource names. An entry is 20 bytes: offset of its block from the start of the
// file, the block's packed size, and indices into the types, the names and the methods.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "source/stream/cMemoryStream.h"

class cStream;
class cResource;

constexpr char kPackMagic[4] = {'R', 'D', 'F', 'Z'};
constexpr uint32_t kPackEntryBytes = 20;

struct cPackEntry {
  uint32_t offset = 0;
  uint32_t size = 0;
  uint32_t type = 0;
  uint32_t name = 0;
  uint32_t method = 0;
};

// The resource names of a pack, read in place from its unpacked table: a pack of many entries
// makes no string for each name.
class cPackNames {
 public:
  struct Span {
    uint32_t start;
    uint32_t length;
  };
  // Keeps `table`; each span lies inside it.
  void Assign(cMemoryStream table, std::vector<Span> spans);
  std::size_t size() const { return m_spans.size(); }
  bool empty() const { return m_spans.empty(); }
  std::string_view operator[](std::size_t index) const {
    const Span& span = m_spans[index];
    return {reinterpret_cast<const char*>(m_table.GetData()) + span.start, span.length};
  }

 private:
  cMemoryStream m_table;
  std::vector<Span> m_spans;
};

struct cPackDirectory {
  std::string table_method;
  std::vector<std::string> methods;
  std::vector<std::string> types;
  cPackNames names;
  std::vector<cPackEntry> entries;
};

// Reads the directory of a pack and checks all of it against the file: the magic, every count and
// length against the bytes left, every block inside the file after the entry table, every index
// inside its list, every entry's method known to the archiver. Nothing is allocated beyond what the
// file holds. False with `error` saying what is wrong.
bool ReadPackDirectory(cStream& file, cPackDirectory& directory, std::string& error);

// Writes a pack of the resources, in their order, into `destination` (cut to nothing first). Each
// resource's bytes come from its WriteData and are packed with the default method, or stored when
// the resource is not compressible. False with `error` when a resource cannot give its bytes or
// the destination does not take them.
bool WritePackFile(const std::vector<cResource*>& resources, cStream& destination,
                   std::string& error);
