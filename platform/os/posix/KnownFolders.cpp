// The folders the program finds by itself: the user's data folder, the runtime folder and the
// folder of the executable.

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/os/os.h"

namespace os {
namespace {

// An environment folder counts only when it is an absolute path (relative ones are ignored).
bool AbsoluteFromEnvironment(const char* name, std::string& folder) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return false;
  folder = value;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return true;
}

std::string HomeFolder() {
  std::string home;
  if (AbsoluteFromEnvironment("HOME", home)) return home;
  std::vector<char> buffer(16384);
  passwd entry;
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return found->pw_dir;
  }
  return "/tmp";
}

}  // namespace

std::string UserDataFolder() {
  std::string folder;
  if (AbsoluteFromEnvironment("XDG_DATA_HOME", folder)) return folder;
  const std::string home = HomeFolder();
  return (home == "/" ? "" : home) + "/.local/share";
}

std::string RuntimeFolder() {
  std::string folder;
  if (AbsoluteFromEnvironment("XDG_RUNTIME_DIR", folder)) return folder;
  return UserDataFolder();
}

std::string ExecutablePath() {
  std::vector<char> buffer(512);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return std::string();
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return std::string(buffer.data(), static_cast<std::size_t>(length));
    }
    if (buffer.size() >= (1u << 20)) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

std::string ExecutableDirectory() {
  const std::string path = ExecutablePath();
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace os
