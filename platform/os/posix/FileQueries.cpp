// Questions about and simple changes to single files: existence, kind, deletion, renaming.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/os/os.h"

namespace os {
namespace {

bool StatNative(const std::string& path, struct stat& info) {
  return !path.empty() && stat(NativePath(path).c_str(), &info) == 0;
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat info;
  return StatNative(path, info) && S_ISREG(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat info;
  return StatNative(path, info) && S_ISDIR(info.st_mode);
}

bool IsExecutable(const std::string& path) {
  const std::string native = NativePath(path);
  struct stat info;
  return !native.empty() && stat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         access(native.c_str(), X_OK) == 0;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat info;
  return StatNative(path, info) && S_ISREG(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool DeleteFile(const std::string& path) {
  return !path.empty() && unlink(NativePath(path).c_str()) == 0;
}

std::size_t LongestFileName(const std::string& folder) {
  constexpr std::size_t kUsual = 255;
  std::string native = NativePath(folder);
  while (!native.empty()) {
    errno = 0;
    const long longest = pathconf(native.c_str(), _PC_NAME_MAX);
    if (longest > 0) return static_cast<std::size_t>(longest);
    if (errno != ENOENT && errno != ENOTDIR) break;  // no limit, or none to be had
    const std::size_t slash = native.find_last_of('/');
    if (slash == std::string::npos || slash == 0) break;
    native.resize(slash);
  }
  return kUsual;
}

bool RenameFile(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) return false;
  return rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

}  // namespace os
