#include "Sources/shell/userdata/UserFolderGuard.h"

#include <map>
#include <mutex>

#include "platform/os/os.h"
#include "source/log/cLog.h"

namespace {

constexpr const char* kSource = "Sources\\shell\\UserFolderGuard";

struct Registry {
  std::mutex mutex;
  std::map<std::string, std::weak_ptr<UserFolderGuard>> guards;  // by native folder
};

Registry& GetRegistry() {
  static Registry& registry = *new Registry();  // files may still be released at exit
  return registry;
}

}  // namespace

UserFolderGuard::UserFolderGuard(std::string folder) : m_folder(std::move(folder)) {
  os::CreateDirectoryTree(m_folder);
  bool held_elsewhere = false;
  m_lock = os::InstanceLock::Acquire(kLockName, m_folder, &held_elsewhere);
  if (m_lock) return;
  if (held_elsewhere) {
    m_may_write = false;
    LogReport(kLogError, kSource, __LINE__,
              "another copy of the game is using the player files in %s; this one will not change them",
              m_folder.c_str());
  } else {
    LogReport(kLogWarning, kSource, __LINE__, "the lock of the player files in %s cannot be made", m_folder.c_str());
  }
}

UserFolderGuard::~UserFolderGuard() = default;

std::shared_ptr<UserFolderGuard> UserFolderGuard::ForFolder(const std::string& folder) {
  Registry& registry = GetRegistry();
  const std::string key = os::NativePath(folder);
  std::lock_guard<std::mutex> hold(registry.mutex);
  std::shared_ptr<UserFolderGuard> guard = registry.guards[key].lock();
  if (!guard) {
    guard.reset(new UserFolderGuard(folder));
    registry.guards[key] = guard;
  }
  return guard;
}
