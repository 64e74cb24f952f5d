#pragma once
// Byte strings into and out of memory streams, and the little-endian words of stored formats:
// the hand-made inputs of the reader tests.

#include <cstdint>
#include <string>

#include "source/core/CountedPtr.h"
#include "source/stream/cMemoryStream.h"

// A stream holding the bytes, read from its start.
inline cMemoryStream StreamOf(const std::string& bytes) {
  cMemoryStream stream;
  if (!bytes.empty()) stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  stream.Seek(0, 0);
  return stream;
}

// The same, as a counted stream for the readers that keep what they read from.
inline CountedPtr<cStream> CountedStreamOf(const std::string& bytes) {
  return CountedPtr<cStream>(new cMemoryStream(StreamOf(bytes)));
}

// Everything the stream holds, wherever its position stands.
inline std::string BytesOf(const cMemoryStream& stream) {
  cMemoryStream copy(stream);
  std::string bytes(copy.GetSize(), '\0');
  copy.Seek(0, 0);
  copy.Read(bytes.data(), copy.GetSize());
  return bytes;
}

// A 32-bit value as four bytes, lowest first.
inline std::string Word(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
  return bytes;
}
