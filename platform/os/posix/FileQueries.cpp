// Questions about and simple changes to single files: existence, kind, deletion, renaming.

#include <sys/stat.h>
#include <unistd.h>

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

bool RenameFile(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) return false;
  return rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

}  // namespace os
