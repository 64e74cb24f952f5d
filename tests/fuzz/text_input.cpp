// Fuzz target for typed text: any bytes SDL might hand over as text input become UTF-16 units in
// the window service's queue without reading past their end; every unit is valid and every
// surrogate arrives paired; the queue stays bounded.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/window/MessageQueue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 8192) return 0;  // SDL's text events hold 32 bytes; more teaches nothing
  // Exactly `size` bytes and their terminator, so any over-read is seen.
  std::vector<char> text(size + 1);
  if (size > 0) std::memcpy(text.data(), data, size);
  text[size] = '\0';

  window::MessageQueue queue;
  queue.PushText(text.data());
  if (queue.KeyboardWaiting() > window::MessageQueue::kMaxKeyboardMessages) abort();
  if (queue.KeyboardWaiting() > std::strlen(text.data())) abort();  // never more units than bytes

  bool expect_low = false;
  std::size_t frames = 0;
  while (frames <= window::MessageQueue::kMaxKeyboardMessages + 1) {
    if (!queue.Peek()) {
      if (queue.KeyboardWaiting() == 0) break;
      ++frames;
      continue;
    }
    const window::Message message = queue.Take();
    if (message.type != window::MessageType::kChar || message.value > 0xFFFF) abort();
    const bool high = message.value >= 0xD800 && message.value <= 0xDBFF;
    const bool low = message.value >= 0xDC00 && message.value <= 0xDFFF;
    if (low != expect_low) abort();
    if (expect_low && high) abort();
    expect_low = high;
  }
  if (expect_low || queue.KeyboardWaiting() != 0) abort();
  return 0;
}
