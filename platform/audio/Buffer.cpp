// Secondary and primary buffers: locking, play state, cursors and volume over the mixer's voice.

#include <algorithm>
#include <cstring>

#include "platform/audio/Mixer.h"
#include "platform/audio/audio.h"

namespace audio {

using detail::Voice;

Buffer::Buffer(std::shared_ptr<detail::Output> output, uint32_t flags, const WaveFormat& format,
               uint32_t bytes)
    : m_output(std::move(output)), m_flags(flags), m_format(format), m_bytes(bytes) {
  if (flags & kBufferPrimary) {
    if (flags & kBufferCtrl3D) m_listener = std::make_shared<Listener>();
    return;
  }
  m_voice = std::make_unique<Voice>(format, bytes, m_output->GetMixer().GetRate());
  if (m_voice->bytes) m_output->GetMixer().Add(m_voice.get());
}

Buffer::~Buffer() {
  if (m_voice) m_output->GetMixer().Remove(m_voice.get());
}

Result Buffer::GetCaps(BufferCaps* caps) const {
  if (caps == nullptr || caps->size != kBufferCapsSize) return DSERR_INVALIDPARAM;
  caps->flags = m_flags | kBufferLocSoftware;
  caps->buffer_bytes = m_bytes;
  caps->unlock_transfer_rate = 0;
  caps->play_cpu_overhead = 0;
  return DS_OK;
}

Result Buffer::GetFormat(WaveFormat* format) const {
  if (format == nullptr) return DSERR_INVALIDPARAM;
  *format = m_format;
  return DS_OK;
}

Result Buffer::Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
                    uint32_t* bytes2, uint32_t flags) {
  if (IsPrimary()) return DSERR_INVALIDCALL;
  if (part1 == nullptr || bytes1 == nullptr) return DSERR_INVALIDPARAM;
  if (m_locked) return DSERR_INVALIDCALL;
  if (flags & kLockFromWriteCursor) {
    uint32_t play = 0;
    GetCurrentPosition(&play, &offset);
  }
  if (flags & kLockEntireBuffer) bytes = m_bytes;
  if (offset >= m_bytes || bytes == 0 || bytes > m_bytes) return DSERR_INVALIDPARAM;
  const uint32_t first = std::min(bytes, m_bytes - offset);
  const uint32_t second = bytes - first;
  if (second > 0 && (part2 == nullptr || bytes2 == nullptr)) return DSERR_INVALIDPARAM;
  m_staging.resize(bytes);
  {
    std::lock_guard<std::mutex> lock(m_output->GetMixer().Mutex());
    std::memcpy(m_staging.data(), m_voice->bytes.get() + offset, first);
    std::memcpy(m_staging.data() + first, m_voice->bytes.get(), second);
  }
  m_locked = true;
  m_lock_offset = offset;
  m_lock_first = first;
  m_lock_second = second;
  *part1 = m_staging.data();
  *bytes1 = first;
  if (part2 != nullptr) *part2 = second > 0 ? m_staging.data() + first : nullptr;
  if (bytes2 != nullptr) *bytes2 = second;
  return DS_OK;
}

Result Buffer::Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2) {
  if (IsPrimary() || !m_locked) return DSERR_INVALIDCALL;
  uint8_t* staging = m_staging.data();
  const bool second_ok = part2 == nullptr ? bytes2 == 0 : (part2 == staging + m_lock_first && m_lock_second > 0);
  if (part1 != staging || bytes1 > m_lock_first || !second_ok || bytes2 > m_lock_second) {
    return DSERR_INVALIDPARAM;
  }
  {
    std::lock_guard<std::mutex> lock(m_output->GetMixer().Mutex());
    std::memcpy(m_voice->bytes.get() + m_lock_offset, staging, bytes1);
    std::memcpy(m_voice->bytes.get(), staging + m_lock_first, bytes2);
  }
  m_locked = false;
  return DS_OK;
}

Result Buffer::Play(uint32_t reserved, uint32_t priority, uint32_t flags) {
  if (reserved != 0 || priority != 0) return DSERR_INVALIDPARAM;
  if (IsPrimary()) return (flags & kPlayLooping) ? DS_OK : DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> lock(m_output->GetMixer().Mutex());
  m_voice->playing = true;
  m_voice->looping = (flags & kPlayLooping) != 0;
  return DS_OK;
}

Result Buffer::Stop() {
  if (IsPrimary()) return DS_OK;
  std::lock_guard<std::mutex> lock(m_output->GetMixer().Mutex());
  m_voice->playing = false;
  return DS_OK;
}

Result Buffer::GetCurrentPosition(uint32_t* play, uint32_t* write) const {
  if (IsPrimary()) return DSERR_INVALIDCALL;
  const detail::Mixer& mixer = m_output->GetMixer();
  std::lock_guard<std::mutex> lock(mixer.Mutex());
  const uint32_t frame = static_cast<uint32_t>(m_voice->position >> 32);
  const uint32_t lead = m_voice->playing ? mixer.LeadFrames(*m_voice) % m_voice->frames : 0;
  if (play != nullptr) *play = frame * m_voice->block_align;
  if (write != nullptr) *write = (frame + lead) % m_voice->frames * m_voice->block_align;
  return DS_OK;
}

Result Buffer::SetCurrentPosition(uint32_t position) {
  if (IsPrimary()) return DSERR_INVALIDCALL;
  if (position >= m_bytes) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> lock(m_output->GetMixer().Mutex());
  m_voice->position = static_cast<uint64_t>(position / m_voice->block_align) << 32;
  return DS_OK;
}

Result Buffer::GetStatus(uint32_t* status) const {
  if (status == nullptr) return DSERR_INVALIDPARAM;
  if (IsPrimary()) {
    *status = kStatusPlaying | kStatusLooping;
    return DS_OK;
  }
  std::lock_guard<std::mutex> lock(m_output->GetMixer().Mutex());
  *status = m_voice->playing ? (kStatusPlaying | (m_voice->looping ? kStatusLooping : 0)) : 0;
  return DS_OK;
}

Result Buffer::SetVolume(int32_t volume) {
  if (!(m_flags & kBufferCtrlVolume)) return DSERR_CONTROLUNAVAIL;
  if (volume < kVolumeMin || volume > kVolumeMax) return DSERR_INVALIDPARAM;
  m_volume = volume;
  const float gain = GainForVolume(volume);
  if (IsPrimary()) {
    m_output->GetMixer().SetMasterGain(gain);
    return DS_OK;
  }
  std::lock_guard<std::mutex> lock(m_output->GetMixer().Mutex());
  m_voice->gain = gain;
  return DS_OK;
}

Result Buffer::GetVolume(int32_t* volume) const {
  if (!(m_flags & kBufferCtrlVolume)) return DSERR_CONTROLUNAVAIL;
  if (volume == nullptr) return DSERR_INVALIDPARAM;
  *volume = m_volume;
  return DS_OK;
}

Result Buffer::QueryListener(std::shared_ptr<Listener>& listener) {
  listener = m_listener;
  return m_listener ? DS_OK : DSERR_NOINTERFACE;
}

}  // namespace audio
