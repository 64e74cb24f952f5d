// Fuzz target: arbitrary bytes read as a JPEG file through the program's stream source. libjpeg's
// fatal errors must come back as a failed load (never a return into the decoder), and a picture
// that loads has the size its header gave and at most kMaxImagePixels pixels.

#include <cstddef>
#include <cstdint>

#include "source/stream/cMemoryStream.h"
#include "source/texture/Image.h"
#include "source/texture/JpegImageLoader.h"
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
  if (!JpegImageLoader().Load(image, file)) {
    if (!image.IsEmpty()) __builtin_trap();
    return 0;
  }
  const uint64_t pixels = uint64_t{image.GetWidth()} * image.GetHeight();
  if (pixels == 0 || pixels > kMaxImagePixels) __builtin_trap();
  if (image.GetBitsPerPixel() != 8 && image.GetBitsPerPixel() != 24) __builtin_trap();
  return 0;
}
