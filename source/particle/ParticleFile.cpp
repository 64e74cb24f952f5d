#include "source/particle/ParticleFile.h"

#include <cstring>
#include <vector>

#include "source/log/cLog.h"
#include "source/stream/Encoding.h"

namespace {

constexpr const char* kSource = "source\\particle\\ParticleSystem";
constexpr int kFormatLine = 72;
constexpr int kVersionLine = 78;
constexpr uint32_t kHeaderBytes = 13;
constexpr uint32_t kLargestFile = 501;  // version 205

// The layout a version is read and written in.
uint32_t LayoutOf(uint32_t version) { return version > kParticleFileVersion ? 204 : version; }

// One walk over the fields in file order, for reading and writing alike, so the two always agree.
template <class Io, class Data>
bool WalkFields(Io& io, Data& d, uint32_t layout) {
  bool ok = io.U32(d.max_particles) && io.F32(d.cycle_duration) && io.U8(d.gravity_on) && io.F32(d.gravity) &&
            io.U8(d.floor_on) && io.F32(d.floor_height) && io.F32(d.bounce) && io.U8(d.die_when_stopped) &&
            io.F32(d.min_speed_factor) && io.U8(d.interpolate_emission);
  for (auto* curve : {&d.emission, &d.life_min, &d.life_max}) {
    for (auto& key : *curve) ok = ok && io.F32(key);
  }
  for (auto* curve : {&d.direction, &d.direction_variance}) {
    for (auto& key : *curve) ok = ok && io.F32(key.x) && io.F32(key.y) && io.F32(key.z);
  }
  for (auto& key : d.color) ok = ok && io.F32(key.x) && io.F32(key.y) && io.F32(key.z) && io.F32(key.w);
  for (auto& key : d.size) ok = ok && io.F32(key);
  for (auto& key : d.speed) ok = ok && io.F32(key);
  if (layout >= 204) {
    for (auto& key : d.speed_variance) ok = ok && io.F32(key);
  }
  ok = ok && io.U32(d.emitter_shape);
  for (auto* corner : {&d.box_min, &d.box_max}) ok = ok && io.F32(corner->x) && io.F32(corner->y) && io.F32(corner->z);
  if (layout >= 205) {
    for (auto* curve : {&d.rotation, &d.rotation_variance}) {
      for (auto& key : *curve) ok = ok && io.F32(key);
    }
  }
  return ok;
}

class ByteReader {
 public:
  explicit ByteReader(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}
  bool U8(uint8_t& v) { return Take(&v, 1); }
  bool U32(uint32_t& v) { return Take(&v, 4); }
  bool F32(float& v) { return Take(&v, 4); }

 private:
  bool Take(void* out, std::size_t n) {
    if (n > m_bytes.size() - m_position) return false;
    std::memcpy(out, m_bytes.data() + m_position, n);
    m_position += n;
    return true;
  }
  const std::vector<uint8_t>& m_bytes;
  std::size_t m_position = 0;
};

class StreamWriter {
 public:
  explicit StreamWriter(cStream& stream) : m_stream(stream) {}
  bool U8(const uint8_t& v) { return m_stream.Write(&v, 1) == 1; }
  bool U32(const uint32_t& v) { return WriteUInt32(m_stream, v); }
  bool F32(const float& v) { return WriteFloat(m_stream, v); }

 private:
  cStream& m_stream;
};

}  // namespace

uint32_t ParticleFileSize(uint32_t version) {
  if (version < kParticleFileOldest) return 0;
  const uint32_t layout = LayoutOf(version);
  return layout >= 205 ? kLargestFile : layout == 204 ? kLargestFile - 48 : kLargestFile - 72;
}

bool ReadParticleFile(cStream& stream, const std::string& name, ParticleFileData& data) {
  const uint32_t available = RemainingBytes(stream);
  uint32_t size = 0, version = 0;
  char magic[5] = {};
  if (!ReadUInt32(stream, size) || stream.Read(magic, 5) != 5 || std::memcmp(magic, kParticleFileMagic, 5) != 0 ||
      size != available || !ReadUInt32(stream, version)) {
    LogReport(kLogError, kSource, kFormatLine, "Incorrect \"%s\" file format", name.c_str());
    return false;
  }
  if (version < kParticleFileOldest) {
    LogReport(kLogError, kSource, kVersionLine, "Incorrect \"%s\" format version, current is %i\n", name.c_str(),
              static_cast<int>(kParticleFileVersion));
    return false;
  }
  // The body has a fixed size: only that much is read, however much the file claims.
  std::vector<uint8_t> body(ParticleFileSize(version) - kHeaderBytes);
  ParticleFileData read;
  read.version = version;
  ByteReader reader(body);
  if (stream.Read(body.data(), static_cast<uint32_t>(body.size())) != body.size() ||
      !WalkFields(reader, read, LayoutOf(version))) {
    LogReport(kLogError, kSource, kFormatLine, "Incorrect \"%s\" file format", name.c_str());
    return false;
  }
  data = read;
  return true;
}

bool WriteParticleFile(cStream& stream, const ParticleFileData& data) {
  const uint32_t size = ParticleFileSize(data.version);
  if (size == 0) return false;
  StreamWriter writer(stream);
  return WriteUInt32(stream, size) && stream.Write(kParticleFileMagic, 5) == 5 && WriteUInt32(stream, data.version) &&
         WalkFields(writer, data, LayoutOf(data.version));
}
