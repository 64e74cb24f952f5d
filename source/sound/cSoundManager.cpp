#include "source/sound/cSoundManager.h"

#include <algorithm>

#include "platform/os/os.h"
#include "source/properties/cBoundProperty.h"
#include "source/properties/cProperties.h"
#include "source/sound/SoundVolume.h"
#include "source/stream/cSubStream.h"

namespace {

constexpr const char* kMusicVolumeKey = "music_volume";
constexpr const char* kSoundVolumeKey = "sound_volume";

std::vector<cSoundChannel*> ListCopy(const std::list<std::unique_ptr<cSoundChannel>>& list) {
  std::vector<cSoundChannel*> copy;
  for (const auto& channel : list) copy.push_back(channel.get());
  return copy;
}

}  // namespace

cSoundManager::cSoundManager() {
  cProperties* store = cProperties::GetInstance();
  store->MarkPersistent(kMusicVolumeKey);
  store->MarkPersistent(kSoundVolumeKey);
  BindProperty(store->GetMap(), kMusicVolumeKey, &m_music_setting);
  BindProperty(store->GetMap(), kSoundVolumeKey, &m_sound_setting);
  for (cSoundStreamCreator creator : {&CreateOggStream, &CreateWavStream}) {
    if (std::find(m_creators.begin(), m_creators.end(), creator) == m_creators.end()) m_creators.push_back(creator);
  }
  RegisterSoundResourceType();
  m_device.SetBody(MakeMemberDelegate(this, &cSoundManager::ThreadLoop));
  m_device.Resume();
  ApplyStoredVolumes();
}

cSoundManager::~cSoundManager() {
  m_device.StopThread();
  {
    os::CriticalSectionLock lock(m_device.GetCriticalSection());
    m_effects.clear();
    m_music.clear();
  }
  // The settings keep their text; the variables they were bound to go now.
  if (cProperties* store = cProperties::PeekInstance()) {
    SetPropertyBinding(store->GetMap(), kMusicVolumeKey, PropertyPtr());
    SetPropertyBinding(store->GetMap(), kSoundVolumeKey, PropertyPtr());
  }
}

void cSoundManager::ApplyStoredVolumes() {
  // The saved fractions come back as the percent they were saved from: 0.29 is 29, not 28.
  SetSoundVolume(VolumeToPercent(m_sound_setting));
  SetMusicVolume(VolumeToPercent(m_music_setting));
}

cSoundChannel* cSoundManager::CreateChannel(std::unique_ptr<cStream> stream, bool music, cStream* source) {
  if (!m_device.HasDevice() || !stream) return nullptr;
  std::unique_ptr<cSoundStream> decoder;
  for (cSoundStreamCreator creator : m_creators) {
    const uint32_t position = stream->Tell();
    decoder = creator(stream);
    if (decoder) break;
    stream->Seek(static_cast<int32_t>(position), 0);
  }
  if (!decoder) return nullptr;

  os::CriticalSectionLock lock(m_device.GetCriticalSection());
  std::shared_ptr<audio::Buffer> buffer = m_device.CreateStreamBuffer(*decoder->GetFormat());
  if (!buffer) return nullptr;
  auto channel = std::make_unique<cSoundChannel>(std::move(decoder), std::move(buffer), source);
  cSoundChannel* made = channel.get();
  if (!music) {
    m_effects.push_back(std::move(channel));
    made->SetChannelOn(m_effects_on);
    made->SetVolume(m_effect_volume);
    return made;
  }
  FadeOutMusicBut(nullptr);
  m_music.push_back(std::move(channel));
  made->GetDecoder().SetLoop(true);
  made->SetChannelOn(m_music_on);
  made->SetVolume(m_music_volume);
  return made;
}

void cSoundManager::FadeOutMusicBut(const cSoundChannel* keep) {
  for (const auto& channel : m_music) {
    if (channel.get() != keep) channel->StartFadeOut();
  }
}

