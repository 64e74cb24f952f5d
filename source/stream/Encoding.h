#pragma once
// The binary encoding of all the program's own files: little-endian unsigned 32-bit integers,
// 32-bit IEEE floats, strings as a byte length and the bytes, wide strings as a length in UTF-16
// units and the units, string lists and string maps as a count and their strings.
// Readers answer false on a short read and never allocate more than the stream has left; a
// reader that fails leaves its output unchanged.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "source/stream/cStream.h"

bool WriteUInt32(cStream& stream, uint32_t value);
bool WriteFloat(cStream& stream, float value);
bool WriteString(cStream& stream, const std::string& text);
bool WriteWideString(cStream& stream, const std::u16string& text);
bool WriteStringVector(const std::vector<std::string>& list, cStream& stream);
bool WriteStringMap(const std::map<std::string, std::string>& map, cStream& stream);

bool ReadUInt32(cStream& stream, uint32_t& value);
bool ReadFloat(cStream& stream, float& value);
bool ReadString(cStream& stream, std::string& text);
bool ReadWideString(cStream& stream, std::u16string& text);
bool ReadStringVector(std::vector<std::string>& list, cStream& stream);
bool ReadStringMap(std::map<std::string, std::string>& map, cStream& stream);

// Bytes left between the position and the end (0 when the position is past the end).
uint32_t RemainingBytes(cStream& stream);
