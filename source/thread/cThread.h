#pragma once
// The base of the program's worker threads. A derived class supplies Run; the thread is created
// held at a start gate, so the derived object is complete before its body starts, and Resume
// opens the gate. Destruction asks the body to stop and waits for it: a thread is never killed,
// so it can never die holding a lock. There is no Suspend.

#include <memory>
#include <vector>

namespace os {
class Thread;
}

class cThread {
 public:
  cThread();
  virtual ~cThread();
  cThread(const cThread&) = delete;
  cThread& operator=(const cThread&) = delete;

  // Starts the body; later calls do nothing.
  void Resume();

  // The thread objects alive now, in order of creation.
  static std::vector<cThread*> GetLiveThreads();

 protected:
  // The thread's body. It polls StopRequested and returns soon after it turns true.
  virtual void Run() = 0;
  bool StopRequested() const;

  // Requests the stop and waits for Run to return. A derived class whose Run uses its own members
  // calls this first in its destructor, before those members go; the base destructor calls it
  // again (harmlessly) as the last guard.
  void StopAndWait();

 private:
  std::unique_ptr<os::Thread> m_thread;
};
