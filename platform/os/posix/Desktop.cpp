// The desktop: opening a file or an address with the user's programs (xdg-open) and starting a
// program. Nothing goes through a shell, so no name can run a command. Headless runs and runs
// with VELMARIS_DESKTOP_RECORD record the requests instead of starting anything.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/os/os.h"

extern char** environ;

namespace os {
namespace {

std::mutex& RecordMutex() {
  static std::mutex& mutex = *new std::mutex();  // never destroyed: used from destructors at exit
  return mutex;
}

std::vector<std::string>& Recorded() {
  static std::vector<std::string>& requests = *new std::vector<std::string>();  // never destroyed: used from destructors at exit
  return requests;
}

const char* RecordFile() {
  const char* file = std::getenv("VELMARIS_DESKTOP_RECORD");
  return (file != nullptr && file[0] != '\0') ? file : nullptr;
}

bool Recording() {
  const char* headless = std::getenv("VELMARIS_HEADLESS");
  return RecordFile() != nullptr || (headless != nullptr && std::strcmp(headless, "1") == 0);
}

// One request a line: a line break inside a name would forge a second request.
std::string RecordLine(const char* verb, const std::string& argument) {
  std::string line = std::string(verb) + " " + argument;
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return line;
}

bool Record(const std::string& line) {
  std::lock_guard<std::mutex> lock(RecordMutex());
  Recorded().push_back(line);
  const char* file = RecordFile();
  if (file == nullptr) return true;
  const int fd = open(file, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOCTTY, 0644);
  if (fd < 0) return false;
  const std::string text = line + "\n";
  const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  return (close(fd) == 0) && written;
}

// Collects the child's exit status on a thread of its own, so no zombie is left and the game does
// not wait for the desktop.
void ReapLater(pid_t child) {
  std::thread([child] {
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

bool Spawn(const std::string& program, const std::string& argument, bool search_path) {
  std::vector<std::string> strings{program};
  if (!argument.empty()) strings.push_back(argument);
  std::vector<char*> argv;
  for (std::string& s : strings) argv.push_back(s.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  const int result = search_path
                         ? posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ)
                         : posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
  if (result != 0) return false;
  ReapLater(child);
  return true;
}

}  // namespace

bool OpenWithDesktop(const std::string& target) {
  if (target.empty()) return false;
  if (Recording()) return Record(RecordLine("open", target));
  // A local file is handed over by its real name; an address goes as it is. A leading '-' would
  // read as an option, so such a name is made relative.
  std::string argument = target.find("://") != std::string::npos ? target : NativePath(target);
  if (argument[0] == '-') argument = "./" + argument;
  return Spawn("xdg-open", argument, true);
}

bool StartProgram(const std::string& path) {
  if (path.empty()) return false;
  if (Recording()) return Record(RecordLine("start", path));
  std::string program = NativePath(path);
  if (program.find('/') == std::string::npos) program = "./" + program;  // never searched in PATH
  return Spawn(program, std::string(), false);
}

std::vector<std::string> RecordedDesktopRequests() {
  std::lock_guard<std::mutex> lock(RecordMutex());
  return Recorded();
}

void ClearRecordedDesktopRequests() {
  std::lock_guard<std::mutex> lock(RecordMutex());
  Recorded().clear();
}

}  // namespace os
