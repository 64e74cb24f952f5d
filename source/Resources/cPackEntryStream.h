#pragma once
// The bytes of one pack entry: a sub-stream of the pack file that also keeps the file open, so a
// sound still streaming from its entry never reads a closed file.

#include <cstdint>

#include "source/core/CountedPtr.h"
#include "source/stream/cSubStream.h"

class cPackEntryStream : public cSubStream {
 public:
  cPackEntryStream(const CountedPtr<cStream>& file, uint32_t offset, uint32_t size)
      : cSubStream(*file, offset, size), m_file(file) {}

 private:
  CountedPtr<cStream> m_file;
};
