#pragma once
// One process at a time writes the player files of a folder. The first file of the folder put
// to use takes the folder's lock file; when another running copy of the game holds it, this
// process only reads that folder, and says so once in the log. The lock is kept while any file
// of the folder is in use, and the kernel drops it when the process ends, however it ends.

#include <memory>
#include <string>

namespace os {
class InstanceLock;
}

class UserFolderGuard {
 public:
  // The guard of `folder` (shared by every file of it), taking the lock on first use.
  static std::shared_ptr<UserFolderGuard> ForFolder(const std::string& folder);
  ~UserFolderGuard();

  // False when another process holds the folder's lock.
  bool MayWrite() const { return m_may_write; }
  const std::string& GetFolder() const { return m_folder; }

  static constexpr const char* kLockName = "players";

 private:
  explicit UserFolderGuard(std::string folder);

  std::string m_folder;
  std::unique_ptr<os::InstanceLock> m_lock;
  bool m_may_write = true;
};
