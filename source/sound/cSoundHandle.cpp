#include "source/sound/cSoundHandle.h"

#include "platform/os/os.h"
#include "source/sound/cSoundManager.h"
#include "source/stream/cSubStream.h"

cSoundHandle::cSoundHandle(const cResourcePtr<cSoundResource>& resource, bool loop)
    : m_resource(resource), m_loop(loop) {}

cSoundHandle::~cSoundHandle() { Destroy(); }

void cSoundHandle::Play() {
  cSoundManager* manager = cSoundManager::PeekInstance();
  if (!m_resource || manager == nullptr) return;
  // Made and started under one lock, so the sound thread never refills a half-started channel.
  os::CriticalSectionLock lock(manager->GetDevice().GetCriticalSection());
  if (manager->HasEffectChannel(m_channel)) manager->DestroyChannel(m_channel);
  m_channel = nullptr;
  cStream* stream = m_resource->GetPlayingStream();
  if (stream == nullptr) return;  // a sound without data makes no channel
  m_channel = manager->CreateChannel(std::make_unique<cSubStream>(*stream, 0, cStream::kWholeStream), false, stream);
  if (m_channel == nullptr) return;
  m_channel->GetDecoder().SetLoop(m_loop);
  m_channel->Rewind();
  m_channel->PlayChannel(false);
}

void cSoundHandle::Stop() {
  cSoundManager* manager = cSoundManager::PeekInstance();
  if (manager != nullptr && m_channel != nullptr) {
    os::CriticalSectionLock lock(manager->GetDevice().GetCriticalSection());
    if (manager->HasEffectChannel(m_channel)) manager->DestroyChannel(m_channel);
  }
  m_channel = nullptr;
}

void cSoundHandle::Destroy() {
  Stop();
  m_resource.Reset();
}

void cSoundHandle::SetLoop(bool loop) {
  m_loop = loop;
  cSoundManager* manager = cSoundManager::PeekInstance();
  if (manager == nullptr) return;
  os::CriticalSectionLock lock(manager->GetDevice().GetCriticalSection());
  if (manager->HasEffectChannel(m_channel)) m_channel->GetDecoder().SetLoop(loop);
}

bool cSoundHandle::IsPlaying() const {
  cSoundManager* manager = cSoundManager::PeekInstance();
  if (manager == nullptr) return false;
  os::CriticalSectionLock lock(manager->GetDevice().GetCriticalSection());
  return manager->HasEffectChannel(m_channel) && m_channel->IsBufferPlaying();
}
