#pragma once
// Inside the audio service: the mixer that every output runs in its stream callback, and the
// voice (the mixer's side of one secondary buffer). Not for use outside platform/audio.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio/Types.h"

namespace audio::detail {

// The output every backend produces: interleaved 16-bit stereo at kOutputRate.
inline constexpr uint32_t kOutputRate = 44100;
inline constexpr uint32_t kOutputChannels = 2;
inline constexpr uint32_t kPeriodFrames = 1024;  // what the mixer takes at one call, normally

// One secondary buffer's bytes and play state. Everything after `bytes` is guarded by the
// mixer's lock.
struct Voice {
  Voice(const WaveFormat& format, uint32_t buffer_bytes, uint32_t output_rate);

  uint32_t channels;
  uint32_t bits;
  uint32_t block_align;
  uint32_t frames;
  uint64_t step;  // source frames per output frame, 32.32 fixed point
  std::unique_ptr<uint8_t[]> bytes;

  uint64_t position = 0;  // in frames, 32.32 fixed point
  bool playing = false;
  bool looping = false;
  float gain = 1.0f;
};

class Mixer {
 public:
  explicit Mixer(uint32_t output_rate) : m_rate(output_rate) {}

  std::mutex& Mutex() const { return m_mutex; }
  uint32_t GetRate() const { return m_rate; }

  void Add(Voice* voice);
  void Remove(Voice* voice);
  void SetMasterGain(float gain);

  // Mixes `frames` stereo frames of every playing voice into `out` (resampled linearly, summed in
  // float, clipped) and moves their play positions on. Takes the mixer's lock for the call.
  void Mix(int16_t* out, uint32_t frames);

  // Source frames the mixer takes beyond the play position at one call (the write cursor's lead).
  uint32_t LeadFrames(const Voice& voice) const;

 private:
  mutable std::mutex m_mutex;
  std::vector<Voice*> m_voices;
  std::vector<float> m_sum;
  float m_master = 1.0f;
  uint32_t m_rate;
  uint32_t m_period = kPeriodFrames;
};

// The base of an open output (sound card or memory). The backend's destructor stops its stream
// before the mixer goes.
class Output {
 public:
  explicit Output(uint32_t rate) : m_mixer(rate) {}
  virtual ~Output() = default;
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  Mixer& GetMixer() { return m_mixer; }

 private:
  Mixer m_mixer;
};

}  // namespace audio::detail
