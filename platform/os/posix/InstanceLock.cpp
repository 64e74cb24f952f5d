// The single-instance lock: a lock file held with flock. The kernel drops the lock when the
// process ends, however it ends, so a crashed game never locks out the next start.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/os/os.h"

namespace os {
namespace {

// The name becomes one file name: separators cannot smuggle in another folder.
std::string LockFileName(const std::string& name) {
  std::string file = name.empty() ? std::string("instance") : name;
  for (char& c : file) {
    if (c == '/' || c == '\\') c = '_';
  }
  return file + ".lock";
}

}  // namespace

InstanceLock::~InstanceLock() {
  if (m_fd >= 0) close(m_fd);  // closing the last descriptor releases the flock
}

std::unique_ptr<InstanceLock> InstanceLock::Acquire(const std::string& name,
                                                    const std::string& folder,
                                                    bool* already_held) {
  if (already_held != nullptr) *already_held = false;
  const std::string where = folder.empty() ? RuntimeFolder() : folder;
  CreateDirectoryTree(where);
  const std::string path = NativePath(where) + "/" + LockFileName(name);
  int fd;
  do {
    fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return nullptr;
  int result;
  do {
    result = flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    if (errno == EWOULDBLOCK && already_held != nullptr) *already_held = true;
    close(fd);
    return nullptr;
  }
  return std::unique_ptr<InstanceLock>(new InstanceLock(fd));
}

}  // namespace os
