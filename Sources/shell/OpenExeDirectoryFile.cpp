#include "Sources/shell/OpenExeDirectoryFile.h"

#include "Sources/shell/UrlShortcut.h"
#include "platform/os/os.h"
#include "source/path/Paths.h"
#include "source/properties/cProperties.h"
#include "source/text/TextConversion.h"

void OpenExeDirectoryFile(const std::string& name) {
  if (name.empty()) return;
  const std::string folder = cProperties::GetInstance()->GetValue("exe_directory");
  PushDirectory(folder);
  // Named from the folder itself: should it not become current, the file is still not looked
  // for wherever the program was started from.
  const std::string path = folder + "\\" + name;
  if (os::FileExists(path)) {
    if (ToLower(SplitPath(name).extension) == "url") {
      OpenShortcutFile(path);
    } else {
      os::OpenWithDesktop(path);
    }
  }
  PopDirectory();
}
