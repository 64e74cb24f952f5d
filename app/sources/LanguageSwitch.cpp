#include "app/sources/LanguageSwitch.h"

#include <cstring>

#include "Sources/shell/cLanguageManager.h"
#include "source/log/cLog.h"

namespace {

constexpr const char* kSource = "sources\\main";
constexpr const char* kSwitch = "-lang";

}  // namespace

std::string LanguageOnCommandLine(int argc, char** argv) {
  std::string code;
  const std::size_t length = std::strlen(kSwitch);
  for (int i = 1; i < argc; ++i) {
    if (argv[i] == nullptr) continue;
    if (std::strcmp(argv[i], kSwitch) == 0) {
      code = i + 1 < argc && argv[i + 1] != nullptr ? argv[i + 1] : "";
      ++i;
    } else if (std::strncmp(argv[i], kSwitch, length) == 0 && argv[i][length] == '=') {
      code = argv[i] + length + 1;
    }
  }
  return code;
}

void ChooseLanguageFromCommandLine(int argc, char** argv) {
  const std::string code = LanguageOnCommandLine(argc, argv);
  if (code.empty()) return;
  cLanguageManager* languages = cLanguageManager::GetInstance();
  if (languages->Find(code) == nullptr) {
    LogReport(kLogWarning, kSource, __LINE__, "-lang %s: the game has no such language; it plays in its own", code.c_str());
    return;
  }
  languages->SetChosen(code);
}
