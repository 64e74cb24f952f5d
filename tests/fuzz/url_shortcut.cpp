// Fuzz target: an internet shortcut file ("play.url", "Homepage.url", "website.url") as the
// program reads it at exit. The address found is checked as the opener checks it, and every
// byte of it is read, so the sanitizers see it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Sources/shell/UrlShortcut.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The opener never looks past kMaxShortcutSize bytes.
  if (size > kMaxShortcutSize) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string address = ReadShortcutUrl(text);
  std::size_t checksum = IsWebAddress(address) ? 1 : 0;
  for (const char c : address) checksum += static_cast<unsigned char>(c);
  if (address.size() > size) std::abort();  // the address is always a part of the file
  if (checksum == 7) std::fputs("", stderr);
  return 0;
}
