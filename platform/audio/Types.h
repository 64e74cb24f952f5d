#pragma once
// Numbers and records of the audio service: result codes, buffer and play flags, status bits,
// the wave format and the buffer description. They keep DirectSound's meanings and numbers,
// because the sound code tests results and flags by value.

#include <cstdint>

namespace audio {

using Result = int32_t;

constexpr bool Failed(Result r) { return r < 0; }
constexpr bool Succeeded(Result r) { return r >= 0; }

inline constexpr Result DS_OK = 0;
inline constexpr Result DSERR_GENERIC = static_cast<Result>(0x80004005u);
inline constexpr Result DSERR_INVALIDPARAM = static_cast<Result>(0x80070057u);
inline constexpr Result DSERR_OUTOFMEMORY = static_cast<Result>(0x8007000Eu);
inline constexpr Result DSERR_NOINTERFACE = static_cast<Result>(0x80004002u);
inline constexpr Result DSERR_CONTROLUNAVAIL = static_cast<Result>(0x8878001Eu);
inline constexpr Result DSERR_INVALIDCALL = static_cast<Result>(0x88780032u);
inline constexpr Result DSERR_BADFORMAT = static_cast<Result>(0x88780064u);
inline constexpr Result DSERR_NODRIVER = static_cast<Result>(0x88780078u);

// Cooperative levels.
inline constexpr uint32_t kLevelNormal = 1;
inline constexpr uint32_t kLevelPriority = 2;
inline constexpr uint32_t kLevelExclusive = 3;
inline constexpr uint32_t kLevelWritePrimary = 4;

// Buffer description and capability flags.
inline constexpr uint32_t kBufferPrimary = 0x1;
inline constexpr uint32_t kBufferLocSoftware = 0x8;
inline constexpr uint32_t kBufferCtrl3D = 0x10;
inline constexpr uint32_t kBufferCtrlFrequency = 0x20;
inline constexpr uint32_t kBufferCtrlPan = 0x40;
inline constexpr uint32_t kBufferCtrlVolume = 0x80;
inline constexpr uint32_t kBufferGetCurrentPosition2 = 0x10000;

// Play, lock and status bits.
inline constexpr uint32_t kPlayLooping = 0x1;
inline constexpr uint32_t kLockFromWriteCursor = 0x1;
inline constexpr uint32_t kLockEntireBuffer = 0x2;
inline constexpr uint32_t kStatusPlaying = 0x1;
inline constexpr uint32_t kStatusLooping = 0x4;

// Volume in hundredths of a decibel: 0 is the sound as recorded, kVolumeMin is silence.
inline constexpr int32_t kVolumeMin = -10000;
inline constexpr int32_t kVolumeMax = 0;

// Limits of a secondary buffer.
inline constexpr uint32_t kBufferBytesMin = 4;
inline constexpr uint32_t kBufferBytesMax = 0x0FFFFFFF;
inline constexpr uint32_t kFrequencyMin = 100;
inline constexpr uint32_t kFrequencyMax = 100000;

// The sizes callers state in their records; a record of another size is refused.
inline constexpr uint32_t kBufferDescSize = 36;
inline constexpr uint32_t kBufferDescSizeShort = 20;  // the older description without the 3D algorithm
inline constexpr uint32_t kBufferCapsSize = 20;

// Listener settings are applied at once or kept until CommitDeferredSettings.
inline constexpr uint32_t kApplyImmediate = 0;
inline constexpr uint32_t kApplyDeferred = 1;

inline constexpr uint16_t kFormatPcm = 1;

// The wave format of a buffer (the 18-byte structure of a WAV file's "fmt " chunk and more).
struct WaveFormat {
  uint16_t format_tag = kFormatPcm;
  uint16_t channels = 0;
  uint32_t samples_per_sec = 0;
  uint32_t avg_bytes_per_sec = 0;
  uint16_t block_align = 0;
  uint16_t bits_per_sample = 0;
  uint16_t extra_size = 0;
};

// PCM of `channels` channels of `bits` bits at `rate` samples a second, with its block and byte rate.
inline WaveFormat PcmFormat(uint16_t channels, uint32_t rate, uint16_t bits) {
  WaveFormat format;
  format.channels = channels;
  format.samples_per_sec = rate;
  format.bits_per_sample = bits;
  format.block_align = static_cast<uint16_t>(channels * bits / 8);
  format.avg_bytes_per_sec = rate * format.block_align;
  return format;
}

struct BufferDesc {
  uint32_t size = kBufferDescSize;
  uint32_t flags = 0;
  uint32_t buffer_bytes = 0;
  const WaveFormat* format = nullptr;  // null for the primary buffer
};

struct BufferCaps {
  uint32_t size = kBufferCapsSize;
  uint32_t flags = 0;
  uint32_t buffer_bytes = 0;
  uint32_t unlock_transfer_rate = 0;
  uint32_t play_cpu_overhead = 0;
};

struct Vector3 {
  float x = 0;
  float y = 0;
  float z = 0;
};

// What a 3D listener holds.
struct ListenerSettings {
  Vector3 position;
  Vector3 velocity;
  Vector3 front{0, 0, 1};
  Vector3 top{0, 1, 0};
  float distance_factor = 1.0f;
  float rolloff_factor = 1.0f;
  float doppler_factor = 1.0f;
};

}  // namespace audio
