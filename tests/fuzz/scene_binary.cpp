// Fuzz target: arbitrary bytes read as the binary form of a scene. Records that read are written
// and read back to the same records.

#include <cstddef>
#include <cstdint>
#include <string>

#include "source/scene/SceneRecords.h"
#include "source/stream/cMemoryStream.h"
#include "tests/support/QuietLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 256 * 1024) return 0;
  QuietLog();
  cMemoryStream input;
  input.Write(data, static_cast<uint32_t>(size));
  input.Seek(0, 0);
  SceneRecords records;
  std::string error;
  if (!ReadSceneRecords(input, records, error)) return 0;
  cMemoryStream written;
  if (!WriteSceneRecords(records, written)) __builtin_trap();
  written.Seek(0, 0);
  SceneRecords again;
  if (!ReadSceneRecords(written, again, error) || !(again == records)) __builtin_trap();
  return 0;
}
