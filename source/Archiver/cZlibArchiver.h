#pragma once
// The "Zlib" packing method: a block of the uncompressed size and one zlib stream.
// Unpacking trusts nothing in the block: the stated size is capped and must come out exactly.

#include "source/Archiver/cArchiverMethod.h"

class cZlibArchiver : public cArchiverMethod {
 public:
  const char* GetName() const override { return "Zlib"; }
  bool Compress(cStream& source, cMemoryStream& destination) override;
  bool Uncompress(cStream& source, cMemoryStream& destination) override;
};
