#pragma once
// Little-endian reading and writing of the model file's fields over byte buffers. The reader
// never reads past its end: a read that does not fit fails and leaves the value alone.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <bit>
#include <vector>

#include "source/model/ModelFile.h"

static_assert(std::endian::native == std::endian::little, "the model file is little-endian, as this machine");

class ModelByteReader {
 public:
  ModelByteReader(const uint8_t* bytes, std::size_t size) : m_bytes(bytes), m_size(size) {}

  std::size_t Remaining() const { return m_size - m_position; }
  // Whether `count` items of `unit` bytes each still fit.
  bool Holds(uint64_t count, uint64_t unit) const { return unit == 0 || count <= Remaining() / unit; }

  bool Bytes(void* out, std::size_t count) {
    if (count > Remaining()) return false;
    std::memcpy(out, m_bytes + m_position, count);
    m_position += count;
    return true;
  }
  bool U8(uint8_t& v) { return Bytes(&v, 1); }
  bool U16(uint16_t& v) { return Bytes(&v, 2); }
  bool U32(uint32_t& v) { return Bytes(&v, 4); }
  bool F32(float& v) { return Bytes(&v, 4); }
  bool Vec3(Vector3& v) { return F32(v.x) && F32(v.y) && F32(v.z); }
  bool Quat(Quaternion& q) { return F32(q.x) && F32(q.y) && F32(q.z) && F32(q.w); }
  bool Key(ModelKey& k) { return Vec3(k.position) && Quat(k.rotation) && Vec3(k.scale); }
  bool Box(ModelBox& b) { return Vec3(b.minimum) && Vec3(b.maximum); }
  bool Vertex(ModelFileVertex& v) { return F32(v.u) && F32(v.v) && Vec3(v.normal) && Vec3(v.position); }
  bool String(std::string& s) {
    uint32_t length = 0;
    if (!U32(length) || length > Remaining()) return false;
    s.assign(reinterpret_cast<const char*>(m_bytes + m_position), length);
    m_position += length;
    return true;
  }

 private:
  const uint8_t* m_bytes;
  std::size_t m_size;
  std::size_t m_position = 0;
};

class ModelByteWriter {
 public:
  std::vector<uint8_t>& Bytes() { return m_bytes; }
  void Raw(const void* p, std::size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    m_bytes.insert(m_bytes.end(), b, b + n);
  }
  void U8(uint8_t v) { Raw(&v, 1); }
  void U16(uint16_t v) { Raw(&v, 2); }
  void U32(uint32_t v) { Raw(&v, 4); }
  void F32(float v) { Raw(&v, 4); }
  void Vec3(const Vector3& v) { F32(v.x), F32(v.y), F32(v.z); }
  void Quat(const Quaternion& q) { F32(q.x), F32(q.y), F32(q.z), F32(q.w); }
  void Key(const ModelKey& k) { Vec3(k.position), Quat(k.rotation), Vec3(k.scale); }
  void Box(const ModelBox& b) { Vec3(b.minimum), Vec3(b.maximum); }
  void Vertex(const ModelFileVertex& v) { F32(v.u), F32(v.v), Vec3(v.normal), Vec3(v.position); }
  void String(const std::string& s) {
    U32(static_cast<uint32_t>(s.size()));
    Raw(s.data(), s.size());
  }

 private:
  std::vector<uint8_t> m_bytes;
};
