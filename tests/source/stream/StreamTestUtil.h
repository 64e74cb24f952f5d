#pragma once
// Small helpers shared by the stream tests: reading streams back, and streams that hold back.

#include <cstdint>
#include <string>

#include "source/stream/cStream.h"
#include "tests/support/MemoryBytes.h"

// Reads up to `count` bytes from the position.
inline std::string Take(cStream& stream, uint32_t count) {
  std::string bytes(count, '\0');
  bytes.resize(stream.Read(bytes.data(), count));
  return bytes;
}

// A source that claims more bytes than it delivers, like a file cut short while it is read.
class cShortSource : public cStream {
 public:
  cShortSource(uint32_t claimed, uint32_t real) : m_claimed(claimed), m_real(real) {}
  uint32_t GetSize() override { return m_claimed; }
  void Resize(uint32_t) override {}
  uint32_t Read(void* buffer, uint32_t count) override {
    const uint32_t left = m_position < m_real ? m_real - m_position : 0;
    const uint32_t moved = count < left ? count : left;
    for (uint32_t i = 0; i < moved; ++i) static_cast<uint8_t*>(buffer)[i] = 'x';
    m_position += moved;
    ++reads;
    return moved;
  }
  uint32_t Write(const void*, uint32_t) override { return 0; }
  uint32_t Seek(int32_t offset, int origin) override {
    if (origin == 0) m_position = static_cast<uint32_t>(offset);
    return m_position;
  }
  int reads = 0;

 private:
  uint32_t m_claimed;
  uint32_t m_real;
  uint32_t m_position = 0;
};

// A destination that accepts at most `room` bytes in all.
class cFullSink : public cStream {
 public:
  explicit cFullSink(uint32_t room) : m_room(room) {}
  uint32_t GetSize() override { return accepted; }
  void Resize(uint32_t) override {}
  uint32_t Read(void*, uint32_t) override { return 0; }
  uint32_t Write(const void*, uint32_t count) override {
    const uint32_t moved = count < m_room - accepted ? count : m_room - accepted;
    accepted += moved;
    ++writes;
    return moved;
  }
  uint32_t Seek(int32_t, int) override { return accepted; }
  uint32_t accepted = 0;
  int writes = 0;

 private:
  uint32_t m_room;
};
