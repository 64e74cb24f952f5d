#include "source/stream/cMemoryStream.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {
constexpr uint32_t kMinimumCapacity = 64;
constexpr uint32_t kLargest = 0xFFFFFFFFu;
}  // namespace

cMemoryStream::cMemoryStream(cStream& source) {
  const uint32_t size = source.GetSize();
  source.Seek(0, 0);
  if (size == 0 || !Reserve(size)) return;
  // The read fills the buffer: nothing is zeroed first. A source that delivers less than it
  // claimed leaves only what it delivered, and growth past that is zeroed when it comes.
  m_size = source.Read(m_buffer.get(), size);
  m_position = 0;
}

cMemoryStream::cMemoryStream(const cMemoryStream& other) {
  if (other.m_size > 0 && Reserve(other.m_size)) {
    std::memcpy(m_buffer.get(), other.m_buffer.get(), other.m_size);
    m_size = other.m_size;
  }
}

cMemoryStream::cMemoryStream(cMemoryStream&& other) noexcept
    : m_buffer(std::move(other.m_buffer)),
      m_position(std::exchange(other.m_position, 0)),
      m_size(std::exchange(other.m_size, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)) {}

cMemoryStream& cMemoryStream::operator=(cMemoryStream&& other) noexcept {
  if (this != &other) {
    m_buffer = std::move(other.m_buffer);
    m_position = std::exchange(other.m_position, 0);
    m_size = std::exchange(other.m_size, 0);
    m_capacity = std::exchange(other.m_capacity, 0);
  }
  return *this;
}

bool cMemoryStream::Reserve(uint32_t capacity) {
  if (capacity <= m_capacity) return true;
  // Geometric growth: double, but never past what 32-bit sizes can name. realloc lets large
  // blocks grow by remapping their pages instead of copying them.
  uint32_t grown = std::max(kMinimumCapacity, m_capacity);
  while (grown < capacity) grown = grown > kLargest / 2 ? kLargest : grown * 2;
  void* block = std::realloc(m_buffer.get(), grown);
  if (block == nullptr && grown > capacity) {
    grown = capacity;  // the doubled block is too large; try exactly what is needed
    block = std::realloc(m_buffer.get(), grown);
  }
  if (block == nullptr) return false;
  m_buffer.release();
  m_buffer.reset(static_cast<uint8_t*>(block));
  m_capacity = grown;
  return true;
}

bool cMemoryStream::SetSize(uint32_t size) {
  if (size > m_size) {
    if (!Reserve(size)) return false;
    std::memset(m_buffer.get() + m_size, 0, size - m_size);
  }
  m_size = size;
  m_position = std::min(m_position, m_size);
  return true;
}

void cMemoryStream::Resize(uint32_t size) { SetSize(size); }

uint32_t cMemoryStream::Read(void* buffer, uint32_t count) {
  const uint32_t moved = ReadAt(m_position, buffer, count);
  m_position += moved;
  return moved;
}

uint32_t cMemoryStream::ReadAt(uint32_t offset, void* buffer, uint32_t count) {
  if (offset >= m_size || count == 0) return 0;
  const uint32_t moved = std::min(count, m_size - offset);
  // The destination may lie in this very buffer (a window of the stream copied into itself).
  std::memmove(buffer, m_buffer.get() + offset, moved);
  return moved;
}

uint32_t cMemoryStream::Write(const void* buffer, uint32_t count) {
  if (count == 0) return 0;
  count = std::min(count, kLargest - m_position);  // sizes are 32-bit
  const uint32_t end = m_position + count;
  // The bytes may come from this stream's own content; growth moves the block, so they are
  // found again by their offset.
  const uint8_t* source = static_cast<const uint8_t*>(buffer);
  const auto from = reinterpret_cast<std::uintptr_t>(source);
  const auto block = reinterpret_cast<std::uintptr_t>(m_buffer.get());
  const bool own = block != 0 && from >= block && from - block < m_capacity;
  const std::size_t own_offset = own ? from - block : 0;
  // The write covers every byte it adds (the position is never past the size), so growth here
  // needs no zero fill.
  if (end > m_capacity && !Reserve(end)) return 0;
  if (own) source = m_buffer.get() + own_offset;
  std::memmove(m_buffer.get() + m_position, source, count);
  m_position = end;
  m_size = std::max(m_size, end);
  return count;
}

uint32_t cMemoryStream::Seek(int32_t offset, int origin) {
  m_position = SeekWithin(m_position, m_size, offset, origin);
  return m_position;
}

uint32_t cMemoryStream::CopyFrom(cStream& source, uint32_t count) {
  uint32_t amount = CopyAmount(source, count);
  amount = std::min(amount, kLargest - m_position);
  if (amount == 0) return 0;
  // Read straight into the buffer, unzeroed: a short source leaves the size where its bytes end,
  // so what it did not write is never inside the stream.
  const uint32_t old_size = m_size;
  const uint32_t start = m_position;
  if (amount > m_size - start && !Reserve(start + amount)) return 0;
  const uint32_t got = source.Read(m_buffer.get() + start, amount);
  m_size = std::max(old_size, start + got);
  m_position = start + got;
  return got;
}
