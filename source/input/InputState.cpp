#include "source/input/InputState.h"

#include <utility>

InputState::InputState() : m_buffers(new uint8_t[2 * kSize]()) {
  current = m_buffers.get();
  previous = m_buffers.get() + kSize;
}

void InputState::Swap() { std::swap(current, previous); }
