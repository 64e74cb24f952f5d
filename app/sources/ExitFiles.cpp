#include "app/sources/ExitFiles.h"

#include "Sources/shell/OpenExeDirectoryFile.h"
#include "platform/os/os.h"
#include "source/properties/cProperties.h"

namespace {

constexpr const char* kExitProgram = "fscommand\\wgame.exe";

}  // namespace

void OpenExitFiles() {
  OpenExeDirectoryFile("play.url");
  OpenExeDirectoryFile("Homepage.url");
  // Looked for beside the executable, not wherever the program was started from, and started
  // without a shell only when it is a program we may run.
  const std::string program = cProperties::GetInstance()->GetValue("exe_directory") + "\\" + kExitProgram;
  if (os::IsExecutable(program)) os::StartProgram(program);
}
