#pragma once
// The game-side list of playing effects: the game and the mini-games start a sound by resource,
// ask whether it plays and stop it; once a frame the list forgets the sounds that have ended.

#include <memory>
#include <vector>

#include "source/Resources/cResourcePtr.h"
#include "source/core/Singleton.h"
#include "source/sound/cSoundHandle.h"
#include "source/sound/cSoundResource.h"

using cSoundHandleList = std::vector<std::unique_ptr<cSoundHandle>>;

class cSoundPlayer : public Singleton<cSoundPlayer> {
 public:
  ~cSoundPlayer() override;

  // Every call starts a new handle (the same sound may play several times at once).
  void Play(const cResourcePtr<cSoundResource>& resource, bool loop);
  // From Play until the first Update after the sound ended or was stopped.
  bool IsPlaying(const cResourcePtr<cSoundResource>& resource) const;
  // Stops every handle of the resource; they are forgotten at the next Update.
  void Stop(const cResourcePtr<cSoundResource>& resource);
  // Once a frame, after the sound manager's: forgets every handle whose sound no longer plays.
  void Update();

  cSoundHandleList& GetHandles() { return m_handles; }

 private:
  cSoundHandleList m_handles;
};

// Stops and frees every handle of the list and empties it (the mini-games pass their own lists,
// or the player's).
void DeleteSoundHandles(cSoundHandleList& handles);
