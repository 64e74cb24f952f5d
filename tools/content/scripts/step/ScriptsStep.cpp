// The scripts step: the location scripts of content/scripts become "cnf" resources of the same
// relative names in "data"; a script that breaks a rule fails the build. The command
// "--print-script FILE.cnf" prints a built script back as source.

#include <cstdio>
#include <string>
#include <vector>

#include "source/stream/cMemoryStream.h"
#include "tools/content/ContentStep.h"
#include "tools/content/scripts/ScriptCompiler.h"

namespace {

bool BuildScripts(const ContentPaths& paths) {
  std::string report;
  const bool built = CompileScriptFolder(paths.SourceFor("scripts"), paths.PathFor("data", ""),
                                         ScriptOnlyChecks(), report);
  std::fputs(report.c_str(), stderr);
  return built;
}

int PrintScript(const std::vector<std::string>& arguments) {
  if (arguments.size() != 1) {
    std::fprintf(stderr, "usage: velmaris-content --print-script FILE.cnf\n");
    return 2;
  }
  std::FILE* file = std::fopen(arguments[0].c_str(), "rb");
  if (file == nullptr) {
    std::fprintf(stderr, "%s: cannot be read\n", arguments[0].c_str());
    return 1;
  }
  cMemoryStream bytes;
  char buffer[65536];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
    bytes.Write(buffer, static_cast<uint32_t>(read));
  }
  std::fclose(file);
  bytes.Seek(0, 0);
  std::string source;
  std::string report;
  const bool printed = PrintScriptFile(bytes, source, report);
  if (!report.empty()) std::fprintf(stderr, "%s: %s", arguments[0].c_str(), report.c_str());
  std::fputs(source.c_str(), stdout);
  return printed ? 0 : 1;
}

}  // namespace

VELMARIS_CONTENT_STEP("scripts", 60, BuildScripts);
VELMARIS_CONTENT_COMMAND("print-script", PrintScript);
