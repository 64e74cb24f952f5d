#include "gui/include/FontFile.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "source/stream/Encoding.h"
#include "source/stream/cMemoryStream.h"

namespace {

constexpr char kMagic[5] = {'E', 'E', 'F', 'N', 'T'};

uint32_t LoadUInt32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

float LoadFloat(const uint8_t* bytes) {
  const uint32_t bits = LoadUInt32(bytes);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

bool ReadGlyph(const uint8_t* record, uint16_t& code, GUIGlyph& glyph) {
  code = static_cast<uint16_t>(record[0] | record[1] << 8);
  float* fields[] = {&glyph.u, &glyph.v, &glyph.w, &glyph.h, &glyph.advance};
  for (int i = 0; i < 5; ++i) {
    *fields[i] = LoadFloat(record + 2 + 4 * i);
    if (!std::isfinite(*fields[i])) return false;
  }
  return true;
}

}  // namespace

FontFileStatus ReadFontFile(const uint8_t* data, uint32_t size, GUIGlyphTable& glyphs) {
  if (data == nullptr || size < kFontFileHeaderSize) return FontFileStatus::kBadFormat;
  if (LoadUInt32(data) != size || std::memcmp(data + 4, kMagic, sizeof kMagic) != 0) {
    return FontFileStatus::kBadFormat;
  }
  if (LoadUInt32(data + 9) != kFontFileVersion) return FontFileStatus::kBadVersion;
  const uint64_t count = LoadUInt32(data + 13);
  if (uint64_t{kFontFileHeaderSize} + count * kFontFileRecordSize != size) return FontFileStatus::kBadFormat;
  GUIGlyphTable read;
  const uint8_t* record = data + kFontFileHeaderSize;
  for (uint64_t i = 0; i < count; ++i, record += kFontFileRecordSize) {
    uint16_t code;
    GUIGlyph glyph;
    if (!ReadGlyph(record, code, glyph)) return FontFileStatus::kBadFormat;
    read.emplace(code, glyph);  // a repeated code keeps its first record
  }
  glyphs = std::move(read);
  return FontFileStatus::kRead;
}

bool WriteFontFile(cStream& stream, const GUIGlyphTable& glyphs) {
  const uint64_t size = kFontFileHeaderSize + uint64_t{kFontFileRecordSize} * glyphs.size();
  if (size > std::numeric_limits<uint32_t>::max()) return false;
  cMemoryStream file;
  bool ok = WriteUInt32(file, static_cast<uint32_t>(size)) && file.Write(kMagic, sizeof kMagic) == sizeof kMagic &&
            WriteUInt32(file, kFontFileVersion) && WriteUInt32(file, static_cast<uint32_t>(glyphs.size()));
  for (const auto& [code, glyph] : glyphs) {
    const uint8_t code_bytes[2] = {static_cast<uint8_t>(code & 0xFF), static_cast<uint8_t>(code >> 8)};
    ok = ok && file.Write(code_bytes, 2) == 2 && WriteFloat(file, glyph.u) && WriteFloat(file, glyph.v) &&
         WriteFloat(file, glyph.w) && WriteFloat(file, glyph.h) && WriteFloat(file, glyph.advance);
  }
  if (!ok || file.GetSize() != size) return false;
  return stream.Write(file.GetData(), file.GetSize()) == file.GetSize();
}
