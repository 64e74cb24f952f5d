#pragma once
// The fuzz targets' input as the program's stream, positioned at its start.

#include <cstddef>
#include <cstdint>

#include "source/stream/cMemoryStream.h"

inline cMemoryStream FuzzInputStream(const uint8_t* data, size_t size) {
  cMemoryStream stream;
  if (size > 0) stream.Write(data, static_cast<uint32_t>(size));
  stream.Seek(0, 0);
  return stream;
}
