#pragma once
// A stream over a growable heap buffer: built files before they are written out, unpacked
// resources, test fixtures. The buffer keeps spare capacity beyond the size so that many small
// writes cost amortised constant time; bytes added by growth read as zero.

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "source/stream/cStream.h"

class cMemoryStream : public cStream {
 public:
  cMemoryStream() = default;
  // A copy of the whole of `source`, positioned at 0 (the source is left at its end).
  explicit cMemoryStream(cStream& source);
  cMemoryStream(const cMemoryStream& other);  // the content, positioned at 0
  cMemoryStream(cMemoryStream&& other) noexcept;
  cMemoryStream& operator=(cMemoryStream&& other) noexcept;
  cMemoryStream& operator=(const cMemoryStream&) = delete;
  ~cMemoryStream() override = default;

  bool IsEof() override { return m_position == m_size; }
  uint32_t GetSize() override { return m_size; }
  void Resize(uint32_t size) override;
  uint32_t Read(void* buffer, uint32_t count) override;
  uint32_t Write(const void* buffer, uint32_t count) override;
  uint32_t Seek(int32_t offset, int origin) override;
  uint32_t CopyFrom(cStream& source, uint32_t count) override;
  uint32_t ReadAt(uint32_t offset, void* buffer, uint32_t count) override;

  // The content (size bytes); null while nothing was ever stored.
  const uint8_t* GetData() const { return m_buffer.get(); }
  uint32_t GetPosition() const { return m_position; }

 private:
  // Makes the size `size`, zero-filling any growth; false (nothing changed) when memory runs out.
  bool SetSize(uint32_t size);
  bool Reserve(uint32_t capacity);

  struct FreeBlock {
    void operator()(uint8_t* block) const { std::free(block); }
  };
  std::unique_ptr<uint8_t, FreeBlock> m_buffer;  // malloc'd, so that growth can realloc
  uint32_t m_position = 0;
  uint32_t m_size = 0;
  uint32_t m_capacity = 0;
};
