#pragma once
// One input source's state as two equal 256-byte buffers: this poll's and the poll before. A poll
// swaps the two pointers (no copy) and writes the new state into the current one, so any reader
// tells a fresh press or a release by comparing them.

#include <cstdint>
#include <memory>

struct InputState {
  static constexpr int kSize = 256;

  InputState();
  InputState(const InputState&) = delete;
  InputState& operator=(const InputState&) = delete;

  void Swap();
  // Byte k is down now.
  bool IsDown(int k) const { return current[k] != 0; }
  // Byte k went down at the last poll.
  bool IsPressed(int k) const { return current[k] != previous[k] && current[k] != 0; }
  // Byte k came up at the last poll.
  bool IsReleased(int k) const { return current[k] != previous[k] && current[k] == 0; }

  uint8_t* current = nullptr;
  uint8_t* previous = nullptr;
  bool changed = false;
  int32_t last_index = 255;  // the last byte the source uses

 private:
  std::unique_ptr<uint8_t[]> m_buffers;  // both buffers, allocated once
};
