#pragma once
// Inside the audio service: the two outputs a device can open. Not for use outside platform/audio.

#include <memory>
#include <string>

#include "platform/audio/Mixer.h"

namespace audio::detail {

// The default sound card through SDL2's audio callback; null, with the reason, when none opens.
std::shared_ptr<Output> OpenSdlOutput(std::string& error);
// Memory, mixed when the test's clock says (headless/HeadlessAudio.h); null when the test has
// taken the sound card away.
std::shared_ptr<Output> OpenHeadlessOutput(std::string& error);

// From now on ALSA's error messages are kept (sdl/AlsaMessages.cpp) instead of printed on the
// terminal, where the library is on this system.
void CaptureAlsaMessages();
// The last message ALSA gave since the last call, or empty.
std::string TakeAlsaMessage();

}  // namespace audio::detail
