// ALSA's own error printer writes to the terminal whenever a card is looked for and not found:
// about eight lines at every start on a machine without sound, none of which the player can act
// on. The messages are caught here instead, and the last one explains a device that would not
// open. SDL loads ALSA at run time; the copy opened here is the one it then uses.

#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

#include "platform/audio/Backend.h"

namespace audio::detail {
namespace {

// snd_lib_error_handler_t and snd_lib_error_set_handler, as libasound.so.2 exports them.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int err, const char* format, ...);
using AlsaSetErrorHandler = int (*)(AlsaErrorHandler handler);

std::mutex& MessageMutex() {
  static std::mutex& mutex = *new std::mutex();  // never destroyed: ALSA may call in at exit
  return mutex;
}

std::string& LastMessage() {
  static std::string& text = *new std::string();
  return text;
}

extern "C" void KeepAlsaMessage(const char*, int, const char* function, int, const char* format, ...) {
  char text[512];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  std::lock_guard<std::mutex> lock(MessageMutex());
  LastMessage() = std::string(function != nullptr ? function : "") + ": " + text;
}

}  // namespace

void CaptureAlsaMessages() {
  static const bool installed = [] {
    // Kept open for the life of the process: the handler must not outlive the library's use of it.
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (alsa == nullptr) return false;
    auto set_handler = reinterpret_cast<AlsaSetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    return set_handler != nullptr && set_handler(&KeepAlsaMessage) == 0;
  }();
  (void)installed;
}

std::string TakeAlsaMessage() {
  std::lock_guard<std::mutex> lock(MessageMutex());
  std::string message;
  message.swap(LastMessage());
  return message;
}

}  // namespace audio::detail
