#pragma once
// The start of every player file: the header text written raw (no length, no terminator), then
// the version as a u32.

#include <cstdint>
#include <string>

class BinaryReader;
class cStream;

bool WriteFileHeader(cStream& stream, const std::string& header, uint32_t version);
// True when the file starts with exactly this header and version.
bool ReadFileHeader(BinaryReader& reader, const std::string& header, uint32_t version);
