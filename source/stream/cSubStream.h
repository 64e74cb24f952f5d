#pragma once
// A read-only window onto a byte range of another stream (a pack entry, sound data). It reads the
// parent with positioned reads, so any number of sub-streams, and the parent's own reader, can
// share one parent without moving each other's positions. The parent is not owned.

#include <cstdint>

#include "source/stream/cStream.h"

class cSubStream : public cStream {
 public:
  // The window [base, base + size) of `parent`, cut to what the parent holds.
  cSubStream(cStream& parent, uint32_t base, uint32_t size);
  // The same, with the parent's size known already (many windows onto one file are made without
  // asking the file its size each time).
  cSubStream(cStream& parent, uint32_t base, uint32_t size, uint32_t parent_size);

  bool IsEof() override { return m_position == m_size; }
  uint32_t GetSize() override { return m_size; }
  void Resize(uint32_t) override {}
  uint32_t Read(void* buffer, uint32_t count) override;
  uint32_t Write(const void*, uint32_t) override { return 0; }
  uint32_t Seek(int32_t offset, int origin) override;
  uint32_t ReadAt(uint32_t offset, void* buffer, uint32_t count) override;

  uint32_t GetBase() const { return m_base; }

 private:
  cStream* m_parent;
  uint32_t m_base;
  uint32_t m_position = 0;
  uint32_t m_size;
};
