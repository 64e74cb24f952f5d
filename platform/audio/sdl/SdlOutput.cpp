// The sound card through SDL2: the mixer runs in SDL's audio callback, on SDL's audio thread.

#include <SDL.h>

#include <string>

#include "platform/audio/Backend.h"

namespace audio::detail {
namespace {

class SdlOutput : public Output {
 public:
  SdlOutput() : Output(kOutputRate) {}
  ~SdlOutput() override {
    // Closing waits for a callback under way, so the mixer is not used once this returns.
    if (m_device != 0) SDL_CloseAudioDevice(m_device);
    if (m_subsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  bool Open(std::string& error) {
    CaptureAlsaMessages();
    TakeAlsaMessage();  // older than this attempt
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      error = Reason();
      return false;
    }
    m_subsystem = true;
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(kOutputRate);
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(kOutputChannels);
    wanted.samples = static_cast<Uint16>(kPeriodFrames);
    wanted.callback = &SdlOutput::Callback;
    wanted.userdata = &GetMixer();
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts our stream to whatever the card wants.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (m_device == 0) {
      error = Reason();
      return false;
    }
    SDL_PauseAudioDevice(m_device, 0);
    return true;
  }

 private:
  // SDL's reason, and what ALSA said meanwhile.
  static std::string Reason() {
    std::string reason = SDL_GetError();
    const std::string alsa = TakeAlsaMessage();
    if (!alsa.empty()) reason += " (ALSA: " + alsa + ")";
    return reason;
  }

  static void SDLCALL Callback(void* user, Uint8* stream, int length) {
    const uint32_t frames = static_cast<uint32_t>(length) / (kOutputChannels * sizeof(int16_t));
    static_cast<Mixer*>(user)->Mix(reinterpret_cast<int16_t*>(stream), frames);
  }

  SDL_AudioDeviceID m_device = 0;
  bool m_subsystem = false;
};

}  // namespace

std::shared_ptr<Output> OpenSdlOutput(std::string& error) {
  auto output = std::make_shared<SdlOutput>();
  if (!output->Open(error)) return nullptr;
  return output;
}

}  // namespace audio::detail
