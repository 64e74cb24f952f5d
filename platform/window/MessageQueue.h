#pragma once
// The queue behind the window service, shared by every backend. Keyboard messages wait in their
// own queue and are released one a frame (the main loop keeps one pending key a frame, so a second
// one in the same frame would overwrite the first); other messages pass straight through, except a
// change of focus, which keeps its place behind keys that are still waiting.

#include <cstddef>
#include <deque>
#include <optional>

#include "platform/window/window.h"

namespace window {

class MessageQueue {
 public:
  // Beyond this many waiting keyboard messages new ones are dropped (a pasted novel must not grow
  // the queue without bound; an edit box holds 255 characters at most).
  static constexpr std::size_t kMaxKeyboardMessages = 1024;

  void Push(const Message& message);
  // Each UTF-16 unit of the UTF-8 text as a kChar message; malformed bytes are skipped.
  void PushText(const char* utf8, uint32_t time = 0);

  // True when a message may be taken now. Answering false marks the start of a frame, after which
  // the next keyboard message is released.
  bool Peek();
  // Removes the next message that may be taken now; kNone when there is none.
  Message Take();
  // True when something may be taken without starting a new frame.
  bool HasDeliverable() const;
  void Clear();

  std::size_t KeyboardWaiting() const { return m_keyboard.size(); }
  // True when a keyboard message of `time` or earlier waits, or was released to the frame running.
  bool HoldsKeyTypedBy(uint32_t time) const;

 private:
  std::deque<Message> m_other;
  std::deque<Message> m_keyboard;
  bool m_key_released_this_frame = false;
  // The times of the key released for the next frame, and of the one the running frame was given.
  std::optional<uint32_t> m_next_key_time;
  std::optional<uint32_t> m_frame_key_time;
};

bool IsKeyboardMessage(MessageType type);

}  // namespace window
