// Fuzz target: a configuration file read into a settings store. Every value that lands in the
// store is read back, so the sanitizers see each byte.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "source/config/Config.h"
#include "source/properties/cProperties.h"
#include "tests/support/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A real configuration is a few hundred bytes; larger inputs only slow the search down.
  if (size > 64 * 1024) return 0;
  cMemoryStream stream = FuzzInputStream(data, size);

  cProperties store;
  ReadConfig(stream, store);
  std::size_t checksum = 0;
  for (const auto& [name, value] : store.GetMap()) {
    const std::string text = store.GetValue(name);
    for (const char c : name) checksum += static_cast<unsigned char>(c);
    for (const char c : text) checksum += static_cast<unsigned char>(c);
  }
  if (checksum == 1) std::fputs("", stderr);  // keeps the sum from being optimised away
  return 0;
}
