#pragma once
// Where a resource's bytes come from: a file of a folder group (by path), or an entry of a pack
// file (a counted sub-stream and the archiver method that packed it). Copies share the stream.

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

  // Replaces the destination's content with the resource's bytes (a file read whole, a pack entry
  // unpacked) and rewinds it. False when there is nothing to read, the file cannot be opened or
  // read whole, or the entry cannot be unpacked; the destination is then left empty.
  bool LoadData(cMemoryStream& destination) const;

  // The held stream; else, with a path, a file stream that the source now holds; else null.
  cStream* Open();
  // A file's stream is let go; a pack entry's stays.
  void Close();
  // The held stream's size; else the size of the file; else 0.
  uint32_t GetSize();

  bool HasData() const { return m_stream || !m_path.empty(); }
  const CountedPtr<cStream>& GetStream() const { return m_stream; }
  const std::string& GetPath() const { return m_path; }
  const std::string& GetMethod() const { return m_method; }

 private:
  CountedPtr<cStream> m_stream;
  std::string m_path;
  std::string m_method;
};
