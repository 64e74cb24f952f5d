// Fuzz target: a player's ".prf" file read into a profile. An accepted file is written again and
// must read back to the same progress, so a reader and writer that disagree are found too.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "Sources/shell/userdata/PlayerProfile.h"
#include "Sources/shell/userdata/FileHeader.h"
#include "tests/support/FuzzInput.h"
#include "tests/support/QuietLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QuietLog();
  if (size > 1 << 20) return 0;
  cMemoryStream stream = FuzzInputStream(data, size);
  PlayerProfile profile;
  if (!profile.ReadContent(stream)) return 0;
  // What is read is what the game can show.
  for (const ProfileProgress* p : {&profile.m_progress, &profile.m_start_progress}) {
    if (p->m_hints < 0 || p->m_hints > ProfileProgress::kMostHints) std::abort();
    for (const ItemCount& item : p->m_items) {
      if (item.m_count > ProfileProgress::kMostOfAnItem) std::abort();
    }
  }

  cMemoryStream again;
  if (!WriteFileHeader(again, profile.m_header, profile.m_version) || !profile.Write(again)) std::abort();
  again.Seek(0, 0);
  PlayerProfile reread;
  if (!reread.ReadContent(again) || !(reread.m_progress == profile.m_progress) ||
      !(reread.m_locations == profile.m_locations) || reread.m_stage != profile.m_stage) {
    std::abort();
  }
  return 0;
}
