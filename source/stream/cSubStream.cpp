#include "source/stream/cSubStream.h"

#include <algorithm>

cSubStream::cSubStream(cStream& parent, uint32_t base, uint32_t size)
    : cSubStream(parent, base, size, parent.GetSize()) {}

cSubStream::cSubStream(cStream& parent, uint32_t base, uint32_t size, uint32_t parent_size)
    : m_parent(&parent), m_base(base), m_size(size) {
  // A window that claims bytes beyond its parent would promise readers data that is not there.
  m_size = base >= parent_size ? 0 : std::min(size, parent_size - base);
}

uint32_t cSubStream::Read(void* buffer, uint32_t count) {
  const uint32_t moved = ReadAt(m_position, buffer, count);
  m_position += moved;
  return moved;
}

uint32_t cSubStream::ReadAt(uint32_t offset, void* buffer, uint32_t count) {
  if (offset >= m_size || count == 0) return 0;
  const uint32_t wanted = std::min(count, m_size - offset);
  const uint32_t moved = m_parent->ReadAt(m_base + offset, buffer, wanted);
  return std::min(moved, wanted);
}

uint32_t cSubStream::Seek(int32_t offset, int origin) {
  m_position = SeekWithin(m_position, m_size, offset, origin);
  return m_position;
}
