// Fuzz target: the profile list file "profiles.pmf" parsed under the game's header and version.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "Sources/shell/userdata/ProfilesList.h"
#include "Sources/shell/userdata/cProfile.h"
#include "Sources/shell/userdata/cUserDataFactory.h"
#include "tests/support/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 20) return 0;
  // A player file's name read back as a player's name gives that file name again.
  std::string digits;
  for (std::size_t i = 0; i < size && i < 64; ++i) digits += static_cast<char>('0' + data[i] % 10);
  bool sure = false;
  if (!digits.empty() && cProfile::FileNameFor(ProfilesList::NameFromFileName(digits, &sure)) != digits) std::abort();
  static GameUserDataFactory factory("");
  cMemoryStream stream = FuzzInputStream(data, size);
  std::vector<std::u16string> names;
  std::u16string current;
  if (!ProfilesList::Parse(stream, factory, names, current)) return 0;
  std::size_t units = current.size();
  for (const auto& name : names) units += name.size();
  if (units * 2 > size) std::abort();  // more text than the bytes could hold
  return 0;
}
