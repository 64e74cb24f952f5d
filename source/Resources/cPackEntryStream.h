#pragma once
// The bytes of one pack entry: a sub-stream of the pack file that also keeps the file open, so a
// sound still streaming from its entry never reads a closed file.

#include <cstdint>

#include "source/core/CountedPtr.h"
#include "source/stream/cSubStream.h"

class cPackEntryStream : public cSubStream {
 public:
  // `file_size`: the pack file's size, read once for all its entries.
  cPackEntryStream(const CountedPtr<cStream>& file, uint32_t offset, uint32_t size, uint32_t file_size)
      : cSubStream(*file, offset, size, file_size), m_file(file) {}

 private:
  CountedPtr<cStream> m_file;
};
