#include "source/stream/Encoding.h"

#include <cstddef>
#include <cstring>
#include <utility>

namespace {

constexpr uint32_t kLengthBytes = 4;

void PutLittleEndian(uint32_t value, uint8_t* bytes) {
  bytes[0] = static_cast<uint8_t>(value);
  bytes[1] = static_cast<uint8_t>(value >> 8);
  bytes[2] = static_cast<uint8_t>(value >> 16);
  bytes[3] = static_cast<uint8_t>(value >> 24);
}

uint32_t GetLittleEndian(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
         uint32_t{bytes[3]} << 24;
}

bool FitsLength(std::size_t length) { return length <= 0xFFFFFFFFu; }

bool WriteBytes(cStream& stream, const void* bytes, std::size_t count) {
  return count == 0 || stream.Write(bytes, static_cast<uint32_t>(count)) == count;
}

}  // namespace

uint32_t RemainingBytes(cStream& stream) {
  const uint32_t size = stream.GetSize();
  const uint32_t position = stream.Tell();
  return position >= size ? 0 : size - position;
}

bool WriteUInt32(cStream& stream, uint32_t value) {
  uint8_t bytes[kLengthBytes];
  PutLittleEndian(value, bytes);
  return stream.Write(bytes, kLengthBytes) == kLengthBytes;
}

bool WriteFloat(cStream& stream, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);  // keeps every bit: -0.0 and NaN payloads survive
  return WriteUInt32(stream, bits);
}

bool WriteString(cStream& stream, const std::string& text) {
  if (!FitsLength(text.size())) return false;
  return WriteUInt32(stream, static_cast<uint32_t>(text.size())) &&
         WriteBytes(stream, text.data(), text.size());
}

bool WriteWideString(cStream& stream, const std::u16string& text) {
  if (!FitsLength(text.size()) || !WriteUInt32(stream, static_cast<uint32_t>(text.size()))) {
    return false;
  }
  std::string bytes(text.size() * 2, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return WriteBytes(stream, bytes.data(), bytes.size());
}

bool WriteStringVector(const std::vector<std::string>& list, cStream& stream) {
  if (!FitsLength(list.size()) || !WriteUInt32(stream, static_cast<uint32_t>(list.size()))) {
    return false;
  }
  for (const std::string& text : list) {
    if (!WriteString(stream, text)) return false;
  }
  return true;
}

bool WriteStringMap(const std::map<std::string, std::string>& map, cStream& stream) {
  if (!FitsLength(map.size()) || !WriteUInt32(stream, static_cast<uint32_t>(map.size()))) {
    return false;
  }
  for (const auto& [key, value] : map) {
    if (!WriteString(stream, key) || !WriteString(stream, value)) return false;
  }
  return true;
}

bool ReadUInt32(cStream& stream, uint32_t& value) {
  uint8_t bytes[kLengthBytes];
  if (stream.Read(bytes, kLengthBytes) != kLengthBytes) return false;
  value = GetLittleEndian(bytes);
  return true;
}

bool ReadFloat(cStream& stream, float& value) {
  uint32_t bits;
  if (!ReadUInt32(stream, bits)) return false;
  std::memcpy(&value, &bits, sizeof value);
  return true;
}

bool ReadString(cStream& stream, std::string& text) {
  uint32_t length;
  if (!ReadUInt32(stream, length) || length > RemainingBytes(stream)) return false;
  std::string read(length, '\0');
  if (length > 0 && stream.Read(read.data(), length) != length) return false;
  text = std::move(read);
  return true;
}

bool ReadWideString(cStream& stream, std::u16string& text) {
  uint32_t length;
  if (!ReadUInt32(stream, length) || length > RemainingBytes(stream) / 2) return false;
  std::string bytes(std::size_t{length} * 2, '\0');
  if (length > 0 && stream.Read(bytes.data(), length * 2) != length * 2) return false;
  std::u16string read(length, u'\0');
  for (uint32_t i = 0; i < length; ++i) {
    read[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                    static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
  }
  text = std::move(read);
  return true;
}

bool ReadStringVector(std::vector<std::string>& list, cStream& stream) {
  uint32_t count;
  // Every string takes at least its four-byte length, which bounds an honest count.
  if (!ReadUInt32(stream, count) || count > RemainingBytes(stream) / kLengthBytes) return false;
  std::vector<std::string> read(count);
  for (std::string& text : read) {
    if (!ReadString(stream, text)) return false;
  }
  list = std::move(read);
  return true;
}

bool ReadStringMap(std::map<std::string, std::string>& map, cStream& stream) {
  uint32_t count;
  if (!ReadUInt32(stream, count) || count > RemainingBytes(stream) / (2 * kLengthBytes)) {
    return false;
  }
  std::map<std::string, std::string> read;
  for (uint32_t i = 0; i < count; ++i) {
    std::string key;
    std::string value;
    if (!ReadString(stream, key) || !ReadString(stream, value)) return false;
    read[std::move(key)] = std::move(value);  // a repeated key keeps its last value
  }
  map = std::move(read);
  return true;
}
