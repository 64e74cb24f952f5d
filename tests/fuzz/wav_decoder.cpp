// Any bytes as a WAV sound.

#include "source/sound/cSoundStream.h"
#include "tests/fuzz/SoundDecoderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzSoundDecoder(data, size, &CreateWavStream);
  return 0;
}
