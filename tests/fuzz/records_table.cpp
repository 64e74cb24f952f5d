// Fuzz target: the records file "topscores.hsf" read into a records table; an accepted file is
// written again and must give the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "Sources/shell/userdata/FileHeader.h"
#include "Sources/shell/userdata/RecordsTable.h"
#include "Sources/shell/userdata/cUserDataFactory.h"
#include "source/stream/Encoding.h"
#include "tests/support/FuzzInput.h"
#include "tests/support/QuietLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QuietLog();
  if (size > 1 << 20) return 0;
  // Without a user folder the table touches no file.
  static GameUserDataFactory factory("");
  static RecordsTable table(factory);
  cMemoryStream stream = FuzzInputStream(data, size);
  if (!table.Parse(stream)) return 0;

  cMemoryStream again;
  WriteFileHeader(again, factory.m_header, factory.m_version);
  WriteUInt32(again, static_cast<uint32_t>(table.GetEntries().size()));
  for (const auto& entry : table.GetEntries()) entry->Write(again);
  if (again.GetSize() != size || std::memcmp(again.GetData(), data, size) != 0) std::abort();
  return 0;
}
