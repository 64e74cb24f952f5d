#include "app/sources/PackRun.h"

#include <cstring>

#include "platform/os/os.h"
#include "source/Resources/cResourceLocation.h"
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
  // The argument itself: "--savedir=/home/me/game-packs" must not overwrite the packs.
  for (int i = 1; i < argc; ++i) {
    if (argv[i] != nullptr && std::strcmp(argv[i], kPackSwitch) == 0) return true;
  }
  return false;
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
    // A damaged pack or an unreadable folder: packing what could be read would replace a whole
    // pack with one that lacks resources (an empty one, for a refused pack).
    const cResourceLocation* location = resources->GetLocation(job.group);
    if (location == nullptr || location->HasFailed()) {
      LogReport(kLogError, kSource, __LINE__, "resource group %s could not be read whole: %s is not written", job.group,
                job.file);
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
