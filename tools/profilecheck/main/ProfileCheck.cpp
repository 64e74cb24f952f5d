// velmaris-profile-check USER-FOLDER: says whether every player listed in the user folder's
// "usersdata/profiles.pmf" has a whole game (see PlayerFilesCheck.h), one line a file, then one
// line a finding. Status 0 when nothing is wrong, 1 with findings, 2 on a wrong call.

#include <cstdio>

#include "source/log/cLog.h"
#include "source/properties/cProperties.h"
#include "tools/profilecheck/PlayerFilesCheck.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: velmaris-profile-check USER-FOLDER\n", stderr);
    return 2;
  }
  // The readers log what they refuse; the findings below say it instead.
  cProperties::GetInstance()->SetValue("log", "false");
  cLog::GetInstance()->Open();
  const PlayerFilesReport report = CheckPlayerFiles(argv[1]);
  for (const std::string& line : report.lines) std::printf("%s\n", line.c_str());
  for (const std::string& finding : report.findings) std::printf("FINDING: %s\n", finding.c_str());
  return report.findings.empty() ? 0 : 1;
}
