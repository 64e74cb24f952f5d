// Fuzz target: arbitrary bytes read as the stored form of a font description; one that reads must
// write back to the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gui/include/cFontResource.h"
#include "tests/support/FuzzInput.h"
#include "tests/support/QuietLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 64 * 1024) return 0;
  QuietLog();
  cMemoryStream bytes = FuzzInputStream(data, size);
  FontDescription description;
  if (!ReadFontDescription(bytes, description)) return 0;
  cMemoryStream written;
  if (!WriteFontDescription(written, description) || written.GetSize() != size) __builtin_trap();
  // The upper-case byte reads as a flag: any non-zero byte writes back as 1.
  if (size > 0 && std::memcmp(written.GetData(), data, size - 1) != 0) __builtin_trap();
  return 0;
}
