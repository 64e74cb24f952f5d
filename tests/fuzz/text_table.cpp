// Fuzz target: arbitrary bytes as a text table, in its stored form (first byte even) or as the XML
// of a resource declaration (odd). A stored table that reads writes back to the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gui/include/TextTable.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "tests/support/QuietLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 256 * 1024) return 0;
  QuietLog();
  cMemoryStream bytes;
  bytes.Write(data + 1, static_cast<uint32_t>(size - 1));
  bytes.Seek(0, 0);
  if ((data[0] & 1) == 0) {
    TextMap texts;
    TextSections sections;
    if (!ReadTextTables(bytes, texts, sections)) return 0;
    cMemoryStream written;
    if (!WriteTextTables(written, texts, sections)) __builtin_trap();
    // Keys out of order or repeated read fine but write back sorted and single: no larger.
    if (written.GetSize() > size - 1) __builtin_trap();
    return 0;
  }
  XmlDocument document;
  if (!document.Load(bytes)) return 0;
  cTextResource resource("fuzz", cResourceSource());
  resource.LoadFromXml(document.GetRoot());
  cMemoryStream written;
  TextMap texts;
  TextSections sections;
  if (!WriteTextTables(written, resource.GetTexts(), resource.GetSections())) __builtin_trap();
  written.Seek(0, 0);
  if (!ReadTextTables(written, texts, sections) || texts != resource.GetTexts() || sections != resource.GetSections()) {
    __builtin_trap();
  }
  return 0;
}
