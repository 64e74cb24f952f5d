#pragma once
// The program's sound device and its thread: the audio device at priority level, the primary
// buffer with its 3D listener, the streaming buffers of the channels, and the critical section
// that guards all sound state. Its thread runs the body the sound manager gives it; the manager
// embeds the device.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/audio/audio.h"
#include "platform/os/os.h"
#include "source/core/Delegate.h"
#include "source/thread/cThread.h"

class cSoundDevice : public cThread {
 public:
  // The thread waits at its gate. The card is opened when a sound first needs it, not here: a
  // start that plays nothing yet (the first frames) does not wait for it. Without a sound card
  // the device stays without one, says so once in the log, and no buffer can be made.
  cSoundDevice();
  // Stops the thread, then closes the device.
  ~cSoundDevice() override;

  // Both open the device first if nothing has yet.
  bool HasDevice();
  bool HasListener();

  // A looping buffer of three seconds for `format`; null without a device or for a format the
  // device refuses.
  std::shared_ptr<audio::Buffer> CreateStreamBuffer(const audio::WaveFormat& format);
  // Nothing to commit while the device is not open.
  void CommitListener();

  void Lock() { m_lock.Enter(); }
  void Unlock() { m_lock.Leave(); }
  os::CriticalSection& GetCriticalSection() { return m_lock; }

  void SetBody(DelegatePtr body) { m_body = std::move(body); }
  // For the body: waits up to `ms` before its next turn; false once the thread is to stop.
  bool WaitForNextTurn(uint32_t ms);
  // Asks the body to stop, wakes it and waits until it has returned. Safe to call again.
  void StopThread();

 protected:
  void Run() override;

 private:
  // Opens the device once, whichever thread asks first.
  void EnsureOpen();
  void Open();

  std::once_flag m_opened;
  std::atomic<bool> m_open{false};  // set once Open has returned
  std::shared_ptr<audio::Device> m_direct_sound;
  std::shared_ptr<audio::Buffer> m_primary;
  std::shared_ptr<audio::Listener> m_listener;
  DelegatePtr m_body;
  os::CriticalSection m_lock;
  std::mutex m_wait_mutex;
  std::condition_variable m_wake;
  bool m_stopping = false;  // guarded by m_wait_mutex
};
