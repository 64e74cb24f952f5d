// velmaris-sound-probe NAME effect|music MILLISECONDS: plays one sound of the "data" group in the
// current folder (its pack file, or its folder) through the sound manager on the real audio
// backend, running the frame's sound steps every 10 ms for the time given. For the end-to-end
// test of sound, which runs it with SDL's disk driver and reads back what reached the "card".
// Exit codes: 0 played, 2 usage, 3 sound not found, 4 no sound device.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/os/os.h"
#include "source/Resources/cResourceManager.h"
#include "source/Resources/cResourcePtr.h"
#include "source/core/Singleton.h"
#include "source/sound/cSoundManager.h"
#include "source/sound/cSoundPlayer.h"
#include "tests/support/LeakSuppressions.h"

extern "C" const char* __lsan_default_suppressions() { return kLeakSuppressions; }

namespace {

int Play(const std::string& name, bool music, long milliseconds) {
  cSoundManager* manager = cSoundManager::GetInstance();
  if (!manager->GetDevice().HasDevice()) return 4;
  cResourceManager::GetInstance()->AddDirectory("data");
  cResourcePtr<cSoundResource> sound;
  if (!sound.Assign(name)) return 3;
  if (music) {
    manager->PlayMusic(sound);
  } else {
    cSoundPlayer::GetInstance()->Play(sound, false);
  }
  for (long waited = 0; waited < milliseconds; waited += 10) {
    os::SleepMilliseconds(10);
    manager->Update();
    cSoundPlayer::GetInstance()->Update();
  }
  std::printf("played %s\n", name.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || (std::string(argv[2]) != "effect" && std::string(argv[2]) != "music")) {
    std::fprintf(stderr, "usage: velmaris-sound-probe NAME effect|music MILLISECONDS\n");
    return 2;
  }
  const int result = Play(argv[1], std::string(argv[2]) == "music", std::strtol(argv[3], nullptr, 10));
  DestroySingletons();
  return result;
}