void cSoundManager::PlayMusic(const cResourcePtr<cSoundResource>& resource) {
  if (!resource) return;
  cStream* stream = resource->GetPlayingStream();
  if (stream == nullptr) return;  // a sound without data makes no channel
  os::CriticalSectionLock lock(m_device.GetCriticalSection());
  for (const auto& held : m_music) {
    cSoundChannel* channel = held.get();
    if (channel->GetSource() != stream) continue;
    const int state = channel->GetState();
    if ((state == cSoundChannel::kPlaying || state == cSoundChannel::kFadingIn) && channel->IsBufferPlaying()) {
      return;  // it plays already
    }
    FadeOutMusicBut(channel);
    if (state == cSoundChannel::kFadingOut) {
      channel->TurnFadeIn();
      if (channel->IsOn()) channel->PlayBufferLooping();
    } else if (state == cSoundChannel::kPlaying) {
      if (channel->IsOn()) channel->PlayBufferLooping();
    } else {
      channel->PlayChannel(channel->IsLooping());
    }
    return;
  }
  cSoundChannel* channel =
      CreateChannel(std::make_unique<cSubStream>(*stream, 0, cStream::kWholeStream), true, stream);
  if (channel == nullptr) return;
  channel->HoldResource(resource);
  channel->GetDecoder().SetLoop(true);
  channel->PlayChannel(true);
}

void cSoundManager::Update() {
  m_device.CommitListener();
  os::CriticalSectionLock lock(m_device.GetCriticalSection());
  if (m_music_on) {
    for (const auto& channel : m_music) channel->CheckEnd();
    m_music.remove_if([](const std::unique_ptr<cSoundChannel>& channel) { return channel->IsStopped(); });
  }
  if (m_effects_on) {
    // Effects stay listed until their handle lets them go.
    for (const auto& channel : m_effects) channel->CheckEnd();
  }
}

void cSoundManager::SetListVolume(ChannelList& list, int percent, float& volume, float& setting) {
  const float value = static_cast<float>(std::clamp(percent, 0, 100)) / 100.0f;
  os::CriticalSectionLock lock(m_device.GetCriticalSection());
  volume = value;
  setting = value;
  for (const auto& channel : list) channel->SetVolume(value);
}

void cSoundManager::SetMusicVolume(int percent) { SetListVolume(m_music, percent, m_music_volume, m_music_setting); }

void cSoundManager::SetSoundVolume(int percent) { SetListVolume(m_effects, percent, m_effect_volume, m_sound_setting); }

void cSoundManager::SetMusicOn(bool on) {
  os::CriticalSectionLock lock(m_device.GetCriticalSection());
  m_music_on = on;
  for (const auto& channel : m_music) channel->SetChannelOn(on);
}

void cSoundManager::SetSoundOn(bool on) {
  os::CriticalSectionLock lock(m_device.GetCriticalSection());
  m_effects_on = on;
  for (const auto& channel : m_effects) channel->SetChannelOn(on);
}

void cSoundManager::DestroyChannel(cSoundChannel* channel) {
  os::CriticalSectionLock lock(m_device.GetCriticalSection());
  const auto same = [channel](const std::unique_ptr<cSoundChannel>& held) { return held.get() == channel; };
  if (std::find_if(m_music.begin(), m_music.end(), same) != m_music.end()) {
    m_music.remove_if(same);
  } else {
    m_effects.remove_if(same);
  }
}

bool cSoundManager::HasEffectChannel(const cSoundChannel* channel) {
  if (channel == nullptr) return false;
  os::CriticalSectionLock lock(m_device.GetCriticalSection());
  return std::any_of(m_effects.begin(), m_effects.end(),
                     [channel](const std::unique_ptr<cSoundChannel>& held) { return held.get() == channel; });
}

void cSoundManager::Tick(float dt) {
  os::CriticalSectionLock lock(m_device.GetCriticalSection());
  if (m_music_on) {
    for (const auto& channel : m_music) channel->TickChannel(dt);
  }
  if (m_effects_on) {
    for (const auto& channel : m_effects) channel->TickChannel(dt);
  }
}

DelegateArg cSoundManager::ThreadLoop(DelegateArg) {
  uint32_t previous = os::TickCount();
  do {
    const uint32_t now = os::TickCount();
    Tick(static_cast<float>(now - previous) / 1000.0f);  // unsigned: the counter's wrap is harmless
    previous = now;
  } while (m_device.WaitForNextTurn(kTickMilliseconds));
  return 0;
}

std::vector<cSoundChannel*> cSoundManager::GetMusicChannels() {
  os::CriticalSectionLock lock(m_device.GetCriticalSection());
  return ListCopy(m_music);
}

std::vector<cSoundChannel*> cSoundManager::GetEffectChannels() {
  os::CriticalSectionLock lock(m_device.GetCriticalSection());
  return ListCopy(m_effects);
}
