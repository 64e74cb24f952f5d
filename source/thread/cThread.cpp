// cThread over the os layer's gated thread, and the list of live thread objects.

#include "source/thread/cThread.h"

#include <algorithm>
#include <mutex>

#include "platform/os/os.h"

namespace {

std::mutex& ListMutex() {
  static std::mutex& mutex = *new std::mutex();  // never destroyed: used from destructors at exit
  return mutex;
}

std::vector<cThread*>& LiveList() {
  static std::vector<cThread*>& list = *new std::vector<cThread*>();  // never destroyed: used from destructors at exit
  return list;
}

}  // namespace

cThread::cThread()
    : m_thread(std::make_unique<os::Thread>([this](const std::atomic<bool>&) { Run(); })) {
  std::lock_guard<std::mutex> lock(ListMutex());
  std::vector<cThread*>& list = LiveList();
  if (std::find(list.begin(), list.end(), this) == list.end()) list.push_back(this);
}

cThread::~cThread() {
  {
    std::lock_guard<std::mutex> lock(ListMutex());
    std::vector<cThread*>& list = LiveList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  StopAndWait();
}

void cThread::Resume() { m_thread->Start(); }

bool cThread::StopRequested() const { return m_thread->StopRequested(); }

void cThread::StopAndWait() {
  m_thread->RequestStop();
  m_thread->Join();
}

std::vector<cThread*> cThread::GetLiveThreads() {
  std::lock_guard<std::mutex> lock(ListMutex());
  return LiveList();
}
