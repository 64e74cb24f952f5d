#include <algorithm>
#include <cmath>

#include "source/sound/writer/SoundWriters.h"

namespace {

bool Put(cStream& stream, const void* bytes, uint32_t count) { return stream.Write(bytes, count) == count; }

bool PutWord32(cStream& stream, uint32_t value) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  return Put(stream, bytes, 4);
}

bool PutWord16(cStream& stream, uint16_t value) {
  const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
  return Put(stream, bytes, 2);
}

}  // namespace

bool WriteWav(cStream& stream, const audio::WaveFormat& format, const void* pcm, uint32_t bytes) {
  const uint32_t pad = bytes & 1;
  return Put(stream, "RIFF", 4) && PutWord32(stream, 4 + 24 + 8 + bytes + pad) && Put(stream, "WAVE", 4) &&
         Put(stream, "fmt ", 4) && PutWord32(stream, 16) && PutWord16(stream, format.format_tag) &&
         PutWord16(stream, format.channels) && PutWord32(stream, format.samples_per_sec) &&
         PutWord32(stream, format.avg_bytes_per_sec) && PutWord16(stream, format.block_align) &&
         PutWord16(stream, format.bits_per_sample) && Put(stream, "data", 4) && PutWord32(stream, bytes) &&
         (bytes == 0 || Put(stream, pcm, bytes)) && (pad == 0 || Put(stream, "\0", 1));
}

std::vector<uint8_t> ToPcm(const std::vector<float>& samples, const audio::WaveFormat& format) {
  std::vector<uint8_t> pcm;
  pcm.reserve(samples.size() * format.bits_per_sample / 8);
  for (float sample : samples) {
    const float clipped = std::clamp(sample, -1.0f, 1.0f);
    if (format.bits_per_sample == 8) {
      pcm.push_back(static_cast<uint8_t>(std::lround(clipped * 127.0f) + 128));
    } else {
      const auto value = static_cast<int16_t>(std::lround(clipped * 32767.0f));
      pcm.push_back(static_cast<uint8_t>(value));
      pcm.push_back(static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8));
    }
  }
  return pcm;
}
