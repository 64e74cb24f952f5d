#include "platform/window/MessageQueue.h"

#include <cstdint>

namespace window {

bool IsKeyboardMessage(MessageType type) {
  return type == MessageType::kKeyDown || type == MessageType::kChar;
}

void MessageQueue::Push(const Message& message) {
  if (message.type == MessageType::kNone) return;
  if (!IsKeyboardMessage(message.type)) {
    // A change of focus waits behind the keys typed before it: the frames they were typed for
    // still see each of them, before the game goes inactive (and nothing arrives out of order).
    if (message.type == MessageType::kActivate && !m_keyboard.empty()) {
      m_keyboard.push_back(message);
      return;
    }
    m_other.push_back(message);
    return;
  }
  if (m_keyboard.size() < kMaxKeyboardMessages) m_keyboard.push_back(message);
}

namespace {

// Decodes one UTF-8 sequence at `text`; returns its length (0 at the end) and the code point, or
// 0xFFFFFFFF for a malformed sequence (then the length skips one byte).
std::size_t DecodeUtf8(const unsigned char* text, uint32_t* code) {
  const unsigned char lead = text[0];
  if (lead == 0) return 0;
  *code = 0xFFFFFFFFu;
  if (lead < 0x80) {
    *code = lead;
    return 1;
  }
  std::size_t length = 0;
  uint32_t value = 0;
  uint32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return 1;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((text[i] & 0xC0) != 0x80) return 1;  // also stops at the terminating zero
    value = (value << 6) | (text[i] & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 1;
  *code = value;
  return length;
}

}  // namespace

void MessageQueue::PushText(const char* utf8, uint32_t time) {
  if (utf8 == nullptr) return;
  const auto* text = reinterpret_cast<const unsigned char*>(utf8);
  uint32_t code = 0;
  while (std::size_t length = DecodeUtf8(text, &code)) {
    text += length;
    if (code == 0xFFFFFFFFu) continue;
    if (code < 0x10000) {
      Push({MessageType::kChar, code, time});
    } else if (m_keyboard.size() + 2 <= kMaxKeyboardMessages) {  // both halves or neither
      code -= 0x10000;
      Push({MessageType::kChar, 0xD800u + (code >> 10), time});
      Push({MessageType::kChar, 0xDC00u + (code & 0x3FF), time});
    }
  }
}

bool MessageQueue::HasDeliverable() const {
  return !m_other.empty() || (!m_keyboard.empty() && !m_key_released_this_frame);
}

bool MessageQueue::Peek() {
  if (HasDeliverable()) return true;
  m_key_released_this_frame = false;  // the caller runs a frame now
  m_frame_key_time = m_next_key_time;
  m_next_key_time.reset();
  return false;
}

Message MessageQueue::Take() {
  if (!m_other.empty()) {
    const Message message = m_other.front();
    m_other.pop_front();
    return message;
  }
  if (!m_keyboard.empty() && !m_key_released_this_frame) {
    const Message message = m_keyboard.front();
    m_keyboard.pop_front();
    m_key_released_this_frame = true;
    if (IsKeyboardMessage(message.type)) m_next_key_time = message.time;
    return message;
  }
  return {};
}

bool MessageQueue::HoldsKeyTypedBy(uint32_t time) const {
  // Compared as a difference, so that the clock's wrap after 49 days keeps the order.
  const auto by = [time](uint32_t key) { return static_cast<int32_t>(key - time) <= 0; };
  if ((m_frame_key_time && by(*m_frame_key_time)) || (m_next_key_time && by(*m_next_key_time))) return true;
  // The oldest waiting key decides; a change of focus among them has no time of its own.
  for (const Message& message : m_keyboard) {
    if (IsKeyboardMessage(message.type)) return by(message.time);
  }
  return false;
}

void MessageQueue::Clear() {
  m_other.clear();
  m_keyboard.clear();
  m_key_released_this_frame = false;
  m_next_key_time.reset();
  m_frame_key_time.reset();
}

}  // namespace window
