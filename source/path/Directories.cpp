// The current directory, the directory stack and the folder services over the os layer.

#include <mutex>

#include "platform/os/os.h"
#include "source/path/Paths.h"

namespace {

// The stack is the main thread's, but a lock costs nothing and keeps it whole if another thread
// ever pushes.
std::mutex& StackMutex() {
  static std::mutex& mutex = *new std::mutex();  // never destroyed: used from destructors at exit
  return mutex;
}

std::vector<std::string>& DirectoryStack() {
  static std::vector<std::string>& stack = *new std::vector<std::string>();  // never destroyed: used from destructors at exit
  return stack;
}

}  // namespace

std::string GetCurrentDir() { return os::GetCurrentDirectory(); }

bool SetCurrentDir(const std::string& path) { return os::SetCurrentDirectory(path); }

void PushDirectory(const std::string& path) {
  std::lock_guard<std::mutex> lock(StackMutex());
  DirectoryStack().push_back(os::GetCurrentDirectory());
  os::SetCurrentDirectory(path);
}

void PopDirectory() {
  std::lock_guard<std::mutex> lock(StackMutex());
  std::vector<std::string>& stack = DirectoryStack();
  if (stack.empty()) return;
  os::SetCurrentDirectory(stack.back());
  stack.pop_back();
}

bool CreateDirectoryTree(const std::string& path) { return os::CreateDirectoryTree(path); }

bool DeleteFile(const std::string& path) { return os::DeleteFile(path); }

std::string GetAppDataFolder() {
  const std::string folder = os::UserDataFolder();
  os::CreateDirectoryTree(folder);
  return folder;
}

std::string GetExeDirectory() { return os::ExecutableDirectory(); }

void ListDirectory(const std::string& folder, std::vector<std::string>& folders,
                   std::vector<std::string>& files) {
  os::ListDirectory(folder, folders, files);
}
