// os::Thread: a std::thread that waits at a start gate until Start, and is stopped cooperatively.

#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/os/os.h"

namespace os {

struct Thread::State {
  Body body;
  std::mutex gate_mutex;
  std::condition_variable gate;
  bool started = false;    // Start opened the gate: the body runs
  bool abandoned = false;  // Join came first: the thread leaves without running the body
  std::atomic<bool> stop_requested{false};
  std::atomic<bool> running{false};
  std::mutex join_mutex;
  std::thread thread;

  void Main() {
    {
      std::unique_lock<std::mutex> lock(gate_mutex);
      gate.wait(lock, [this] { return started || abandoned; });
      if (!started) return;
    }
    body(stop_requested);
    running = false;
  }
};

Thread::Thread(Body body) : m_state(std::make_unique<State>()) {
  m_state->body = std::move(body);
  State* state = m_state.get();
  m_state->thread = std::thread([state] { state->Main(); });
}

Thread::~Thread() {
  RequestStop();
  Join();
}

void Thread::Start() {
  {
    std::lock_guard<std::mutex> lock(m_state->gate_mutex);
    if (m_state->started || m_state->abandoned) return;
    m_state->started = true;
    m_state->running = true;
  }
  m_state->gate.notify_one();
}

void Thread::RequestStop() { m_state->stop_requested = true; }

bool Thread::StopRequested() const { return m_state->stop_requested; }

void Thread::Join() {
  if (std::this_thread::get_id() == m_state->thread.get_id()) return;
  {
    std::lock_guard<std::mutex> lock(m_state->gate_mutex);
    if (!m_state->started) m_state->abandoned = true;
  }
  m_state->gate.notify_one();
  std::lock_guard<std::mutex> lock(m_state->join_mutex);
  if (m_state->thread.joinable()) m_state->thread.join();
}

bool Thread::IsRunning() const { return m_state->running; }

}  // namespace os
