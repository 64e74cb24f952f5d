#pragma once
// The one byte-stream interface through which the program reads and writes everything:
// resources, pack files, the configuration, the log and player files. Streams never throw:
// failure shows as a 0 result.

#include <cstdint>

class cStream {
 public:
  static constexpr uint32_t kWholeStream = 0xFFFFFFFFu;  // CopyFrom's "all of the source"
  static constexpr uint32_t kCopyChunk = 0x100000u;      // CopyFrom's largest scratch buffer

  virtual ~cStream() = default;
  virtual bool IsEof() { return false; }
  virtual uint32_t GetSize() = 0;
  virtual void Resize(uint32_t size) = 0;
  virtual uint32_t Read(void* buffer, uint32_t count) = 0;
  virtual uint32_t Write(const void* buffer, uint32_t count) = 0;
  // origin 0 from the start, 1 from the current position, 2 from the end; answers the position.
  virtual uint32_t Seek(int32_t offset, int origin) = 0;
  // Copies `count` bytes (kWholeStream: the whole source from its first byte); answers the bytes
  // written. Ends early when the source runs dry or this stream accepts nothing.
  virtual uint32_t CopyFrom(cStream& source, uint32_t count);
  // Reads `count` bytes at `offset` from the start. This base seeks and reads; the concrete
  // streams override it with a read that leaves the position alone, so a sub-stream never moves
  // the position another reader of the same parent relies on.
  virtual uint32_t ReadAt(uint32_t offset, void* buffer, uint32_t count);

  uint32_t Tell() { return Seek(0, 1); }

 protected:
  // The amount CopyFrom moves: the whole source (seeked to its start) for kWholeStream, else
  // what is left of `count` after the source's position.
  static uint32_t CopyAmount(cStream& source, uint32_t count);
  // Where a seek of a stream held in memory lands: the new position, clamped to 0..size.
  static uint32_t SeekWithin(uint32_t position, uint32_t size, int32_t offset, int origin);
};
