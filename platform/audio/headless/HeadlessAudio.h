#pragma once
// Controls of the headless audio output, for tests: the mixer runs only when the test's clock
// says, and what it mixes is kept in memory. They act on the output of the device opened last
// (with VELMARIS_HEADLESS=1) and may be called from any thread.

#include <cstdint>
#include <vector>

namespace audio::headless {

// 44100 Hz, interleaved 16-bit stereo.
uint32_t OutputRate();

// With `present` false, opening a device fails as it does on a machine without a sound card.
void SetSoundCardPresent(bool present);
bool IsOutputOpen();

// Mixes `frames` stereo frames of every playing buffer (in steps of the sound card's period, as
// its callback would), keeps them and returns them. Nothing is mixed without an open output.
std::vector<int16_t> Render(uint32_t frames);
inline std::vector<int16_t> RenderMilliseconds(uint32_t ms) {
  return Render(static_cast<uint32_t>(static_cast<uint64_t>(ms) * OutputRate() / 1000));
}

// What was mixed since the last ClearCaptured (the last minute at most).
std::vector<int16_t> Captured();
void ClearCaptured();

}  // namespace audio::headless
