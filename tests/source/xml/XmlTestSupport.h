#pragma once
// Helpers of the XML tests: parsing from text with standard output captured, and streams that
// behave like the awkward ones the reader and writer meet (a file that never reports its end, a
// disk that fills up).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlReader.h"

namespace xmltest {

inline cMemoryStream StreamOf(const std::string& bytes) {
  cMemoryStream stream;
  if (!bytes.empty()) stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  stream.Seek(0, 0);
  return stream;
}

inline std::string ContentOf(cMemoryStream& stream) {
  const uint8_t* data = stream.GetData();
  return data == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(data), stream.GetSize());
}

// The result of a parse with what the reader printed.
struct Parsed {
  std::unique_ptr<XmlNode> root;
  std::string output;
};

inline Parsed ParseCapturing(cStream& stream) {
  testing::internal::CaptureStdout();
  Parsed parsed;
  parsed.root = ParseXmlNode(stream);
  parsed.output = testing::internal::GetCapturedStdout();
  return parsed;
}

inline Parsed ParseText(const std::string& text) {
  cMemoryStream stream = StreamOf(text);
  return ParseCapturing(stream);
}

// Reads like a file stream whose IsEof never answers true: only the empty Read tells the end.
class NeverEofStream : public cStream {
 public:
  explicit NeverEofStream(std::string bytes) : m_bytes(std::move(bytes)) {}
  bool IsEof() override { return false; }
  uint32_t GetSize() override { return static_cast<uint32_t>(m_bytes.size()); }
  void Resize(uint32_t size) override { m_bytes.resize(size); m_position = std::min<size_t>(m_position, size); }
  uint32_t Read(void* buffer, uint32_t count) override {
    ++m_reads;
    const size_t n = std::min<size_t>(count, m_bytes.size() - m_position);
    if (n > 0) std::memcpy(buffer, m_bytes.data() + m_position, n);
    m_position += n;
    return static_cast<uint32_t>(n);
  }
  uint32_t Write(const void*, uint32_t) override { return 0; }
  uint32_t Seek(int32_t offset, int origin) override {
    int64_t base = origin == 0 ? 0 : origin == 1 ? static_cast<int64_t>(m_position) : static_cast<int64_t>(m_bytes.size());
    m_position = static_cast<size_t>(std::clamp<int64_t>(base + offset, 0, static_cast<int64_t>(m_bytes.size())));
    return static_cast<uint32_t>(m_position);
  }
  size_t Reads() const { return m_reads; }

 private:
  std::string m_bytes;
  size_t m_position = 0;
  size_t m_reads = 0;
};

// Takes at most `capacity` bytes, like a disk that fills up; a Write past it moves only what fits.
class FullDiskStream : public cStream {
 public:
  explicit FullDiskStream(size_t capacity) : m_capacity(capacity) {}
  uint32_t GetSize() override { return static_cast<uint32_t>(m_bytes.size()); }
  void Resize(uint32_t size) override { m_bytes.resize(std::min<size_t>(size, m_capacity)); }
  uint32_t Read(void*, uint32_t) override { return 0; }
  uint32_t Write(const void* buffer, uint32_t count) override {
    const size_t n = std::min<size_t>(count, m_capacity - m_bytes.size());
    m_bytes.append(static_cast<const char*>(buffer), n);
    return static_cast<uint32_t>(n);
  }
  uint32_t Seek(int32_t, int) override { return static_cast<uint32_t>(m_bytes.size()); }
  const std::string& Bytes() const { return m_bytes; }

 private:
  size_t m_capacity;
  std::string m_bytes;
};

// "<a><a>...</a></a>" nested `depth` levels.
inline std::string NestedDocument(size_t depth) {
  std::string text;
  text.reserve(depth * 7);
  for (size_t i = 0; i < depth; ++i) text += "<a>";
  for (size_t i = 0; i < depth; ++i) text += "</a>";
  return text;
}

inline size_t CountChildren(const XmlNode& node) {
  size_t count = 0;
  for (const XmlNode* child = node.GetFirstChild(); child != nullptr; child = child->GetNext()) ++count;
  return count;
}

inline size_t CountAttributes(const XmlNode& node) {
  size_t count = 0;
  for (const XmlNode* a = node.GetFirstAttribute(); a != nullptr; a = a->GetNext()) ++count;
  return count;
}

}  // namespace xmltest
