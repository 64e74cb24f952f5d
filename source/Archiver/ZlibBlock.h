#pragma once
// The "Zlib" block: the uncompressed size as a little-endian 32-bit word, then one zlib stream
// that inflates to exactly that many bytes. These work on plain buffers; cZlibArchiver puts them
// over streams.

#include <cstddef>
#include <cstdint>

namespace zlib_block {

constexpr uint32_t kSizeWordBytes = 4;
// A block never states more than this, so a damaged size word cannot make us allocate gigabytes.
constexpr uint32_t kMaxUnpackedSize = 256u << 20;
// Deflate cannot do better than 1032:1 (a 258-byte match per two bits), so a stated size above
// that ratio of the zlib bytes is a lie.
constexpr uint64_t kMaxDeflateRatio = 1032;
// The compressor gets room for the data plus this much; data that needs more is not packed.
constexpr uint32_t kCompressSlack = 1000;

// The size a block states, when the block is long enough to hold one and the size is believable
// for the zlib bytes that follow it.
bool ReadStatedSize(const uint8_t* block, std::size_t block_size, uint32_t& stated);

// Inflates the zlib stream after the size word into `out` (room for `stated` bytes). True only when
// the stream ends properly and gave exactly `stated` bytes.
bool Inflate(const uint8_t* block, std::size_t block_size, uint8_t* out, uint32_t stated);

// Room a block of `size` uncompressed bytes may take: the size word plus the zlib stream.
inline uint64_t BlockRoom(uint32_t size) { return uint64_t{size} + kCompressSlack; }

// Writes a whole block for `data` into `out` (BlockRoom(size) bytes of room). Answers the block's
// length, or 0 when the data is too large or zlib needs more room than it was given.
uint32_t Deflate(const uint8_t* data, uint32_t size, uint8_t* out, uint64_t room);

}  // namespace zlib_block
