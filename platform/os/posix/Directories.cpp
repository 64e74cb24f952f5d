// Folders: creating one or a whole tree, listing, and the current directory.

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "platform/os/os.h"

namespace os {
namespace {

bool IsFolder(const std::string& native) {
  struct stat info;
  return stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Whether an entry is a folder; links are followed, so a linked folder lists as a folder.
bool EntryIsFolder(const std::string& folder, const dirent& entry) {
  if (entry.d_type == DT_DIR) return true;
  if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) return false;
  return IsFolder(folder + "/" + entry.d_name);
}

}  // namespace

bool CreateDirectory(const std::string& path) {
  if (path.empty()) return false;
  const std::string native = NativePath(path);
  return mkdir(native.c_str(), 0777) == 0 || (errno == EEXIST && IsFolder(native));
}

bool CreateDirectoryTree(const std::string& path) {
  if (path.empty()) return false;
  // NativePath already resolved every existing folder without regard to case; what remains is new.
  const std::string native = NativePath(path);
  std::error_code ignored;
  std::filesystem::create_directories(native, ignored);
  return IsFolder(native);
}

bool ListDirectory(const std::string& path, std::vector<std::string>& folders,
                   std::vector<std::string>& files) {
  folders.clear();
  files.clear();
  const std::string native = path.empty() ? "." : NativePath(path);
  DIR* dir = opendir(native.c_str());
  if (dir == nullptr) return false;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    (EntryIsFolder(native, *entry) ? folders : files).push_back(name);
  }
  closedir(dir);
  std::sort(folders.begin(), folders.end());
  std::sort(files.begin(), files.end());
  return true;
}

std::string GetCurrentDirectory() {
  std::vector<char> buffer(1024);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() >= (1u << 20)) return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

bool SetCurrentDirectory(const std::string& path) {
  return !path.empty() && chdir(NativePath(path).c_str()) == 0;
}

}  // namespace os
