// The mixer's share of the sound card's callback: 16 playing buffers of mixed formats mixed into
// one period of 1,024 frames (goal: under 0.5 ms).

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/audio/Mixer.h"

namespace {

using audio::detail::Mixer;
using audio::detail::Voice;

void BM_MixerCallback16Buffers(benchmark::State& state) {
  Mixer mixer(audio::detail::kOutputRate);
  std::vector<std::unique_ptr<Voice>> voices;
  const audio::WaveFormat formats[] = {audio::PcmFormat(2, 44100, 16), audio::PcmFormat(1, 22050, 16),
                                       audio::PcmFormat(1, 44100, 16), audio::PcmFormat(1, 11025, 8)};
  for (int i = 0; i < 16; ++i) {
    const audio::WaveFormat& format = formats[i % 4];
    const uint32_t bytes = format.avg_bytes_per_sec * 3;
    auto voice = std::make_unique<Voice>(format, bytes, audio::detail::kOutputRate);
    for (uint32_t b = 0; b < bytes; ++b) voice->bytes[b] = static_cast<uint8_t>(b * 2654435761u >> 24);
    voice->playing = true;
    voice->looping = true;
    voice->gain = 0.2f;
    mixer.Add(voice.get());
    voices.push_back(std::move(voice));
  }
  std::vector<int16_t> out(audio::detail::kPeriodFrames * 2);
  for (auto _ : state) {
    mixer.Mix(out.data(), audio::detail::kPeriodFrames);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_MixerCallback16Buffers)->Unit(benchmark::kMicrosecond);

}  // namespace
