#include "app/sources/PackRun.h"

#include <cstring>
#include <string>

#include "app/sources/AbnormalEnd.h"
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

// The one who asked for the packs is at the terminal: a failure is told there as well as logged.
void ReportPackFailure(int line, const std::string& why) {
  LogReport(kLogError, kSource, line, "%s", why.c_str());
  TellTerminal("-pack: " + why);
}

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
      ReportPackFailure(__LINE__, std::string("no resource group ") + job.group + " to pack into " + job.file);
      all_written = false;
      continue;
    }
    // A damaged pack or an unreadable folder: packing what could be read would replace a whole
    // pack with one that lacks resources (an empty one, for a refused pack).
    const cResourceLocation* location = resources->GetLocation(job.group);
    if (location == nullptr || location->HasFailed()) {
      ReportPackFailure(__LINE__, std::string("resource group ") + job.group + " could not be read whole: " + job.file +
                                      " is not written");
      all_written = false;
      continue;
    }
    if (!resources->WritePackFile(job.group, job.file)) {
      TellTerminal(std::string("-pack: could not write the pack file ") + job.file);  // the manager logged it
      all_written = false;
      continue;
    }
    LogReport(kLogPlain, kSource, __LINE__, "resource group %s packed into %s", job.group, job.file);
  }
  return all_written;
}
