#pragma once
// Sound files for the sound tests: RIFF chunks put together by hand, and tones written through the
// WAV and Ogg Vorbis writers.

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "source/sound/writer/SoundWriters.h"
#include "source/stream/cMemoryStream.h"

namespace sound_fixtures {

inline std::string Word32(uint32_t v) {
  return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                     static_cast<char>(v >> 24)};
}
inline std::string Word16(uint16_t v) { return std::string{static_cast<char>(v), static_cast<char>(v >> 8)}; }

// A chunk: id, size, body and the pad byte after an odd body.
inline std::string Chunk(const char* id, const std::string& body) {
  return std::string(id, 4) + Word32(static_cast<uint32_t>(body.size())) + body + std::string(body.size() % 2, '\0');
}
inline std::string Riff(const std::string& chunks) {
  return "RIFF" + Word32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}
// The 16 bytes of a PCM "fmt " body, plus `extra` (the size word and its bytes, for 18 bytes and more).
inline std::string FmtBody(uint16_t channels, uint32_t rate, uint16_t bits, const std::string& extra = "") {
  const uint16_t block = static_cast<uint16_t>(channels * bits / 8);
  return Word16(1) + Word16(channels) + Word32(rate) + Word32(rate * block) + Word16(block) + Word16(bits) + extra;
}
// `count` bytes counting up from `first`, so where a read starts shows in its bytes.
inline std::string Counting(size_t count, uint8_t first = 0) {
  std::string bytes(count, '\0');
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>(first + i);
  return bytes;
}

inline std::vector<float> Tone(double seconds, double frequency, float level, uint32_t rate, uint16_t channels) {
  const auto frames = static_cast<size_t>(seconds * rate);
  std::vector<float> samples;
  for (size_t i = 0; i < frames; ++i) {
    const float value = level * static_cast<float>(std::sin(6.283185307179586 * frequency * i / rate));
    for (uint16_t c = 0; c < channels; ++c) samples.push_back(value);
  }
  return samples;
}

inline std::string Bytes(cMemoryStream& stream) {
  return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

inline std::string ToneWav(double seconds, double frequency, float level, uint32_t rate = 22050,
                           uint16_t channels = 1, uint16_t bits = 16) {
  const audio::WaveFormat format = PcmFormat(channels, rate, bits);
  const std::vector<uint8_t> pcm = ToPcm(Tone(seconds, frequency, level, rate, channels), format);
  cMemoryStream stream;
  WriteWav(stream, format, pcm.data(), static_cast<uint32_t>(pcm.size()));
  return Bytes(stream);
}

inline std::string ToneOgg(double seconds, double frequency, float level, uint32_t rate = 44100,
                           uint16_t channels = 1) {
  cMemoryStream stream;
  WriteOggVorbis(stream, Tone(seconds, frequency, level, rate, channels), channels, rate, 0.4f, 7);
  return Bytes(stream);
}

inline std::unique_ptr<cStream> StreamOf(const std::string& bytes) {
  auto stream = std::make_unique<cMemoryStream>();
  stream->Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  stream->Seek(0, 0);
  return stream;
}

}  // namespace sound_fixtures
