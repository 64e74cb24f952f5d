#include "source/Resources/cResourceSource.h"

#include <utility>

#include "platform/os/os.h"
#include "source/Archiver/cArchiver.h"
#include "source/Resources/cPackEntryStream.h"
#include "source/stream/cFileStream.h"
#include "source/stream/cMemoryStream.h"

namespace {

// Reading a resource file: open existing, read access, shared for reading.
cFileStream* OpenForReading(const std::string& path) {
  return new cFileStream(path, os::kOpenExisting, os::kAccessRead, os::kShareRead);
}

bool ReadWholeFile(const std::string& path, cMemoryStream& destination) {
  cFileStream file(path, os::kOpenExisting, os::kAccessRead, os::kShareRead);
  if (!file.IsOpen()) return false;
  const uint32_t size = file.GetSize();
  cMemoryStream bytes;
  if (size > 0 && bytes.CopyFrom(file, cStream::kWholeStream) != size) return false;
  destination = std::move(bytes);
  return true;
}

}  // namespace

cResourceSource::cResourceSource(CountedPtr<cStream> stream, std::string path, std::string method)
    : m_stream(std::move(stream)), m_path(std::move(path)), m_method(std::move(method)) {}

cResourceSource cResourceSource::FromFile(std::string path) {
  return cResourceSource(CountedPtr<cStream>(), std::move(path), std::string());
}

cResourceSource cResourceSource::FromPackEntry(CountedPtr<cStream> entry, std::string method) {
  return cResourceSource(std::move(entry), std::string(), std::move(method));
}

cResourceSource cResourceSource::FromPackRange(const CountedPtr<cStream>& pack, uint32_t offset,
                                               uint32_t size, const std::string& method) {
  cResourceSource source(pack, std::string(), method);
  source.m_range = static_cast<bool>(pack);
  source.m_offset = offset;
  source.m_size = size;
  return source;
}

const CountedPtr<cStream>& cResourceSource::GetStream() const {
  static const CountedPtr<cStream> kNone;
  return m_range ? kNone : m_stream;
}

bool cResourceSource::LoadData(cMemoryStream& destination) const {
  bool loaded = false;
  if (m_range) {
    // A window of its own: loads on several threads never share a position.
    cSubStream entry(*m_stream, m_offset, m_size);
    loaded = cArchiver::GetInstance()->Unpack(m_method, entry, destination);
  } else if (m_stream) {
    loaded = cArchiver::GetInstance()->Unpack(m_method, *m_stream, destination);
  } else if (!m_path.empty()) {
    loaded = ReadWholeFile(m_path, destination);
  }
  if (!loaded) destination.Resize(0);
  destination.Seek(0, 0);
  return loaded;
}

cStream* cResourceSource::Open() {
  if (m_range) {
    m_stream = CountedPtr<cStream>(new cPackEntryStream(m_stream, m_offset, m_size, m_stream->GetSize()));
    m_range = false;
  }
  if (m_stream) return m_stream.Get();
  if (m_path.empty()) return nullptr;
  m_stream.Reset(OpenForReading(m_path));
  return m_stream.Get();
}

void cResourceSource::Close() {
  if (!m_path.empty()) m_stream.Reset();
}

uint32_t cResourceSource::GetSize() {
  if (m_range) return cSubStream(*m_stream, m_offset, m_size).GetSize();
  if (m_stream) return m_stream->GetSize();
  if (m_path.empty()) return 0;
  cFileStream file(m_path, os::kOpenExisting, os::kAccessRead, os::kShareRead);
  return file.GetSize();
}
