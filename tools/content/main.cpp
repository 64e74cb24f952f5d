// velmaris-content SOURCES OUTPUT: turns the sample game's sources into the data folders
// "data", "localization", "fsdata" and "splash" inside OUTPUT (the folder of the built program).
// Everything is written into a staging folder first and moved into place only when every step
// succeeded, so a failed run leaves the previous data whole.
// velmaris-content --COMMAND ARGUMENTS...: runs one of the tool's commands (such as
// --print-script FILE.cnf) instead.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tools/content/ContentStep.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kGroups[] = {"data", "localization", "fsdata", "splash"};

bool ReplaceGroups(const fs::path& staging, const fs::path& output) {
  std::error_code error;
  for (const char* group : kGroups) {
    const fs::path target = output / group;
    fs::remove_all(target, error);
    if (error) {
      std::fprintf(stderr, "velmaris-content: cannot remove %s: %s\n", target.c_str(), error.message().c_str());
      return false;
    }
    fs::rename(staging / group, target, error);
    if (error) {
      std::fprintf(stderr, "velmaris-content: cannot move %s into place: %s\n", target.c_str(),
                   error.message().c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]).rfind("--", 0) == 0) {
    if (ContentCommandFunction command = FindContentCommand(argv[1] + 2)) {
      return command(std::vector<std::string>(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "velmaris-content: unknown command %s\n", argv[1]);
    return 2;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: velmaris-content SOURCES OUTPUT\n");
    return 2;
  }
  const fs::path output = argv[2];
  const fs::path staging = output / ".content-staging";
  std::error_code error;
  fs::remove_all(staging, error);
  for (const char* group : kGroups) fs::create_directories(staging / group, error);
  if (error) {
    std::fprintf(stderr, "velmaris-content: cannot make %s: %s\n", staging.c_str(), error.message().c_str());
    return 1;
  }

  const ContentPaths paths{argv[1], staging.string()};
  for (const ContentStep& step : ContentSteps()) {
    if (!step.run(paths)) {
      std::fprintf(stderr, "velmaris-content: step \"%s\" failed\n", step.name.c_str());
      return 1;
    }
  }
  if (!ReplaceGroups(staging, output)) return 1;
  fs::remove_all(staging, error);
  return 0;
}
