#include "tools/content/ContentStep.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace {

std::vector<ContentStep>& Registry() {
  static std::vector<ContentStep> steps;
  return steps;
}

std::map<std::string, ContentCommandFunction>& Commands() {
  static std::map<std::string, ContentCommandFunction> commands;
  return commands;
}

}  // namespace

std::string ContentPaths::PathFor(const std::string& group, const std::string& relative) const {
  const std::filesystem::path path = std::filesystem::path(output) / group / relative;
  std::filesystem::create_directories(path.parent_path());
  return path.string();
}

std::string ContentPaths::SourceFor(const std::string& relative) const {
  return (std::filesystem::path(sources) / relative).string();
}

ContentStepRegistration::ContentStepRegistration(const char* name, int rank, ContentStepFunction run) {
  Registry().push_back(ContentStep{name, rank, run});
}

std::vector<ContentStep> ContentSteps() {
  std::vector<ContentStep> steps = Registry();
  std::sort(steps.begin(), steps.end(), [](const ContentStep& a, const ContentStep& b) {
    return a.rank != b.rank ? a.rank < b.rank : a.name < b.name;
  });
  return steps;
}

ContentCommandRegistration::ContentCommandRegistration(const char* name, ContentCommandFunction run) {
  Commands()[name] = run;
}

ContentCommandFunction FindContentCommand(const std::string& name) {
  auto found = Commands().find(name);
  return found == Commands().end() ? nullptr : found->second;
}
