#include "Sources/shell/userdata/BinaryReader.h"

#include <cstring>

#include "source/stream/cStream.h"

BinaryReader::BinaryReader(cStream& stream)
    : m_stream(stream), m_size(stream.GetSize()), m_position(stream.Tell()) {
  if (m_position > m_size) m_position = m_size;
}

bool BinaryReader::Bytes(void* bytes, uint32_t count) {
  if (!m_ok || count > Remaining()) return Fail();
  if (count > 0 && m_stream.Read(bytes, count) != count) return Fail();
  m_position += count;
  return true;
}

bool BinaryReader::U8(uint8_t& value) { return Bytes(&value, 1); }

bool BinaryReader::U32(uint32_t& value) {
  uint8_t b[4];
  if (!Bytes(b, 4)) return false;
  value = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
  return true;
}

bool BinaryReader::I32(int32_t& value) {
  uint32_t bits;
  if (!U32(bits)) return false;
  value = static_cast<int32_t>(bits);
  return true;
}

bool BinaryReader::Float(float& value) {
  uint32_t bits;
  if (!U32(bits)) return false;
  std::memcpy(&value, &bits, sizeof value);
  return true;
}

bool BinaryReader::Count(uint32_t& count, uint32_t smallest) {
  uint32_t read;
  if (!U32(read)) return false;
  if (uint64_t{read} * smallest > Remaining()) return Fail();
  count = read;
  return true;
}

bool BinaryReader::Text(std::string& text) {
  uint32_t length;
  if (!Count(length, 1)) return false;
  text.resize(length);
  return Bytes(text.data(), length);
}

bool BinaryReader::Wide(std::u16string& text) {
  uint32_t length;
  if (!Count(length, 2)) return false;
  std::string bytes(std::size_t{length} * 2, '\0');
  if (!Bytes(bytes.data(), length * 2)) return false;
  text.resize(length);
  for (uint32_t i = 0; i < length; ++i) {
    text[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) | static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
  }
  return true;
}
