// Fuzz target: a locations phrase file or a hint types file as the game reads them. The bytes are
// parsed as XML, then read into the phrase database and as hint types (without a GUI, so no
// window is built); every text read is summed so that the sanitizers see it.

#include <cstddef>
#include <cstdint>

#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/PhraseDatabase.h"
#include "source/core/Singleton.h"
#include "source/xml/XmlDocument.h"
#include "tests/support/FuzzInput.h"

namespace {

size_t SumOf(const LocationTexts& texts, int depth) {
  size_t sum = texts.m_tooltips.size();
  for (const auto& [name, phrases] : texts.m_phrases) sum += name.size() + phrases.size();
  if (depth < 64) {
    for (const auto& [name, nested] : texts.m_locations) sum += SumOf(nested, depth + 1);
  }
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cMemoryStream bytes = FuzzInputStream(data, size);
  XmlDocument document;
  if (!document.Load(bytes)) return 0;
  PhraseDatabase* database = PhraseDatabase::GetInstance();
  database->ReadDocument(document.GetRoot());
  volatile size_t sum = SumOf(database->GetRoot(), 0) + database->GetText("key").size();
  HintWindow::GetInstance()->LoadTypes(document.GetRoot());
  sum = sum + HintWindow::GetInstance()->GetTypes().size();
  DestroySingletons();
  return 0;
}
