#include "source/Resources/cPackFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <unordered_map>

#include "source/Archiver/cArchiver.h"
#include "source/Resources/cResource.h"
#include "source/stream/Encoding.h"
#include "source/stream/cMemoryStream.h"
#include "source/stream/cSubStream.h"

namespace {

uint32_t GetWord(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
         uint32_t{bytes[3]} << 24;
}

void PutWord(uint8_t* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

bool Fail(std::string& error, const char* reason) {
  error = reason;
  return false;
}

// Room beyond one item per possible entry, for the method names (which need no entry).
constexpr uint32_t kSpareListItems = 16;

// Reads the string lists of an unpacked table in place: a count, then each string as a length and
// its bytes. Every count and length is checked against the bytes left before it is used.
class TableReader {
 public:
  TableReader(const uint8_t* bytes, uint32_t size) : m_bytes(bytes), m_size(size) {}

  // A list's count, at most `most`; every item takes at least its length word.
  bool Count(uint32_t most, uint32_t& count) {
    return Word(count) && count <= most && count <= Left() / 4;
  }
  bool String(cPackNames::Span& span) {
    if (!Word(span.length) || span.length > Left()) return false;
    span.start = m_position;
    m_position += span.length;
    return true;
  }
  std::string Text(const cPackNames::Span& span) const {
    return std::string(reinterpret_cast<const char*>(m_bytes) + span.start, span.length);
  }

 private:
  uint32_t Left() const { return m_size - m_position; }
  bool Word(uint32_t& value) {
    if (Left() < 4) return false;
    value = GetWord(m_bytes + m_position);
    m_position += 4;
    return true;
  }

  const uint8_t* m_bytes;
  uint32_t m_size;
  uint32_t m_position = 0;
};

// A short list (methods, types): a string for each item.
bool ReadList(TableReader& reader, uint32_t most, std::vector<std::string>& list) {
  uint32_t count = 0;
  if (!reader.Count(most, count)) return false;
  list.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    cPackNames::Span span{};
    if (!reader.String(span)) return false;
    list.push_back(reader.Text(span));
  }
  return true;
}

// The names: spans into the table, which the list then keeps.
bool ReadNames(TableReader& reader, uint32_t most, cMemoryStream& table, cPackNames& names) {
  uint32_t count = 0;
  if (!reader.Count(most, count)) return false;
  std::vector<cPackNames::Span> spans(count);
  for (cPackNames::Span& span : spans) {
    if (!reader.String(span)) return false;
  }
  names.Assign(std::move(table), std::move(spans));
  return true;
}

bool ReadTable(cStream& view, cPackDirectory& directory, std::string& error) {
  uint32_t packed_size = 0;
  if (!ReadString(view, directory.table_method)) return Fail(error, "table method cut short");
  if (!ReadUInt32(view, packed_size) || packed_size > RemainingBytes(view)) {
    return Fail(error, "table cut short");
  }
  if (packed_size > static_cast<uint32_t>(std::numeric_limits<int32_t>::max())) {
    return Fail(error, "table too large");
  }
  cArchiver* archiver = cArchiver::GetInstance();
  cSubStream packed(view, view.Tell(), packed_size);
  cMemoryStream table;
  // An unknown method is reported by the archiver itself ("archiver method not found ").
  if (!archiver->Unpack(directory.table_method, packed, table)) {
    const bool known = directory.table_method.empty() || archiver->HasMethod(directory.table_method);
    return Fail(error, known ? "table cannot be unpacked" : "unknown table method");
  }
  view.Seek(static_cast<int32_t>(packed_size), 1);
  // Every type word and resource name belongs to at least one 20-byte entry of the file, so no
  // honest list is longer than the file has room for entries; a longer claim is refused before
  // anything is made for each of its items.
  const uint32_t most = view.GetSize() / kPackEntryBytes + kSpareListItems;
  TableReader reader(table.GetData(), table.GetSize());
  if (!ReadList(reader, most, directory.methods) || !ReadList(reader, most, directory.types) ||
      !ReadNames(reader, most, table, directory.names)) {
    return Fail(error, "table damaged");
  }
  return true;
}

bool CheckEntry(const cPackEntry& entry, const cPackDirectory& directory, uint64_t data_start,
                uint64_t file_size, std::string& error) {
  if (entry.offset < data_start || uint64_t{entry.offset} + entry.size > file_size) {
    return Fail(error, "entry outside the file");
  }
  if (entry.type >= directory.types.size() || entry.name >= directory.names.size() ||
      entry.method >= directory.methods.size()) {
    return Fail(error, "entry index outside its list");
  }
  const std::string& method = directory.methods[entry.method];
  if (!method.empty() && !cArchiver::GetInstance()->HasMethod(method)) {
    return Fail(error, "entry packed with an unknown method");
  }
  return true;
}

bool ReadEntries(cStream& view, cPackDirectory& directory, std::string& error) {
  uint32_t count = 0;
  if (!ReadUInt32(view, count) || count > RemainingBytes(view) / kPackEntryBytes) {
    return Fail(error, "entry table cut short");
  }
  // The table is read in one go straight into the entries, each then turned from its file order
  // in place: no second copy of it is made.
  static_assert(sizeof(cPackEntry) == kPackEntryBytes, "an entry is its five words");
  try {
    directory.entries.resize(count);
  } catch (const std::bad_alloc&) {
    return Fail(error, "entry table too large");
  }
  auto* raw = reinterpret_cast<uint8_t*>(directory.entries.data());
  const uint32_t table_bytes = count * kPackEntryBytes;
  if (table_bytes > 0 && view.Read(raw, table_bytes) != table_bytes) {
    return Fail(error, "entry table cut short");
  }
  const uint64_t data_start = view.Tell();
  const uint64_t file_size = view.GetSize();
  for (cPackEntry& entry : directory.entries) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&entry);
    entry = {GetWord(bytes), GetWord(bytes + 4), GetWord(bytes + 8), GetWord(bytes + 12),
             GetWord(bytes + 16)};
    if (!CheckEntry(entry, directory, data_start, file_size, error)) return false;
  }
  return true;
}

