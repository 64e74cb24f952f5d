#include "source/Archiver/cZlibArchiver.h"

#include <cstdint>
#include <memory>
#include <new>

#include "source/Archiver/ZlibBlock.h"
#include "source/log/cLog.h"
#include "source/stream/cMemoryStream.h"

namespace {

constexpr const char* kSource = "source\\Archiver\\cZlibArchiver";
constexpr int kCompressLine = 15;
constexpr int kUncompressLine = 31;

// The whole of `source` as bytes: a memory stream lends its buffer, any other stream is read into
// `holder`. Null when the stream delivers less than its size.
const uint8_t* WholeBytes(cStream& source, std::unique_ptr<uint8_t[]>& holder, uint32_t& size) {
  size = source.GetSize();
  auto* memory = dynamic_cast<cMemoryStream*>(&source);
  if (memory != nullptr && memory->GetData() != nullptr) return memory->GetData();
  holder.reset(new (std::nothrow) uint8_t[size > 0 ? size : 1]);
  if (!holder) return nullptr;
  if (size > 0 && source.ReadAt(0, holder.get(), size) != size) return nullptr;
  return holder.get();
}

// Replaces the content of `destination` with `size` bytes, positioned at 0.
bool Store(cMemoryStream& destination, const uint8_t* bytes, uint32_t size) {
  destination.Resize(0);
  const bool whole = size == 0 || destination.Write(bytes, size) == size;
  destination.Seek(0, 0);
  return whole;
}

}  // namespace

bool cZlibArchiver::Compress(cStream& source, cMemoryStream& destination) {
  std::unique_ptr<uint8_t[]> holder;
  uint32_t size = 0;
  const uint8_t* data = WholeBytes(source, holder, size);
  uint32_t length = 0;
  std::unique_ptr<uint8_t[]> block;
  if (data != nullptr && size <= zlib_block::kMaxUnpackedSize) {
    const uint64_t room = zlib_block::BlockRoom(size);
    block.reset(new (std::nothrow) uint8_t[room]);
    if (block) length = zlib_block::Deflate(data, size, block.get(), room);
  }
  if (length == 0 || !Store(destination, block.get(), length)) {
    LogReport(kLogError, kSource, kCompressLine, "zlib compression failed");
    return false;
  }
  return true;
}

bool cZlibArchiver::Uncompress(cStream& source, cMemoryStream& destination) {
  std::unique_ptr<uint8_t[]> holder;
  uint32_t size = 0;
  const uint8_t* block = WholeBytes(source, holder, size);
  uint32_t stated = 0;
  bool done = false;
  if (block != nullptr && zlib_block::ReadStatedSize(block, size, stated)) {
    cMemoryStream out;
    out.Resize(stated);
    // Inflating straight into the stream's own (heap, non-const) buffer saves copying large
    // entries once more; the stream offers its bytes read-only only.
    uint8_t* room = const_cast<uint8_t*>(out.GetData());
    done = out.GetSize() == stated && zlib_block::Inflate(block, size, room, stated);
    if (done) destination = std::move(out);
  }
  if (!done) LogReport(kLogError, kSource, kUncompressLine, "zlib uncompression failed");
  return done;
}
