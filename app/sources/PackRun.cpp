#include "app/sources/PackRun.h"

#include <cstring>
#include <string>

#include "platform/os/os.h"
#include "source/Resources/cResourceManager.h"
#include "source/log/cLog.h"

namespace {

constexpr const char* kSource = "sources\\main";
constexpr const char* kPackSwitch = "-pack";

struct PackJob {
  const char* group;
  const char* file;
};
constexpr PackJob kPackJobs[] = {{"data", "my_data"}, {"localization", "my_localization"}};

}  // namespace

bool HasPackSwitch(int argc, char** argv) {
  // The arguments as one command line, so that the switch is found wherever it stands.
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (argv[i] == nullptr) continue;
    if (!line.empty()) line += ' ';
    line += argv[i];
  }
  return line.find(kPackSwitch) != std::string::npos;
}

bool IsResourceGroupPresent(const char* group) {
  return os::FileExists(group) || os::DirectoryExists(group);
}

bool WritePackFiles() {
  cResourceManager* resources = cResourceManager::GetInstance();
  bool all_written = true;
  for (const PackJob& job : kPackJobs) {
    if (!IsResourceGroupPresent(job.group)) {
      LogReport(kLogError, kSource, __LINE__, "no resource group %s to pack into %s", job.group, job.file);
      all_written = false;
      continue;
    }
    if (!resources->WritePackFile(job.group, job.file)) {
      all_written = false;
      continue;
    }
    LogReport(kLogPlain, kSource, __LINE__, "resource group %s packed into %s", job.group, job.file);
  }
  return all_written;
}
