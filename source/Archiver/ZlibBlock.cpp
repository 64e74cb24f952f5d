#include "source/Archiver/ZlibBlock.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace zlib_block {
namespace {

// The block is packed once, when the pack files are made, and read many times.
constexpr int kLevel = Z_BEST_COMPRESSION;

uint32_t GetLittleEndian32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
         uint32_t{bytes[3]} << 24;
}

void PutLittleEndian32(uint8_t* bytes, uint32_t value) {
  bytes[0] = static_cast<uint8_t>(value);
  bytes[1] = static_cast<uint8_t>(value >> 8);
  bytes[2] = static_cast<uint8_t>(value >> 16);
  bytes[3] = static_cast<uint8_t>(value >> 24);
}

}  // namespace

bool ReadStatedSize(const uint8_t* block, std::size_t block_size, uint32_t& stated) {
  if (block == nullptr || block_size < kSizeWordBytes) return false;
  const uint32_t size = GetLittleEndian32(block);
  const uint64_t packed = block_size - kSizeWordBytes;
  if (size > kMaxUnpackedSize || uint64_t{size} > packed * kMaxDeflateRatio) return false;
  stated = size;
  return true;
}

bool Inflate(const uint8_t* block, std::size_t block_size, uint8_t* out, uint32_t stated) {
  uint32_t checked = 0;
  if (!ReadStatedSize(block, block_size, checked) || checked != stated) return false;
  const std::size_t packed = block_size - kSizeWordBytes;
  if (packed > std::numeric_limits<uInt>::max()) return false;

  uint8_t spare = 0;  // zlib refuses a null output even when nothing is to be written
  z_stream stream{};
  stream.next_in = const_cast<Bytef*>(block + kSizeWordBytes);
  stream.avail_in = static_cast<uInt>(packed);
  stream.next_out = stated > 0 ? out : &spare;
  stream.avail_out = stated;
  if (inflateInit(&stream) != Z_OK) return false;
  const int result = inflate(&stream, Z_FINISH);
  const bool whole = result == Z_STREAM_END && stream.total_out == stated;
  return inflateEnd(&stream) == Z_OK && whole;
}

uint32_t Deflate(const uint8_t* data, uint32_t size, uint8_t* out, uint64_t room) {
  if (size > kMaxUnpackedSize || room < kSizeWordBytes) return 0;
  if (room - kSizeWordBytes > std::numeric_limits<uLongf>::max()) return 0;
  uint8_t spare = 0;
  uLongf packed = static_cast<uLongf>(room - kSizeWordBytes);
  const int result = compress2(out + kSizeWordBytes, &packed, size > 0 ? data : &spare, size, kLevel);
  if (result != Z_OK) return 0;
  const uint64_t length = uint64_t{packed} + kSizeWordBytes;
  if (length > room) return 0;
  PutLittleEndian32(out, size);
  return static_cast<uint32_t>(length);
}

}  // namespace zlib_block
