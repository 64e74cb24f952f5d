#pragma once
// The audio service of the platform layer: the DirectSound operations the sound code uses, with
// their meaning and result codes. A device at a cooperative level, a primary buffer with a 3D
// listener, and looping secondary buffers that the sound code fills through Lock and Unlock. Our
// own mixer mixes every playing buffer into the sound card's stream (SDL2's audio callback), or,
// with VELMARIS_HEADLESS=1, into memory as the test's clock asks (see headless/HeadlessAudio.h).
//
// Objects are shared: a buffer keeps its device's output alive; the output (and the sound card)
// closes when the device and its last buffer are released. A device and its buffers may be used
// from any thread, but one buffer by one thread at a time (the sound code's own lock sees to it).
// The mixer takes only its own small lock, never the caller's.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/Types.h"

namespace window {
struct NativeWindow;
}

namespace audio {

namespace detail {
class Output;
struct Voice;
}  // namespace detail

// The 3D listener of the primary buffer. Settings made deferred wait for CommitDeferredSettings.
// Nothing of ours is positioned in 3D, so the settings are only kept.
class Listener {
 public:
  Result SetPosition(float x, float y, float z, uint32_t apply);
  Result SetVelocity(float x, float y, float z, uint32_t apply);
  Result SetOrientation(const Vector3& front, const Vector3& top, uint32_t apply);
  Result SetDistanceFactor(float factor, uint32_t apply);  // above 0
  Result SetRolloffFactor(float factor, uint32_t apply);   // 0..10
  Result SetDopplerFactor(float factor, uint32_t apply);   // 0..10
  Result CommitDeferredSettings();
  Result GetAllParameters(ListenerSettings* settings) const;

 private:
  template <class Change>
  Result Apply(uint32_t apply, Change change);

  ListenerSettings m_current;
  ListenerSettings m_deferred;
};

class Buffer {
 public:
  ~Buffer();
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;

  // `caps->size` must be kBufferCapsSize.
  Result GetCaps(BufferCaps* caps) const;
  Result GetFormat(WaveFormat* format) const;
  // Hands out the span of `bytes` from `offset` as two parts: the second is the part past the
  // buffer's end, from its start (null and 0 when the span does not wrap). The parts hold the
  // buffer's bytes; Unlock takes back the lengths written. One lock at a time.
  Result Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
              uint32_t* bytes2, uint32_t flags);
  Result Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2);
  // kPlayLooping plays round and round; without it the buffer stops at its end.
  Result Play(uint32_t reserved, uint32_t priority, uint32_t flags);
  // Keeps the position.
  Result Stop();
  // Byte offsets, whole blocks. The write cursor runs ahead of the play cursor by what the mixer
  // takes at once; where a buffer is stopped both are its position.
  Result GetCurrentPosition(uint32_t* play, uint32_t* write) const;
  Result SetCurrentPosition(uint32_t position);
  Result GetStatus(uint32_t* status) const;
  // Hundredths of a decibel, kVolumeMin..kVolumeMax; needs kBufferCtrlVolume.
  Result SetVolume(int32_t volume);
  Result GetVolume(int32_t* volume) const;
  // The listener of a primary buffer made with kBufferCtrl3D; DSERR_NOINTERFACE otherwise.
  Result QueryListener(std::shared_ptr<Listener>& listener);

 private:
  friend class Device;
  Buffer(std::shared_ptr<detail::Output> output, uint32_t flags, const WaveFormat& format, uint32_t bytes);
  bool IsPrimary() const { return !m_voice; }

  std::shared_ptr<detail::Output> m_output;
  std::unique_ptr<detail::Voice> m_voice;  // what the mixer plays; none for the primary buffer
  uint32_t m_flags;
  WaveFormat m_format;
  uint32_t m_bytes;
  int32_t m_volume = kVolumeMax;
  std::shared_ptr<Listener> m_listener;
  // Lock hands out a copy of the locked span, so the mixer never reads bytes being written;
  // Unlock copies back what the caller says it wrote.
  std::vector<uint8_t> m_staging;
  uint32_t m_lock_offset = 0;
  uint32_t m_lock_first = 0;
  uint32_t m_lock_second = 0;
  bool m_locked = false;
};

class Device {
 public:
  explicit Device(std::shared_ptr<detail::Output> output);
  ~Device();
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  // The window is kept for the caller's sake only: sound does not follow the focus.
  Result SetCooperativeLevel(window::NativeWindow* window, uint32_t level);
  // Refuses what DirectSound refuses: a description of another size, a primary buffer with a
  // size or format, a secondary one without a format, of a size outside kBufferBytesMin..Max, a
  // format other than 8- or 16-bit PCM in one or two channels at kFrequencyMin..Max with a
  // matching block and byte rate, and 3D control over a stereo format.
  Result CreateSoundBuffer(const BufferDesc& desc, std::shared_ptr<Buffer>& buffer);

 private:
  std::shared_ptr<detail::Output> m_output;
  uint32_t m_level = 0;
  std::weak_ptr<Buffer> m_primary;  // the one primary buffer, handed out again while it lives
};

// Opens the default sound card (the headless output with VELMARIS_HEADLESS=1). DSERR_NODRIVER
// when there is none; LastErrorText then says why.
Result CreateDevice(std::shared_ptr<Device>& device);
std::string LastErrorText();
// The backend the next CreateDevice uses: "sdl" or "headless".
const char* BackendName();

// The gain a volume stands for: 10^(volume / 2000), and exactly 0 at kVolumeMin.
float GainForVolume(int32_t volume);

}  // namespace audio
