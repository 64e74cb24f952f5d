#pragma once
// One playing sound: a decoder feeding a looping three-second buffer, refilled from the sound
// thread every 200 ms, with its volume and its fades. Every operation runs under the sound
// device's lock (the manager and the handles take it).

#include <cstdint>
#include <memory>

#include "platform/audio/audio.h"
#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"
#include "source/sound/cSoundStream.h"

class cSoundChannel {
 public:
  enum State : int { kNew = 0, kFadingIn = 1, kPlaying = 2, kFadingOut = 3, kStopped = 4 };
  static constexpr float kFadeSeconds = 3.0f;

  // `source` is the stream the sound comes from (what tells one sound from another).
  cSoundChannel(std::unique_ptr<cSoundStream> decoder, std::shared_ptr<audio::Buffer> buffer, cStream* source);

  // Starts from the beginning; a looping sound asked to fade comes in over kFadeSeconds.
  void PlayChannel(bool fade);
  // Advances the fade by `dt` seconds and refills the buffer.
  void TickChannel(float dt);
  // Keeps the buffer full of the next three seconds.
  void RefillChannel();
  void SetChannelOn(bool on);

  void Rewind();
  // Fades out from the gain it has now; a fade-out under way, or a stopped sound, is left alone.
  void StartFadeOut();
  // A fading-out sound asked to play again fades back in from the gain it has reached.
  void TurnFadeIn();
  void Stop();
  bool IsStopped() const { return m_state == kStopped; }
  bool IsBufferPlaying() const;
  bool IsPlaying() const { return m_state == kPlaying && IsBufferPlaying(); }
  void CheckEnd();
  void SetVolume(float volume);
  bool IsLooping() const { return m_decoder->IsLooping(); }

  int GetState() const { return m_state; }
  float GetVolume() const { return m_volume; }
  float GetFadeTime() const { return m_fade_time; }
  bool IsOn() const { return m_on; }
  cStream* GetSource() const { return m_source; }
  cSoundStream& GetDecoder() { return *m_decoder; }
  audio::Buffer& GetBuffer() { return *m_buffer; }
  void PlayBufferLooping();
  // Music keeps its sound resource loaded while it plays.
  void HoldResource(const cResourcePtr<cSoundResource>& resource) { m_resource = resource; }
  cSoundResource* GetResource() const { return m_resource.Get(); }

 private:
  // The buffer volume for the channel's volume and where its fade stands.
  void ApplyVolume();
  void FillSpan(uint32_t offset, uint32_t bytes);

  cResourcePtr<cSoundResource> m_resource;  // released last, after the decoder that reads it
  std::unique_ptr<cSoundStream> m_decoder;
  int m_state = kNew;
  std::shared_ptr<audio::Buffer> m_buffer;
  cStream* m_source;
  bool m_on = true;
  float m_volume = 1.0f;
  float m_fade_time = 0.0f;
  uint32_t m_buffer_size = 0;
  uint32_t m_valid = 0;         // bytes written and not yet played
  uint32_t m_write_offset = 0;  // where the next refill starts
  uint32_t m_played = 0;        // bytes played since the last start
  uint8_t m_silence;            // the byte of silence: 0x80 for 8-bit samples
};
