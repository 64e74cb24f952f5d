#include "tests/support/ContentTool.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "platform/os/os.h"

std::string ShellQuoted(const std::string& path) { return "'" + path + "'"; }

ContentToolRun RunContentTool(const std::string& arguments) {
  const std::string tool = (std::filesystem::path(os::ExecutablePath()).parent_path() / "velmaris-content").string();
  const std::string command = ShellQuoted(tool) + " " + arguments + " 2>&1";
  ContentToolRun run;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, read);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}
