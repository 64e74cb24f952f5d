// Replaces a file as a whole: the bytes go to a temporary file beside it, are synced, and the
// temporary is renamed over the old file. A crash or a full disk leaves either the old file or the
// new one, never a mixture; on any failure the temporary is removed.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/os/os.h"
#include "platform/os/posix/AtomicWriteCalls.h"

namespace os {
namespace {

int OpenFile(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }

AtomicWriteCalls& Calls() { return AtomicWriteSystemCalls(); }

std::string FolderOf(const std::string& native) {
  const std::size_t slash = native.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : native.substr(0, slash);
}

constexpr const char* kTemporaryMark = ".tmp-";

// "<name>.tmp-<pid>-<counter>", as CreateTemporary names them.
bool IsTemporaryOf(const std::string& entry, const std::string& name) {
  const std::string prefix = name + kTemporaryMark;
  if (entry.size() <= prefix.size() || entry.compare(0, prefix.size(), prefix) != 0) return false;
  int dashes = 0;
  for (std::size_t i = prefix.size(); i < entry.size(); ++i) {
    if (entry[i] == '-') {
      ++dashes;
    } else if (!std::isdigit(static_cast<unsigned char>(entry[i]))) {
      return false;
    }
  }
  return dashes == 1 && entry.back() != '-' && entry[prefix.size()] != '-';
}

// Creates a temporary file beside `native` that no other writer (thread or process) can pick.
int CreateTemporary(const std::string& native, std::string& temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = native + kTemporaryMark + std::to_string(getpid()) + "-" + std::to_string(counter++);
    const int fd = Calls().open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, const void* bytes, std::size_t size) {
  const char* in = static_cast<const char*>(bytes);
  while (size > 0) {
    const ssize_t put = Calls().write(fd, in, std::min<std::size_t>(size, 1u << 30));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    in += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

// Makes the rename itself durable.
void SyncFolder(const std::string& folder) {
  const int fd = Calls().open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return;
  Calls().fsync(fd);
  Calls().close(fd);
}

}  // namespace

AtomicWriteCalls& AtomicWriteSystemCalls() {
  static AtomicWriteCalls calls{&OpenFile, &::write, &::fsync, &::close, &::rename};
  return calls;
}

bool WriteFileAtomically(const std::string& path, const void* bytes, std::size_t size) {
  if (path.empty() || (bytes == nullptr && size > 0)) {
    errno = EINVAL;
    return false;
  }
  const std::string native = NativePath(path);
  if (native.back() == '/') {
    errno = EISDIR;
    return false;
  }
  struct stat old_info;
  const bool had_old = stat(native.c_str(), &old_info) == 0;
  if (had_old && !S_ISREG(old_info.st_mode)) {  // a folder or device is not replaced
    errno = S_ISDIR(old_info.st_mode) ? EISDIR : EINVAL;
    return false;
  }

  std::string temporary;
  const int fd = CreateTemporary(native, temporary);
  if (fd < 0) return false;
  bool ok = true;
  if (had_old) ok = fchmod(fd, old_info.st_mode & 07777) == 0;  // the new file keeps the old rights
  ok = ok && WriteAll(fd, bytes, size) && Calls().fsync(fd) == 0;
  ok = (Calls().close(fd) == 0) && ok;
  ok = ok && Calls().rename(temporary.c_str(), native.c_str()) == 0;
  if (!ok) {
    const int reason = errno;  // the caller's log line names the first failure, not the clean-up
    unlink(temporary.c_str());
    errno = reason;
    return false;
  }
  SyncFolder(FolderOf(native));
  return true;
}

int RemoveStaleTemporaries(const std::string& path) {
  if (path.empty()) return 0;
  const std::string native = NativePath(path);
  const std::size_t slash = native.rfind('/');
  const std::string folder = FolderOf(native);
  const std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
  std::vector<std::string> folders;
  std::vector<std::string> files;
  if (name.empty() || !ListDirectory(folder, folders, files)) return 0;
  int removed = 0;
  for (const std::string& file : files) {
    if (IsTemporaryOf(file, name) && unlink((folder + "/" + file).c_str()) == 0) ++removed;
  }
  return removed;
}

}  // namespace os