// Position of `word` in `list`, appending it when new.
uint32_t IndexOf(std::vector<std::string>& list, const std::string& word) {
  auto found = std::find(list.begin(), list.end(), word);
  if (found != list.end()) return static_cast<uint32_t>(found - list.begin());
  list.push_back(word);
  return static_cast<uint32_t>(list.size() - 1);
}

// IndexOf for the long lists (a name a resource): found through a map, so a group of many
// resources is written in linear time.
class ListIndex {
 public:
  explicit ListIndex(std::vector<std::string>& list) : m_list(list) {}
  uint32_t Of(const std::string& word) {
    const auto [at, added] = m_positions.emplace(word, static_cast<uint32_t>(m_list.size()));
    if (added) m_list.push_back(word);
    return at->second;
  }

 private:
  std::vector<std::string>& m_list;
  std::unordered_map<std::string, uint32_t> m_positions;
};

bool WriteAll(cStream& stream, const void* bytes, uint32_t size) {
  return size == 0 || stream.Write(bytes, size) == size;
}

bool WriteTable(cStream& destination, const cPackDirectory& directory,
                const std::vector<std::string>& names) {
  cMemoryStream table;
  if (!WriteStringVector(directory.methods, table) || !WriteStringVector(directory.types, table) ||
      !WriteStringVector(names, table)) {
    return false;
  }
  cMemoryStream packed;
  std::string method;
  if (!cArchiver::GetInstance()->Pack(cArchiver::kPackDefault, table, packed, method)) return false;
  return WriteString(destination, method) && WriteUInt32(destination, packed.GetSize()) &&
         destination.CopyFrom(packed, cStream::kWholeStream) == packed.GetSize();
}

