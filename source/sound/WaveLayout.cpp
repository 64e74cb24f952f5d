#include "source/sound/WaveLayout.h"

#include <algorithm>
#include <cstring>

namespace {

// A file that needs more chunks than this before its data is not a sound of ours.
constexpr int kMaxChunks = 4096;
// Playing starts this far into the data (a frame or two), where the game's sounds always start.
constexpr uint32_t kDataSkip = 4;

uint16_t Word16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Word32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

bool ReadFormat(cStream& stream, uint64_t at, uint32_t size, audio::WaveFormat& format) {
  if (size < 16) return false;
  uint8_t bytes[18] = {};
  const uint32_t wanted = size >= 18 ? 18 : 16;
  if (stream.ReadAt(static_cast<uint32_t>(at), bytes, wanted) != wanted) return false;
  format.format_tag = Word16(bytes);
  format.channels = Word16(bytes + 2);
  format.samples_per_sec = Word32(bytes + 4);
  format.avg_bytes_per_sec = Word32(bytes + 8);
  format.block_align = Word16(bytes + 12);
  format.bits_per_sample = Word16(bytes + 14);
  // PCM has no extra bytes; other formats state how many follow (no more than the chunk holds).
  format.extra_size = format.format_tag == audio::kFormatPcm || wanted < 18
                          ? 0
                          : static_cast<uint16_t>(std::min<uint32_t>(Word16(bytes + 16), size - 18));
  // Without these no time or size can be worked out.
  return format.channels != 0 && format.samples_per_sec != 0 && format.block_align != 0;
}

}  // namespace

bool ReadWaveLayout(cStream& stream, uint32_t base, WaveLayout& layout) {
  const uint32_t size = stream.GetSize();
  if (base >= size) return false;
  const uint64_t end = size;
  uint8_t header[12];
  if (stream.ReadAt(base, header, sizeof header) != sizeof header) return false;
  if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) return false;

  bool have_format = false;
  bool have_data = false;
  uint64_t data = 0;
  uint32_t data_size = 0;
  uint64_t offset = uint64_t{base} + 12;
  for (int chunk = 0; chunk < kMaxChunks && offset + 8 <= end && !(have_format && have_data); ++chunk) {
    uint8_t head[8];
    if (stream.ReadAt(static_cast<uint32_t>(offset), head, sizeof head) != sizeof head) return false;
    const uint32_t chunk_size = Word32(head + 4);
    if (std::memcmp(head, "fmt ", 4) == 0 && !have_format) {
      if (!ReadFormat(stream, offset + 8, chunk_size, layout.format)) return false;
      have_format = true;
    } else if (std::memcmp(head, "data", 4) == 0 && !have_data) {
      data = offset + 8;
      data_size = chunk_size;
      have_data = true;
    }
    offset += 8 + uint64_t{chunk_size} + (chunk_size & 1);
  }
  if (!have_format || !have_data) return false;

  const uint32_t skip = std::min(kDataSkip, data_size);
  const uint64_t start = std::min(data + skip, end);
  // Never past the chunk, nor past what the stream holds, and whole blocks only.
  uint64_t length = std::min<uint64_t>(data_size - skip, end - start);
  length -= length % layout.format.block_align;
  layout.data_start = static_cast<uint32_t>(start - base);
  layout.data_length = static_cast<uint32_t>(length);
  layout.data_claimed = data_size - skip;
  return true;
}
