#pragma once
// Reads the player files' fields from a stream and refuses, before allocating anything, every
// count or length that the bytes left could not hold. Once a read fails every later read fails
// too, so a reader can read a whole record and test once.

#include <cstdint>
#include <string>

class cStream;

class BinaryReader {
 public:
  explicit BinaryReader(cStream& stream);

  bool U8(uint8_t& value);
  bool U32(uint32_t& value);
  bool I32(int32_t& value);
  bool Float(float& value);
  bool Bytes(void* bytes, uint32_t count);
  // A u32 byte length and the bytes.
  bool Text(std::string& text);
  // A u32 length in UTF-16 units and the units.
  bool Wide(std::u16string& text);
  // A u32 element count, refused unless count x `smallest` bytes are left.
  bool Count(uint32_t& count, uint32_t smallest);

  // Marks the input as refused; answers false.
  bool Refuse() { return m_ok = false; }

  bool Ok() const { return m_ok; }
  bool AtEnd() const { return m_ok && m_position == m_size; }
  uint64_t Remaining() const { return m_size - m_position; }

 private:
  bool Fail() { return Refuse(); }

  cStream& m_stream;
  uint64_t m_size;
  uint64_t m_position;
  bool m_ok = true;
};
