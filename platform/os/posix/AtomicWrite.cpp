// Replaces a file as a whole: the bytes go to a temporary file beside it, are synced, and the
// temporary is renamed over the old file. A crash or a full disk leaves either the old file or the
// new one, never a mixture; on any failure the temporary is removed.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/os/os.h"

namespace os {
namespace {

std::string FolderOf(const std::string& native) {
  const std::size_t slash = native.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : native.substr(0, slash);
}

// Creates a temporary file beside `native` that no other writer (thread or process) can pick.
int CreateTemporary(const std::string& native, std::string& temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = native + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, const void* bytes, std::size_t size) {
  const char* in = static_cast<const char*>(bytes);
  while (size > 0) {
    const ssize_t put = write(fd, in, std::min<std::size_t>(size, 1u << 30));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    in += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

// Makes the rename itself durable.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const void* bytes, std::size_t size) {
  if (path.empty() || (bytes == nullptr && size > 0)) return false;
  const std::string native = NativePath(path);
  if (native.back() == '/') return false;
  struct stat old_info;
  const bool had_old = stat(native.c_str(), &old_info) == 0;
  if (had_old && !S_ISREG(old_info.st_mode)) return false;  // a folder or device is not replaced

  std::string temporary;
  const int fd = CreateTemporary(native, temporary);
  if (fd < 0) return false;
  bool ok = true;
  if (had_old) ok = fchmod(fd, old_info.st_mode & 07777) == 0;  // the new file keeps the old rights
  ok = ok && WriteAll(fd, bytes, size) && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  ok = ok && rename(temporary.c_str(), native.c_str()) == 0;
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  SyncFolder(FolderOf(native));
  return true;
}

}  // namespace os
