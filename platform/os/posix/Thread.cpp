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

Thread::Thread(Body body) : m_state(std::make_shared<State>()) {
  m_state->body = std::move(body);
  std::shared_ptr<State> state = m_state;
  m_state->thread = std::thread([state] { state->Main(); });
}

Thread::~Thread() {
  RequestStop();
  if (std::this_thread::get_id() == m_state->thread.get_id()) {
    // Destroyed by its own body: it cannot wait for itself. The state lives on with the thread.
    m_state->thread.detach();
    return;
  }
  Join();
}

void Thread::Start() {
  // Once the gate opens, the body may destroy this object: only the local reference is used.
  const std::shared_ptr<State> state = m_state;
  {
    std::lock_guard<std::mutex> lock(state->gate_mutex);
    if (state->started || state->abandoned) return;
    state->started = true;
    state->running = true;
  }
  state->gate.notify_one();
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
