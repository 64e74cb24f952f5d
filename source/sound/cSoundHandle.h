#pragma once
// The game's reference to one effect: the sound resource (one reference held), the channel that
// plays it on the effect list, and whether it loops.

#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"

class cSoundChannel;

class cSoundHandle {
 public:
  cSoundHandle(const cResourcePtr<cSoundResource>& resource, bool loop);
  ~cSoundHandle();
  cSoundHandle(const cSoundHandle&) = delete;
  cSoundHandle& operator=(const cSoundHandle&) = delete;

  // Starts the sound from its beginning on a new channel (letting the old one go). Nothing plays
  // without a resource, a sound device, or data a decoder takes.
  void Play();
  // Lets the channel go; the resource stays.
  void Stop();
  // Stop, then the resource is let go too.
  void Destroy();
  void SetLoop(bool loop);
  // While the channel's buffer plays.
  bool IsPlaying() const;

  cSoundChannel* GetChannel() const { return m_channel; }
  cSoundResource* GetResource() const { return m_resource.Get(); }

 private:
  cResourcePtr<cSoundResource> m_resource;
  cSoundChannel* m_channel = nullptr;  // owned by the sound manager's effect list
  bool m_loop;
};
