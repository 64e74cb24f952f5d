#pragma once
// Sounds for the sound benchmarks, made with the writers: a few notes with overtones, so the
// decoder has the work of real music.

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "source/sound/writer/SoundWriters.h"
#include "source/stream/cMemoryStream.h"

inline std::vector<float> BenchMusic(double seconds, uint32_t rate, uint16_t channels) {
  std::vector<float> samples;
  const auto frames = static_cast<size_t>(seconds * rate);
  const double notes[] = {261.6, 329.6, 392.0, 493.9};
  for (size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double f = notes[static_cast<size_t>(t * 2) % 4];
    const double v = 0.3 * std::sin(6.283185307 * f * t) + 0.1 * std::sin(6.283185307 * 2 * f * t) +
                     0.05 * std::sin(6.283185307 * 55 * t);
    for (uint16_t c = 0; c < channels; ++c) samples.push_back(static_cast<float>(c == 0 ? v : 0.8 * v));
  }
  return samples;
}

inline std::string BenchOgg(double seconds, uint32_t rate = 44100, uint16_t channels = 2) {
  cMemoryStream stream;
  WriteOggVorbis(stream, BenchMusic(seconds, rate, channels), channels, rate, 0.4f, 3);
  return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

inline std::string BenchWav(double seconds, uint32_t rate = 22050) {
  const audio::WaveFormat format = PcmFormat(1, rate, 16);
  const std::vector<uint8_t> pcm = ToPcm(BenchMusic(seconds, rate, 1), format);
  cMemoryStream stream;
  WriteWav(stream, format, pcm.data(), static_cast<uint32_t>(pcm.size()));
  return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

inline std::unique_ptr<cStream> BenchStream(const std::string& bytes) {
  auto stream = std::make_unique<cMemoryStream>();
  stream->Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  stream->Seek(0, 0);
  return stream;
}