bool WriteEntryTable(cStream& destination, const std::vector<cPackEntry>& entries) {
  const uint32_t count = static_cast<uint32_t>(entries.size());
  std::vector<uint8_t> raw(std::size_t{count} * kPackEntryBytes);
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t* bytes = raw.data() + std::size_t{i} * kPackEntryBytes;
    const cPackEntry& entry = entries[i];
    PutWord(bytes, entry.offset);
    PutWord(bytes + 4, entry.size);
    PutWord(bytes + 8, entry.type);
    PutWord(bytes + 12, entry.name);
    PutWord(bytes + 16, entry.method);
  }
  return WriteUInt32(destination, count) &&
         WriteAll(destination, raw.data(), static_cast<uint32_t>(raw.size()));
}

// Packs one resource's bytes and appends them; fills the entry's offset, size and method.
bool WriteBlock(cResource& resource, cStream& destination, cPackDirectory& directory,
                cPackEntry& entry, std::string& error) {
  cMemoryStream raw;
  if (!resource.WriteData(raw)) {
    error = std::string("cannot read resource ") + resource.GetTypeName() + " " + resource.GetName();
    return false;
  }
  cMemoryStream packed;
  std::string method;
  const int mode = resource.IsCompressible() ? cArchiver::kPackDefault : cArchiver::kPackStored;
  if (!cArchiver::GetInstance()->Pack(mode, raw, packed, method)) return Fail(error, "out of memory");
  const uint32_t offset = destination.Tell();
  if (uint64_t{offset} + packed.GetSize() > std::numeric_limits<uint32_t>::max()) {
    return Fail(error, "pack larger than 4 GiB");
  }
  entry.offset = offset;
  entry.size = packed.GetSize();
  entry.method = IndexOf(directory.methods, method);
  if (destination.CopyFrom(packed, cStream::kWholeStream) != packed.GetSize()) {
    return Fail(error, "write failed");
  }
  return true;
}

}  // namespace

void cPackNames::Assign(cMemoryStream table, std::vector<Span> spans) {
  m_table = std::move(table);
  m_spans = std::move(spans);
}

bool ReadPackDirectory(cStream& file, cPackDirectory& directory, std::string& error) {
  directory = cPackDirectory();
  // A view of our own: the file's position is nobody's business but its readers'.
  cSubStream view(file, 0, file.GetSize());
  char magic[sizeof kPackMagic] = {};
  if (view.Read(magic, sizeof magic) != sizeof magic ||
      std::memcmp(magic, kPackMagic, sizeof magic) != 0) {
    return Fail(error, "not a pack file");
  }
  return ReadTable(view, directory, error) && ReadEntries(view, directory, error);
}

bool WritePackFile(const std::vector<cResource*>& resources, cStream& destination,
                   std::string& error) {
  destination.Resize(0);
  destination.Seek(0, 0);
  cPackDirectory directory;
  cArchiver::GetInstance()->GetMethodNames(directory.methods);
  directory.entries.resize(resources.size());
  std::vector<std::string> names;
  ListIndex name_index(names);
  ListIndex types(directory.types);
  for (std::size_t i = 0; i < resources.size(); ++i) {
    directory.entries[i].name = name_index.Of(resources[i]->GetName());
    directory.entries[i].type = types.Of(resources[i]->GetTypeName());
  }
  if (!WriteAll(destination, kPackMagic, sizeof kPackMagic) ||
      !WriteTable(destination, directory, names)) {
    return Fail(error, "write failed");
  }
  const uint32_t entry_table = destination.Tell();
  if (!WriteEntryTable(destination, directory.entries)) return Fail(error, "write failed");
  for (std::size_t i = 0; i < resources.size(); ++i) {
    if (!WriteBlock(*resources[i], destination, directory, directory.entries[i], error)) return false;
  }
  if (destination.Seek(static_cast<int32_t>(entry_table), 0) != entry_table ||
      !WriteEntryTable(destination, directory.entries)) {
    return Fail(error, "write failed");
  }
  destination.Seek(0, 2);
  return true;
}
