// Text into a file descriptor without allocating, and starting the crash reporter: everything
// here is async-signal-safe, for use inside the crash handler.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/crash/crash.h"

extern char** environ;

namespace crash {
namespace {

// Digits of `value` in `base`, least significant first; returns their count.
int Digits(uint64_t value, unsigned base, char* digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  int count = 0;
  do {
    digits[count++] = kDigits[value % base];
    value /= base;
  } while (value != 0);
  return count;
}

std::size_t Format(char* buffer, std::size_t size, uint64_t magnitude, bool negative,
                   unsigned base, int min_digits) {
  if (size == 0) return 0;
  buffer[0] = '\0';
  char digits[64];
  int count = Digits(magnitude, base, digits);
  if (min_digits > 64) min_digits = 64;
  while (count < min_digits) digits[count++] = '0';
  const std::size_t length = static_cast<std::size_t>(count) + (negative ? 1 : 0);
  if (length + 1 > size) return 0;
  std::size_t at = 0;
  if (negative) buffer[at++] = '-';
  while (count > 0) buffer[at++] = digits[--count];
  buffer[at] = '\0';
  return at;
}

}  // namespace

std::size_t FormatDecimal(char* buffer, std::size_t size, int64_t value, int min_digits) {
  const bool negative = value < 0;
  // The magnitude of INT64_MIN does not fit an int64_t; in unsigned arithmetic it does.
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  return Format(buffer, size, magnitude, negative, 10, min_digits);
}

std::size_t FormatHex(char* buffer, std::size_t size, uint64_t value, int min_digits) {
  return Format(buffer, size, value, false, 16, min_digits);
}

bool WriteBytes(int fd, const char* bytes, std::size_t count) {
  if (fd < 0 || (bytes == nullptr && count > 0)) return false;
  while (count > 0) {
    const ssize_t written = write(fd, bytes, count);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return true;
}

bool WriteText(int fd, const char* text) {
  return text != nullptr && WriteBytes(fd, text, std::strlen(text));
}

bool WriteDecimal(int fd, int64_t value, int min_digits) {
  char buffer[80];
  const std::size_t length = FormatDecimal(buffer, sizeof buffer, value, min_digits);
  return length > 0 && WriteBytes(fd, buffer, length);
}

bool WriteHex(int fd, uint64_t value, int min_digits) {
  char buffer[80];
  const std::size_t length = FormatHex(buffer, sizeof buffer, value, min_digits);
  return length > 0 && WriteBytes(fd, buffer, length);
}

namespace {

// The engine names files with `\`; the copy uses `/`. False when it does not fit.
bool NativeCopy(const char* path, char* out, std::size_t size) {
  std::size_t i = 0;
  for (; path[i] != '\0'; ++i) {
    if (i + 1 >= size) return false;
    out[i] = path[i] == '\\' ? '/' : path[i];
  }
  out[i] = '\0';
  return true;
}

}  // namespace

int OpenReport(const char* path) {
  char native[kPathSize];
  if (path == nullptr || !NativeCopy(path, native, sizeof native)) return -1;
  int fd;
  do {
    fd = open(native, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

void CloseReport(int fd) {
  if (fd >= 0) close(fd);
}

const char* SignalName(int signal) {
  switch (signal) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGILL: return "SIGILL";
    case SIGFPE: return "SIGFPE";
    case SIGABRT: return "SIGABRT";
    default: return "signal";
  }
}

namespace {

// A new process without running the fork handlers of other libraries (which may take locks the
// crashed thread holds, such as the allocator's).
pid_t ForkBare() {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  return _Fork();
#else
  return fork();
#endif
}

}  // namespace

bool StartProgram(const char* program) {
  char path[kPathSize];
  if (program == nullptr || program[0] == '\0' || !NativeCopy(program, path, sizeof path)) {
    return false;
  }
  struct stat status;
  if (stat(path, &status) != 0 || !S_ISREG(status.st_mode) || access(path, X_OK) != 0) {
    return false;
  }
  const pid_t child = ForkBare();
  if (child < 0) return false;
  if (child == 0) {
    // The crashing signal is blocked while its handler runs, and an exec keeps the mask.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    char* const argv[] = {path, nullptr};
    execve(path, argv, environ);
    _exit(127);
  }
  return true;
}

}  // namespace crash
