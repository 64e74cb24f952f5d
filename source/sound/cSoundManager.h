#pragma once
// The sound manager owns every playing sound: channels in two lists, music and effects, each with
// its volume and on/off flag. Music changes cross-fade over three seconds. The embedded device's
// thread refills every channel each 200 ms; the main thread creates, plays, stops and updates
// channels. Both do so under the device's recursive lock.

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "source/Resources/cResourcePtr.h"
#include "source/core/Singleton.h"
#include "source/sound/cSoundChannel.h"
#include "source/sound/cSoundDevice.h"
#include "source/sound/cSoundResource.h"
#include "source/sound/cSoundStream.h"

class cSoundManager : public Singleton<cSoundManager> {
 public:
  static constexpr uint32_t kTickMilliseconds = 200;

  // Opens the device, binds "music_volume" and "sound_volume", registers the "sound" type and
  // starts the sound thread.
  cSoundManager();
  // Stops and joins the thread first, then frees every channel and closes the device.
  ~cSoundManager() override;

  // Tries each decoder on `stream` and makes a channel for it in the music list (fading out the
  // music there) or the effect list. `source` is the stream the sound comes from. Null (and the
  // stream freed) without a device, or when no decoder takes the stream or the device its format.
  cSoundChannel* CreateChannel(std::unique_ptr<cStream> stream, bool music, cStream* source);
  // Plays the resource as looping music that fades in while the music before it fades out. The
  // music that plays (or fades in) already goes on untouched.
  void PlayMusic(const cResourcePtr<cSoundResource>& resource);
  // Once a frame: commits the listener, marks ended channels stopped and frees stopped music.
  void Update();

  // Whole percent 0..100; also the value saved as "music_volume" / "sound_volume".
  void SetMusicVolume(int percent);
  void SetSoundVolume(int percent);
  float GetMusicVolume() const { return m_music_volume; }
  float GetSoundVolume() const { return m_effect_volume; }
  void SetMusicOn(bool on);
  void SetSoundOn(bool on);

  // Takes the channel out of its list and frees it.
  void DestroyChannel(cSoundChannel* channel);
  bool HasEffectChannel(const cSoundChannel* channel);

  // One turn of the sound thread: every music channel, then every effect channel, advances by
  // `dt` seconds (each list only while it is on).
  void Tick(float dt);
  // The sound thread's body: a turn every kTickMilliseconds until the device stops the thread.
  DelegateArg ThreadLoop(DelegateArg);

  cSoundDevice& GetDevice() { return m_device; }
  // Copies of the lists, for tests and diagnostics.
  std::vector<cSoundChannel*> GetMusicChannels();
  std::vector<cSoundChannel*> GetEffectChannels();

 private:
  using ChannelList = std::list<std::unique_ptr<cSoundChannel>>;
  // Starts the fade-out of every music channel but `keep`.
  void FadeOutMusicBut(const cSoundChannel* keep);
  void ApplyStoredVolumes();
  // Stores percent / 100 as the list's volume and its bound setting, and gives it every channel.
  void SetListVolume(ChannelList& list, int percent, float& volume, float& setting);

  cSoundDevice m_device;
  std::vector<cSoundStreamCreator> m_creators;
  ChannelList m_effects;
  ChannelList m_music;
  bool m_effects_on = true;
  float m_effect_volume = 1.0f;
  bool m_music_on = true;
  float m_music_volume = 1.0f;
  // What "music_volume" and "sound_volume" are bound to.
  float m_music_setting = 1.0f;
  float m_sound_setting = 1.0f;
};
