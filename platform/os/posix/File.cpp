// os::File over a POSIX descriptor: the engine's dispositions and access bits become open flags.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "platform/os/os.h"

namespace os {
namespace {

// One read or write call moves at most this much, so counts never overflow ssize_t.
constexpr uint64_t kMaxChunk = 1u << 30;

int OpenFlags(int disposition, unsigned access) {
  int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  if ((access & kAccessWrite) != 0) {
    flags |= (access & kAccessRead) != 0 ? O_RDWR : O_WRONLY;
  } else {
    flags |= O_RDONLY;
  }
  switch (disposition) {
    case kCreateAlways: return flags | O_CREAT | O_TRUNC;
    case kCreateNew: return flags | O_CREAT | O_EXCL;
    case kOpenAlways: return flags | O_CREAT;
    default: return flags;
  }
}

// Only regular files and character devices are files to the engine: a folder cannot be read, and
// a pipe could block a read forever.
int CheckKind(int fd) {
  struct stat info;
  if (fstat(fd, &info) != 0) return errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode) && !S_ISCHR(info.st_mode)) return EINVAL;
  return 0;
}

}  // namespace

File::~File() {
  if (m_fd >= 0) close(m_fd);
}

std::unique_ptr<File> File::Open(const std::string& path, int disposition, unsigned access,
                                 unsigned share, int* error) {
  const std::string native = NativePath(path);
  int fd;
  do {
    fd = open(native.c_str(), OpenFlags(disposition, access), 0666);
  } while (fd < 0 && errno == EINTR);
  int failure = fd < 0 ? errno : CheckKind(fd);
  // O_NONBLOCK only guarded the open itself (a FIFO would have blocked there).
  if (failure == 0 && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) failure = errno;
  if (failure != 0) {
    if (fd >= 0) close(fd);
    if (error != nullptr) *error = failure;
    return nullptr;
  }
  if (error != nullptr) *error = 0;
  return std::unique_ptr<File>(new File(fd));
}

int64_t File::Read(void* buffer, uint64_t count) {
  char* out = static_cast<char*>(buffer);
  uint64_t done = 0;
  while (done < count) {
    const ssize_t got = read(m_fd, out + done, std::min(count - done, kMaxChunk));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return done > 0 ? static_cast<int64_t>(done) : -1;
    if (got == 0) break;
    done += static_cast<uint64_t>(got);
  }
  return static_cast<int64_t>(done);
}

int64_t File::Write(const void* buffer, uint64_t count) {
  const char* in = static_cast<const char*>(buffer);
  uint64_t done = 0;
  while (done < count) {
    const ssize_t put = write(m_fd, in + done, std::min(count - done, kMaxChunk));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return done > 0 ? static_cast<int64_t>(done) : -1;
    done += static_cast<uint64_t>(put);
  }
  return static_cast<int64_t>(done);
}

int64_t File::ReadAt(uint64_t offset, void* buffer, uint64_t count) const {
  if (offset > static_cast<uint64_t>(INT64_MAX)) return -1;
  char* out = static_cast<char*>(buffer);
  uint64_t done = 0;
  while (done < count) {
    const ssize_t got = pread(m_fd, out + done, std::min(count - done, kMaxChunk),
                              static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return done > 0 ? static_cast<int64_t>(done) : -1;
    if (got == 0) break;
    done += static_cast<uint64_t>(got);
  }
  return static_cast<int64_t>(done);
}

int64_t File::Seek(int64_t offset, int origin) {
  const int whence = origin == 0 ? SEEK_SET : origin == 1 ? SEEK_CUR : SEEK_END;
  const off_t position = lseek(m_fd, static_cast<off_t>(offset), whence);
  return position < 0 ? -1 : static_cast<int64_t>(position);
}

int64_t File::Size() const {
  struct stat info;
  if (fstat(m_fd, &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

bool File::Resize(uint64_t size) {
  if (size > static_cast<uint64_t>(INT64_MAX)) return false;
  int result;
  do {
    result = ftruncate(m_fd, static_cast<off_t>(size));
  } while (result != 0 && errno == EINTR);
  if (result != 0) return false;
  return lseek(m_fd, static_cast<off_t>(size), SEEK_SET) >= 0;
}

bool File::Flush() { return fsync(m_fd) == 0; }

}  // namespace os
