// Fuzz target: a "cnf" location script as the resource loads it. A file it takes must write back
// as the same bytes (up to any bytes after its end) and print as source that builds the same
// bytes again; a file it refuses leaves the resource empty.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Sources/adventure/LocationResource.h"
#include "Sources/adventure/script/LocationScriptFile.h"
#include "source/stream/cMemoryStream.h"
#include "tests/support/QuietLog.h"
#include "tools/content/scripts/ScriptCompiler.h"

namespace {

constexpr std::size_t kMaxInput = 1 << 20;

std::string Bytes(cMemoryStream& stream) {
  return stream.GetSize() == 0 ? std::string()
                               : std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size > kMaxInput) return 0;
  QuietLog();
  auto* file = new cMemoryStream();
  if (size > 0) file->Write(data, static_cast<uint32_t>(size));
  file->Seek(0, 0);
  LocationResource script("levels\\fuzz", cResourceSource::FromPackEntry(CountedPtr<cStream>(file), ""));
  if (!script.Load()) {
    if (script.GetRoot() != nullptr || !script.GetObjectNames().empty()) std::abort();
    return 0;
  }

  cMemoryStream written;
  if (!WriteLocationScript(*script.GetRoot(), written)) std::abort();
  const std::string bytes = Bytes(written);
  if (bytes.size() > size || bytes != std::string(reinterpret_cast<const char*>(data), bytes.size())) std::abort();

  cMemoryStream rebuilt;
  std::vector<ScriptFault> faults;
  if (!CompileScript(PrintScriptSource(*script.GetRoot()), script.GetName(), ScriptChecks(), rebuilt, faults)) std::abort();
  if (Bytes(rebuilt) != bytes) std::abort();
  script.Unload();
  return 0;
}
