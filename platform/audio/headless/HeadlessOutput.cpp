// The headless output: the same mixer, run by the test into memory.

#include <algorithm>
#include <mutex>

#include "platform/audio/Backend.h"
#include "platform/audio/headless/HeadlessAudio.h"

namespace audio {
namespace {

constexpr size_t kCaptureLimit = detail::kOutputRate * detail::kOutputChannels * 60;

struct HeadlessState {
  std::mutex mutex;
  std::weak_ptr<detail::Output> current;
  bool present = true;
  std::vector<int16_t> captured;
};

HeadlessState& State() {
  static HeadlessState& state = *new HeadlessState();  // never destroyed: used from destructors at exit
  return state;
}

}  // namespace

namespace detail {

std::shared_ptr<Output> OpenHeadlessOutput(std::string& error) {
  HeadlessState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  if (!state.present) {
    error = "no sound card (headless, taken away by the test)";
    return nullptr;
  }
  auto output = std::make_shared<Output>(kOutputRate);
  state.current = output;
  return output;
}

}  // namespace detail

namespace headless {

uint32_t OutputRate() { return detail::kOutputRate; }

void SetSoundCardPresent(bool present) {
  std::lock_guard<std::mutex> lock(State().mutex);
  State().present = present;
}

bool IsOutputOpen() {
  std::lock_guard<std::mutex> lock(State().mutex);
  return !State().current.expired();
}

std::vector<int16_t> Render(uint32_t frames) {
  HeadlessState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  std::shared_ptr<detail::Output> output = state.current.lock();
  if (!output) return {};
  std::vector<int16_t> mixed(static_cast<size_t>(frames) * detail::kOutputChannels);
  for (uint32_t done = 0; done < frames;) {
    const uint32_t step = std::min(frames - done, detail::kPeriodFrames);
    output->GetMixer().Mix(mixed.data() + static_cast<size_t>(done) * detail::kOutputChannels, step);
    done += step;
  }
  state.captured.insert(state.captured.end(), mixed.begin(), mixed.end());
  if (state.captured.size() > kCaptureLimit) {
    state.captured.erase(state.captured.begin(), state.captured.end() - kCaptureLimit);
  }
  return mixed;
}

std::vector<int16_t> Captured() {
  std::lock_guard<std::mutex> lock(State().mutex);
  return State().captured;
}

void ClearCaptured() {
  std::lock_guard<std::mutex> lock(State().mutex);
  State().captured.clear();
}

}  // namespace headless
}  // namespace audio
