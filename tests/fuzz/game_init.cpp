// Fuzz target: the game initialisation file: the XML document and then its languages, sections
// and font selects applied to a game object.

#include <cstddef>
#include <cstdint>

#include "Sources/shell/cGame.h"
#include "Sources/shell/cLanguageManager.h"
#include "source/xml/XmlDocument.h"
#include "tests/support/FuzzInput.h"
#include "tests/support/QuietLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QuietLog();
  if (size > 64 * 1024) return 0;
  cMemoryStream stream = FuzzInputStream(data, size);
  XmlDocument document;
  if (!document.Load(stream)) return 0;
  {
    cGame game;
    game.ApplyGameInit(document.GetRoot());
  }
  // Unknown codes add languages: each input starts again from the built-in ones.
  delete cLanguageManager::PeekInstance();
  return 0;
}
