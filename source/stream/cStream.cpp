#include "source/stream/cStream.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>

uint32_t cStream::CopyAmount(cStream& source, uint32_t count) {
  if (count == 0) return 0;
  if (count == kWholeStream) {
    source.Seek(0, 0);
    return source.GetSize();
  }
  const uint32_t size = source.GetSize();
  const uint32_t position = source.Tell();
  return position >= size ? 0 : std::min(count, size - position);
}

uint32_t cStream::CopyFrom(cStream& source, uint32_t count) {
  uint32_t left = CopyAmount(source, count);
  if (left == 0) return 0;
  uint32_t chunk = std::min(left, kCopyChunk);
  std::unique_ptr<uint8_t[]> scratch(new (std::nothrow) uint8_t[chunk]);
  if (!scratch) return 0;
  uint32_t written = 0;
  while (left > 0) {
    const uint32_t got = source.Read(scratch.get(), chunk);
    if (got == 0) break;  // the source promised more than it holds
    const uint32_t put = Write(scratch.get(), got);
    written += put;
    left -= std::min(left, put);
    if (put < got) break;  // this stream is full; the rest would land out of place
    chunk = std::min(left, chunk);
  }
  return written;
}

uint32_t cStream::ReadAt(uint32_t offset, void* buffer, uint32_t count) {
  // Seek takes a signed offset, so reach offsets past 2 GiB in steps.
  constexpr uint32_t kStep = static_cast<uint32_t>(std::numeric_limits<int32_t>::max());
  uint32_t position = Seek(static_cast<int32_t>(std::min(offset, kStep)), 0);
  while (position < offset) {
    const uint32_t step = std::min(offset - position, kStep);
    const uint32_t next = Seek(static_cast<int32_t>(step), 1);
    if (next == position) break;
    position = next;
  }
  if (position != offset) return 0;
  return Read(buffer, count);
}

uint32_t cStream::SeekWithin(uint32_t position, uint32_t size, int32_t offset, int origin) {
  int64_t target = position;
  switch (origin) {
    case 0: target = offset; break;
    case 1: target += offset; break;
    case 2: target = int64_t{size} + offset; break;
    default: break;
  }
  return static_cast<uint32_t>(std::clamp<int64_t>(target, 0, size));
}
