#include "source/shaders/ShaderFile.h"

#include <cctype>
#include <cstring>

#include "source/log/cLog.h"
#include "source/stream/Encoding.h"

namespace {

constexpr const char* kSource = "source\\shaders\\ShaderDescriptor";
constexpr int kFormatLine = 91;
constexpr int kVersionLine = 97;
constexpr uint32_t kHeaderBytes = 13;
// The smallest stage entry: flags, type, two empty names, two address modes, scale and offset.
constexpr uint32_t kMinStageBytes = 4 + 4 + 4 + 4 + 4 + 4 + 8 + 8;

bool ReadVector2(cStream& s, Vector2& v) { return ReadFloat(s, v.x) && ReadFloat(s, v.y); }
bool ReadVector4(cStream& s, Vector4& v) {
  return ReadFloat(s, v.x) && ReadFloat(s, v.y) && ReadFloat(s, v.z) && ReadFloat(s, v.w);
}
bool WriteVector2(cStream& s, const Vector2& v) { return WriteFloat(s, v.x) && WriteFloat(s, v.y); }
bool WriteVector4(cStream& s, const Vector4& v) {
  return WriteFloat(s, v.x) && WriteFloat(s, v.y) && WriteFloat(s, v.z) && WriteFloat(s, v.w);
}

bool UsesFrames(uint32_t type) { return type != kAnimationNone; }
bool UsesNet(uint32_t type) { return type == kAnimationNet || type == kAnimationSequence; }

bool ReadStage(cStream& s, ShaderStage& stage) {
  if (!ReadUInt32(s, stage.flags) || !ReadUInt32(s, stage.animation)) return false;
  if (UsesFrames(stage.animation) && !(ReadUInt32(s, stage.frame_count) && ReadFloat(s, stage.speed))) return false;
  if (UsesNet(stage.animation) && !(ReadUInt32(s, stage.net_width) && ReadUInt32(s, stage.net_height))) return false;
  return ReadString(s, stage.diffuse) && ReadString(s, stage.opacity) && ReadUInt32(s, stage.address_u) &&
         ReadUInt32(s, stage.address_v) && ReadVector2(s, stage.scale) && ReadVector2(s, stage.offset);
}

bool WriteStage(cStream& s, const ShaderStage& stage) {
  bool ok = WriteUInt32(s, stage.flags) && WriteUInt32(s, stage.animation);
  if (ok && UsesFrames(stage.animation)) ok = WriteUInt32(s, stage.frame_count) && WriteFloat(s, stage.speed);
  if (ok && UsesNet(stage.animation)) ok = WriteUInt32(s, stage.net_width) && WriteUInt32(s, stage.net_height);
  return ok && WriteString(s, stage.diffuse) && WriteString(s, stage.opacity) && WriteUInt32(s, stage.address_u) &&
         WriteUInt32(s, stage.address_v) && WriteVector2(s, stage.scale) && WriteVector2(s, stage.offset);
}

bool WriteHeader(cStream& s, uint32_t size) {
  return WriteUInt32(s, size) && s.Write(kShaderFileMagic, 5) == 5 && WriteUInt32(s, kShaderFileVersion);
}

// The body after the header; false when anything runs past the end.
bool ReadBody(cStream& s, ShaderDescriptor& d) {
  uint32_t count = 0;
  if (!ReadUInt32(s, d.m_flags) || !ReadVector4(s, d.m_color1) || !ReadVector4(s, d.m_color2) ||
      !ReadVector4(s, d.m_color3) || !ReadVector4(s, d.m_color4) || !ReadFloat(s, d.m_value_a) ||
      !ReadFloat(s, d.m_value_b) || !ReadUInt32(s, d.m_source_blend) || !ReadUInt32(s, d.m_dest_blend) ||
      !ReadUInt32(s, count)) {
    return false;
  }
  if (count > RemainingBytes(s) / kMinStageBytes) return false;
  for (uint32_t i = 0; i < count; ++i) {
    ShaderStage read;
    if (!ReadStage(s, read)) return false;
    // A third stage is refused by AddStage (logged) and leaves the second alone.
    if (!d.AddStage(read.flags, read.animation, read.net_width, read.net_height, read.frame_count, read.speed,
                    ShaderTextureName(read.diffuse), ShaderTextureName(read.opacity), kAddressClamp)) {
      continue;
    }
    ShaderStage& added = d.GetStage(d.GetStageCount() - 1);
    added.address_u = read.address_u;
    added.address_v = read.address_v;
    added.scale = read.scale;
    added.offset = read.offset;
  }
  return true;
}

}  // namespace

std::string ShaderTextureName(const std::string& name) {
  std::string reduced;
  reduced.reserve(name.size());
  for (char c : name) {
    reduced.push_back(c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  // Only a texture file's own extension goes: a name read back from a pack keeps the dots of its
  // file name ("fx\\glow.v2" stays itself however often it is packed).
  for (const char* extension : {".tga", ".jpg"}) {
    const std::size_t length = std::strlen(extension);
    if (reduced.size() > length && reduced.compare(reduced.size() - length, length, extension) == 0) {
      reduced.erase(reduced.size() - length);
      break;
    }
  }
  return reduced;
}

bool ReadShaderFile(cStream& stream, const std::string& name, ShaderDescriptor& descriptor) {
  descriptor = ShaderDescriptor();
  const uint32_t available = RemainingBytes(stream);
  uint32_t size = 0, version = 0;
  char magic[5] = {};
  if (!ReadUInt32(stream, size) || stream.Read(magic, 5) != 5 || std::memcmp(magic, kShaderFileMagic, 5) != 0 ||
      size != available) {
    LogReport(kLogError, kSource, kFormatLine, "Incorrect \"%s\" file format", name.c_str());
    return false;
  }
  if (!ReadUInt32(stream, version) || version != kShaderFileVersion) {
    LogReport(kLogError, kSource, kVersionLine, "Incorrect \"%s\" version, current is %u", name.c_str(),
              kShaderFileVersion);
    return false;
  }
  ShaderDescriptor read;
  if (!ReadBody(stream, read)) {
    LogReport(kLogError, kSource, kFormatLine, "Incorrect \"%s\" file format", name.c_str());
    return false;
  }
  descriptor = read;
  return true;
}

bool WriteShaderFile(cStream& stream, const ShaderDescriptor& d) {
  const uint32_t start = stream.Tell();
  bool ok = WriteHeader(stream, 0) && WriteUInt32(stream, d.m_flags) && WriteVector4(stream, d.m_color1) &&
            WriteVector4(stream, d.m_color2) && WriteVector4(stream, d.m_color3) && WriteVector4(stream, d.m_color4) &&
            WriteFloat(stream, d.m_value_a) && WriteFloat(stream, d.m_value_b) &&
            WriteUInt32(stream, d.m_source_blend) && WriteUInt32(stream, d.m_dest_blend) &&
            WriteUInt32(stream, d.GetStageCount());
  for (uint32_t i = 0; ok && i < d.GetStageCount(); ++i) ok = WriteStage(stream, d.GetStage(i));
  if (!ok) return false;
  const uint32_t end = stream.Tell();
  if (end - start < kHeaderBytes) return false;
  stream.Seek(static_cast<int32_t>(start), 0);
  ok = WriteHeader(stream, end - start);
  // Callers that write more after the file (a scene's embedded shaders) go on at its end.
  stream.Seek(static_cast<int32_t>(end), 0);
  return ok;
}
