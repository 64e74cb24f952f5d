#include "Sources/shell/userdata/FileHeader.h"

#include "Sources/shell/userdata/BinaryReader.h"
#include "source/stream/Encoding.h"

bool WriteFileHeader(cStream& stream, const std::string& header, uint32_t version) {
  return stream.Write(header.data(), static_cast<uint32_t>(header.size())) == header.size() &&
         WriteUInt32(stream, version);
}

bool ReadFileHeader(BinaryReader& reader, const std::string& header, uint32_t version) {
  std::string read(header.size(), '\0');
  uint32_t read_version = 0;
  return reader.Bytes(read.data(), static_cast<uint32_t>(read.size())) && read == header &&
         reader.U32(read_version) && read_version == version;
}
