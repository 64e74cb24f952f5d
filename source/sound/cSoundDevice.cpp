#include "source/sound/cSoundDevice.h"

#include <chrono>

#include "platform/window/window.h"
#include "source/log/cLog.h"

namespace {

constexpr const char* kSource = "sources\\sound\\sounddevice";
constexpr uint32_t kPrimaryFlags = audio::kBufferPrimary | audio::kBufferCtrl3D | audio::kBufferCtrlVolume;
constexpr uint32_t kStreamFlags = audio::kBufferGetCurrentPosition2 | audio::kBufferCtrlVolume;
constexpr uint32_t kStreamSeconds = 3;

}  // namespace

cSoundDevice::cSoundDevice() = default;

cSoundDevice::~cSoundDevice() {
  StopThread();
  m_listener.reset();
  m_primary.reset();
  m_direct_sound.reset();  // the last of it closes the sound card
  m_body.Release();
}

void cSoundDevice::EnsureOpen() {
  std::call_once(m_opened, [this] {
    Open();
    m_open.store(true, std::memory_order_release);
  });
}

bool cSoundDevice::HasDevice() {
  EnsureOpen();
  return static_cast<bool>(m_direct_sound);
}

bool cSoundDevice::HasListener() {
  EnsureOpen();
  return static_cast<bool>(m_listener);
}

void cSoundDevice::Open() {
  // Each step needs the one before; a failing step ends the sequence.
  if (audio::Failed(audio::CreateDevice(m_direct_sound))) {
    LogReport(kLogWarning, kSource, __LINE__, "No sound device could be opened (%s): the game runs silent",
              audio::LastErrorText().c_str());
    return;
  }
  if (audio::Failed(m_direct_sound->SetCooperativeLevel(window::MainWindow(), audio::kLevelPriority))) return;
  audio::BufferDesc desc;
  desc.flags = kPrimaryFlags;
  if (audio::Failed(m_direct_sound->CreateSoundBuffer(desc, m_primary))) return;
  if (audio::Failed(m_primary->QueryListener(m_listener))) return;
  m_primary->Play(0, 0, audio::kPlayLooping);
}

std::shared_ptr<audio::Buffer> cSoundDevice::CreateStreamBuffer(const audio::WaveFormat& format) {
  EnsureOpen();
  if (!m_direct_sound) return nullptr;
  audio::BufferDesc desc;
  desc.flags = kStreamFlags;
  desc.buffer_bytes = format.block_align * format.samples_per_sec * kStreamSeconds;
  desc.format = &format;
  std::shared_ptr<audio::Buffer> buffer;
  m_direct_sound->CreateSoundBuffer(desc, buffer);
  return buffer;
}

void cSoundDevice::CommitListener() {
  if (m_open.load(std::memory_order_acquire) && m_listener) m_listener->CommitDeferredSettings();
}

void cSoundDevice::Run() {
  if (m_body) m_body->Invoke(0);
}

bool cSoundDevice::WaitForNextTurn(uint32_t ms) {
  std::unique_lock<std::mutex> lock(m_wait_mutex);
  m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stopping; });
  return !m_stopping;
}

void cSoundDevice::StopThread() {
  {
    std::lock_guard<std::mutex> lock(m_wait_mutex);
    m_stopping = true;
  }
  m_wake.notify_all();
  StopAndWait();
}
