// Fuzz target: arbitrary bytes read as a TGA file. Nothing may be read or allocated beyond what
// the file justifies, and a picture that loads must save and load back unchanged.

#include <cstddef>
#include <cstdint>

#include "source/stream/cMemoryStream.h"
#include "source/texture/Image.h"
#include "source/texture/TgaImageLoader.h"
#include "tests/support/FuzzInput.h"
#include "tests/support/QuietLog.h"

namespace {
constexpr std::size_t kMaxInput = 256 * 1024;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  QuietLog();
  cMemoryStream file = FuzzInputStream(data, size);
  Image image;
  TgaImageLoader loader;
  if (!loader.Load(image, file)) return 0;
  if (image.IsEmpty()) __builtin_trap();
  cMemoryStream saved;
  if (!loader.Save(image, saved)) __builtin_trap();
  saved.Seek(0, 0);
  Image again;
  if (!loader.Load(again, saved) || !(again == image)) __builtin_trap();
  return 0;
}
