// The music box's stage list read from arbitrary bytes: every stage read has a time above 0 and
// at least one note, and finding no window is no fault.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "Sources/minigames/MiniGameMusicBox.h"
#include "source/xml/XmlDocument.h"
#include "tests/support/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cMemoryStream bytes = FuzzInputStream(data, size);
  XmlDocument document;
  document.Load(bytes);
  const auto none = [](const std::string&) -> GUIWindow* { return nullptr; };
  for (const MiniGameMusicBox::Stage& stage : MiniGameMusicBox::ReadStages(document.GetRoot(), none)) {
    if (!(stage.time > 0.0f) || stage.count < 1 || stage.success != nullptr) abort();
  }
  return 0;
}
