// The mixer: linear resampling of 8- and 16-bit, mono and stereo voices into a float sum, then
// clipping into 16-bit stereo.

#include "platform/audio/Mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "platform/audio/audio.h"

namespace audio {

float GainForVolume(int32_t volume) {
  if (volume <= kVolumeMin) return 0.0f;
  return static_cast<float>(std::pow(10.0, std::min(volume, kVolumeMax) / 2000.0));
}

namespace detail {
namespace {

constexpr float kFraction = 1.0f / 4294967296.0f;

template <int kBits>
float SampleAt(const uint8_t* at) {
  if constexpr (kBits == 8) {
    return (static_cast<float>(*at) - 128.0f) * (1.0f / 128.0f);
  } else {
    int16_t value;
    std::memcpy(&value, at, sizeof value);
    return static_cast<float>(value) * (1.0f / 32768.0f);
  }
}

template <int kBits, int kChannels>
void FrameAt(const Voice& voice, uint32_t frame, float& left, float& right) {
  const uint8_t* at = voice.bytes.get() + static_cast<size_t>(frame) * voice.block_align;
  left = SampleAt<kBits>(at);
  right = kChannels == 2 ? SampleAt<kBits>(at + kBits / 8) : left;
}

// Moves a voice on by `frames` output frames without mixing it (it is silent).
void Skip(Voice& voice, uint32_t frames) {
  const uint64_t end = static_cast<uint64_t>(voice.frames) << 32;
  const uint64_t next = voice.position + voice.step * frames;
  if (next < end) {
    voice.position = next;
  } else if (voice.looping) {
    voice.position = next % end;
  } else {
    voice.playing = false;
    voice.position = 0;
  }
}

template <int kBits, int kChannels>
void MixVoice(Voice& voice, float* sum, uint32_t frames) {
  const uint64_t end = static_cast<uint64_t>(voice.frames) << 32;
  const float gain = voice.gain;
  uint64_t position = voice.position;
  for (uint32_t i = 0; i < frames; ++i) {
    const uint32_t frame = static_cast<uint32_t>(position >> 32);
    uint32_t next = frame + 1;
    if (next == voice.frames) next = voice.looping ? 0 : frame;
    float l0, r0, l1, r1;
    FrameAt<kBits, kChannels>(voice, frame, l0, r0);
    FrameAt<kBits, kChannels>(voice, next, l1, r1);
    const float t = static_cast<float>(static_cast<uint32_t>(position)) * kFraction;
    sum[2 * i] += (l0 + (l1 - l0) * t) * gain;
    sum[2 * i + 1] += (r0 + (r1 - r0) * t) * gain;
    position += voice.step;
    if (position >= end) {
      if (!voice.looping) {
        voice.playing = false;
        voice.position = 0;
        return;
      }
      position %= end;
    }
  }
  voice.position = position;
}

void MixOne(Voice& voice, float* sum, uint32_t frames) {
  if (voice.gain == 0.0f) return Skip(voice, frames);
  const bool stereo = voice.channels == 2;
  if (voice.bits == 8) {
    stereo ? MixVoice<8, 2>(voice, sum, frames) : MixVoice<8, 1>(voice, sum, frames);
  } else {
    stereo ? MixVoice<16, 2>(voice, sum, frames) : MixVoice<16, 1>(voice, sum, frames);
  }
}

}  // namespace

Voice::Voice(const WaveFormat& format, uint32_t buffer_bytes, uint32_t output_rate)
    : channels(format.channels),
      bits(format.bits_per_sample),
      block_align(format.block_align),
      frames(buffer_bytes / format.block_align),
      step((static_cast<uint64_t>(format.samples_per_sec) << 32) / output_rate),
      bytes(new (std::nothrow) uint8_t[buffer_bytes]) {
  // A new buffer holds silence.
  if (bytes) std::memset(bytes.get(), format.bits_per_sample == 8 ? 0x80 : 0, buffer_bytes);
}

void Mixer::Add(Voice* voice) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_voices.push_back(voice);
}

void Mixer::Remove(Voice* voice) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_voices.erase(std::remove(m_voices.begin(), m_voices.end(), voice), m_voices.end());
}

void Mixer::SetMasterGain(float gain) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_master = gain;
}

void Mixer::Mix(int16_t* out, uint32_t frames) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_period = frames;
  if (m_sum.size() < static_cast<size_t>(frames) * kOutputChannels) m_sum.resize(static_cast<size_t>(frames) * kOutputChannels);
  float* sum = m_sum.data();
  std::fill(sum, sum + static_cast<size_t>(frames) * kOutputChannels, 0.0f);
  for (Voice* voice : m_voices) {
    if (voice->playing) MixOne(*voice, sum, frames);
  }
  const float master = m_master * 32767.0f;
  for (size_t i = 0; i < static_cast<size_t>(frames) * kOutputChannels; ++i) {
    out[i] = static_cast<int16_t>(std::lrint(std::clamp(sum[i] * master, -32768.0f, 32767.0f)));
  }
}

uint32_t Mixer::LeadFrames(const Voice& voice) const {
  const uint64_t lead = voice.step * m_period;
  return static_cast<uint32_t>((lead + 0xFFFFFFFFull) >> 32);
}

}  // namespace detail
}  // namespace audio
