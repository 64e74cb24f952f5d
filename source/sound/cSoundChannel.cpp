#include "source/sound/cSoundChannel.h"

#include <algorithm>
#include <cstring>

#include "source/sound/SoundVolume.h"

cSoundChannel::cSoundChannel(std::unique_ptr<cSoundStream> decoder, std::shared_ptr<audio::Buffer> buffer,
                             cStream* source)
    : m_decoder(std::move(decoder)), m_buffer(std::move(buffer)), m_source(source) {
  audio::BufferCaps caps;
  if (audio::Succeeded(m_buffer->GetCaps(&caps))) m_buffer_size = caps.buffer_bytes;
  m_silence = m_decoder->GetFormat()->bits_per_sample == 8 ? 0x80 : 0x00;
}

void cSoundChannel::PlayChannel(bool fade) {
  Rewind();
  m_buffer->SetCurrentPosition(0);
  // Whatever state it was in, the buffer is filled afresh from the start of the sound.
  m_state = kNew;
  TickChannel(0.0f);
  if (m_state == kStopped) return;  // nothing to play at all
  if (m_decoder->IsLooping() && fade) {
    m_fade_time = kFadeSeconds;
    m_state = kFadingIn;
  } else {
    m_state = kPlaying;
  }
  ApplyVolume();
  if (m_on) PlayBufferLooping();
}

void cSoundChannel::TickChannel(float dt) {
  m_fade_time -= dt;
  switch (m_state) {
    case kNew:
    case kPlaying:
      RefillChannel();
      break;
    case kFadingIn:
      // At the end of the fade the sound comes to its full volume.
      if (m_fade_time <= 0.0f) m_state = kPlaying;
      ApplyVolume();
      RefillChannel();
      break;
    case kFadingOut:
      if (m_fade_time <= 0.0f) {
        Stop();
      } else {
        ApplyVolume();
      }
      RefillChannel();
      break;
    default:
      break;
  }
}

void cSoundChannel::RefillChannel() {
  uint32_t play = 0;
  m_buffer->GetCurrentPosition(&play, nullptr);
  uint32_t free_span = 0;
  if (m_valid == 0) {
    free_span = m_buffer_size;
    m_played = 0;
  } else {
    // Equal positions with data still unplayed mean nothing was played since the last refill.
    free_span = play >= m_write_offset ? play - m_write_offset : m_buffer_size - m_write_offset + play;
    m_played += free_span;
  }
  m_valid = m_valid > free_span ? m_valid - free_span : 0;
  if (free_span > 0) FillSpan(m_write_offset, free_span);
  m_write_offset = play;
  if (m_decoder->IsFinished() && m_played >= m_decoder->GetSize()) Stop();
}

void cSoundChannel::FillSpan(uint32_t offset, uint32_t bytes) {
  void* parts[2] = {nullptr, nullptr};
  uint32_t lengths[2] = {0, 0};
  if (audio::Failed(m_buffer->Lock(offset, bytes, &parts[0], &lengths[0], &parts[1], &lengths[1], 0))) return;
  for (int i = 0; i < 2; ++i) {
    if (parts[i] == nullptr) continue;
    auto* part = static_cast<uint8_t*>(parts[i]);
    const uint32_t read = m_decoder->IsFinished() ? 0 : m_decoder->Read(part, lengths[i]);
    m_valid += read;
    // What the sound does not fill is silence.
    std::memset(part + read, m_silence, lengths[i] - read);
  }
  m_buffer->Unlock(parts[0], lengths[0], parts[1], lengths[1]);
}

void cSoundChannel::SetChannelOn(bool on) {
  if (on == m_on) return;
  m_on = on;
  if (!on) {
    // A channel that is off is not ticked: a fade would stand still with its buffer looping on.
    // Music on its way out ends here; a loop (fading in or not) waits where it stood.
    const bool sounding = m_state == kPlaying || m_state == kFadingIn || m_state == kFadingOut;
    if (sounding && IsBufferPlaying()) {
      if (IsLooping() && m_state != kFadingOut) {
        m_buffer->Stop();
      } else {
        Stop();
      }
    }
  } else if (IsLooping() && m_state != kNew && m_state != kStopped && !IsBufferPlaying()) {
    PlayBufferLooping();  // a looping sound that was switched off goes on where it stood
  }
}

void cSoundChannel::Rewind() {
  m_decoder->Rewind();
  m_buffer->Stop();
  m_valid = 0;
  m_write_offset = 0;
  m_played = 0;
}

void cSoundChannel::StartFadeOut() {
  if (m_state == kFadingOut || m_state == kStopped) return;  // a fade under way goes on as it is
  // A fade-in turns round from the gain it has reached, so the sound does not jump.
  m_fade_time = m_state == kFadingIn ? kFadeSeconds - std::clamp(m_fade_time, 0.0f, kFadeSeconds) : kFadeSeconds;
  m_state = kFadingOut;
}

void cSoundChannel::TurnFadeIn() {
  if (m_state != kFadingOut) return;
  // The fade-in starts from the gain the fade-out reached, so the sound does not jump.
  m_fade_time = kFadeSeconds - std::clamp(m_fade_time, 0.0f, kFadeSeconds);
  m_state = kFadingIn;
  ApplyVolume();
}

void cSoundChannel::Stop() {
  m_state = kStopped;
  m_buffer->Stop();
}

bool cSoundChannel::IsBufferPlaying() const {
  uint32_t status = 0;
  m_buffer->GetStatus(&status);
  return (status & audio::kStatusPlaying) != 0;
}

void cSoundChannel::CheckEnd() {
  if (m_state == kPlaying && !IsBufferPlaying()) Stop();
}

void cSoundChannel::SetVolume(float volume) {
  if (volume == m_volume) return;
  m_volume = volume;
  ApplyVolume();
}

void cSoundChannel::PlayBufferLooping() { m_buffer->Play(0, 0, audio::kPlayLooping); }

void cSoundChannel::ApplyVolume() {
  float share = 1.0f;
  if (m_state == kFadingIn) share = (kFadeSeconds - m_fade_time) / kFadeSeconds;
  if (m_state == kFadingOut) share = m_fade_time / kFadeSeconds;
  m_buffer->SetVolume(VolumeToAttenuation(m_volume * std::clamp(share, 0.0f, 1.0f)));
}
