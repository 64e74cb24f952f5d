#include "source/sound/cSoundPlayer.h"

#include <algorithm>

cSoundPlayer::~cSoundPlayer() { DeleteSoundHandles(m_handles); }

void cSoundPlayer::Play(const cResourcePtr<cSoundResource>& resource, bool loop) {
  if (!resource) return;
  m_handles.push_back(std::make_unique<cSoundHandle>(resource, loop));
  m_handles.back()->Play();
}

bool cSoundPlayer::IsPlaying(const cResourcePtr<cSoundResource>& resource) const {
  if (!resource) return false;
  return std::any_of(m_handles.begin(), m_handles.end(),
                     [&](const std::unique_ptr<cSoundHandle>& handle) { return handle->GetResource() == resource.Get(); });
}

void cSoundPlayer::Stop(const cResourcePtr<cSoundResource>& resource) {
  if (!resource) return;
  for (const auto& handle : m_handles) {
    if (handle->GetResource() == resource.Get()) handle->Stop();
  }
}

void cSoundPlayer::Update() {
  std::erase_if(m_handles, [](const std::unique_ptr<cSoundHandle>& handle) {
    return handle->GetChannel() == nullptr || !handle->IsPlaying();
  });
}

void DeleteSoundHandles(cSoundHandleList& handles) { handles.clear(); }
