// Fuzz target: arbitrary bytes read as the binary form of a scene. Records that read are written,
// read back and written again to the same bytes (compared as bytes: a speed may be a NaN).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "source/scene/SceneRecords.h"
#include "tests/support/FuzzInput.h"
#include "tests/support/QuietLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 256 * 1024) return 0;
  QuietLog();
  cMemoryStream input = FuzzInputStream(data, size);
  SceneRecords records;
  std::string error;
  if (!ReadSceneRecords(input, records, error)) return 0;
  cMemoryStream written;
  if (!WriteSceneRecords(records, written)) __builtin_trap();
  written.Seek(0, 0);
  SceneRecords again;
  cMemoryStream rewritten;
  if (!ReadSceneRecords(written, again, error) || !WriteSceneRecords(again, rewritten)) __builtin_trap();
  if (rewritten.GetSize() != written.GetSize() ||
      (written.GetSize() > 0 && std::memcmp(rewritten.GetData(), written.GetData(), written.GetSize()) != 0)) {
    __builtin_trap();
  }
  return 0;
}
