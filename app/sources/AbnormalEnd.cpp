#include "app/sources/AbnormalEnd.h"

#include <cstdio>

#include "Sources/shell/AdventureGame.h"
#include "platform/os/os.h"
#include "source/config/Config.h"
#include "source/log/cLog.h"
#include "source/properties/cProperties.h"

namespace {

constexpr const char* kSource = "sources\\main";

}  // namespace

void ReportAbnormalEnd(const std::string& why) {
  LogReport(kLogAbort, kSource, __LINE__, "%s", why.c_str());
  TellTerminal(why);
}

void TellTerminal(const std::string& why) {
  const cLog* log = cLog::PeekInstance();
  const std::string where = log != nullptr && !log->GetPath().empty() ? os::NativePath(log->GetPath()) : std::string();
  std::string line = "Velmaris: " + why;
  if (!where.empty()) line += " (see " + where + ")";
  line += "\n";
  std::fputs(line.c_str(), stderr);
}

void EndAfterDisplayLost() {
  ReportAbnormalEnd("the display was lost; the game ends");
  // Neither needs the display: the game keeps its state in memory and writes it to files.
  if (AdventureGame* game = AdventureGame::PeekInstance()) game->SaveProgress();
  if (cProperties* properties = cProperties::PeekInstance()) SaveConfig(*properties);
}
