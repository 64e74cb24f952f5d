// Fuzz target: script source text as the content tool compiles it. No text may crash or hang the
// parser or the checks; a text that parses prints as source that parses to the same tree.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/content/scripts/ScriptChecks.h"

namespace {

constexpr std::size_t kMaxInput = 1 << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size > kMaxInput) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  ParsedScript parsed;
  std::vector<ScriptFault> faults;
  if (!ParseScriptSource(text, parsed, faults)) {
    if (faults.size() != 1 || parsed.root) std::abort();
    return 0;
  }
  static const ScriptChecks checks = ScriptOnlyChecks();
  volatile std::size_t found = CheckScript("levels\\fuzz\\fuzz", parsed, checks).size();
  (void)found;

  const std::string printed = PrintScriptSource(*parsed.root);
  ParsedScript again;
  if (!ParseScriptSource(printed, again, faults) || PrintScriptSource(*again.root) != printed) std::abort();
  if (again.lines.size() != parsed.lines.size()) std::abort();
  return 0;
}
