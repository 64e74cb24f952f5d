#pragma once
// Where a resource's bytes come from: a file of a folder group (by path), or an entry of a pack
// file (a byte range of the counted pack file, or a counted stream of its own, and the archiver
// method that packed it). Copies share the streams.

#include <cstdint>
#include <string>

#include "source/core/CountedPtr.h"
#include "source/stream/cStream.h"

class cMemoryStream;

class cResourceSource {
 public:
  cResourceSource() = default;  // no data at all (resources declared in a resource list)
  cResourceSource(CountedPtr<cStream> stream, std::string path, std::string method);

  static cResourceSource FromFile(std::string path);
  static cResourceSource FromPackEntry(CountedPtr<cStream> entry, std::string method);
  // The bytes [offset, offset + size) of `pack`. No stream is made for the entry until it is
  // opened: a pack of many entries mounts without one for each.
  static cResourceSource FromPackRange(const CountedPtr<cStream>& pack, uint32_t offset, uint32_t size,
                                       const std::string& method);

  // Replaces the destination's content with the resource's bytes (a file read whole, a pack entry
  // unpacked) and rewinds it. False when there is nothing to read, the file cannot be opened or
  // read whole, or the entry cannot be unpacked; the destination is then left empty.
  bool LoadData(cMemoryStream& destination) const;

  // The held stream; else, with a path or a pack range, a stream of it that the source now holds;
  // else null.
  cStream* Open();
  // A file's stream is let go; a pack entry's stays.
  void Close();
  // The held stream's size; else the pack range's or the file's; else 0.
  uint32_t GetSize();

  bool HasData() const { return m_stream || !m_path.empty(); }
  // The held stream: null for a file or a pack range not opened yet.
  const CountedPtr<cStream>& GetStream() const;
  const std::string& GetPath() const { return m_path; }
  const std::string& GetMethod() const { return m_method; }

 private:
  // Sources are held by every resource, so a range keeps the pack file in m_stream until it is
  // opened, when the entry's stream (which keeps the file itself) takes its place.
  CountedPtr<cStream> m_stream;
  bool m_range = false;
  uint32_t m_offset = 0;
  uint32_t m_size = 0;
  std::string m_path;
  std::string m_method;
};
