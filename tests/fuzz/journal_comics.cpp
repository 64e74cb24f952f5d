// The diary's comics file read from arbitrary bytes: every page read has a number, and asking the
// diary's number reader about every resource name never fails.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "Sources/adventure/DiaryWindow.h"
#include "source/xml/XmlDocument.h"
#include "tests/support/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cMemoryStream bytes = FuzzInputStream(data, size);
  XmlDocument document;
  document.Load(bytes);
  std::size_t names = 0;
  for (const auto& [number, pages] : ReadJournalComics(document.GetRoot())) {
    for (const std::string& page : pages) {
      if (ReadDiaryNumber(page).has_value()) ++names;
    }
    names += static_cast<std::size_t>(number & 1);
  }
  if (names > size) abort();  // every name read came from the bytes
  return 0;
}
