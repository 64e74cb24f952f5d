// velmaris-profile-seed USER-FOLDER NAME STAGE [map] [lens] [hints=N] [items=NAME,...]
// [pictures=N,...] [pieces=N:FOUND/TOTAL] [tips-shown=N,...] [diary]: writes, with the game's own
// writers, the player NAME (made current, added when new) standing at the start of STAGE (a
// location of the stage list, e.g. "location_2"), so that a run can begin anywhere in the story.
// "map" gives the player the town map, "lens" the hint search, "hints=N" the hints held, "items="
// those items in the inventory, "pictures=" those diary pictures made whole, "pieces=" a picture
// begun with FOUND of its TOTAL pieces, "tips-shown=" those tips not shown again, "diary" a diary
// whose tabs all show. The rest of the progress is a new game's. Status 0 when written, 1 when
// the game's writers refused, 2 on a wrong call.

#include <cstdio>
#include <string>
#include <vector>

#include "Sources/shell/userdata/PlayerProfile.h"
#include "Sources/shell/userdata/ProfilesList.h"
#include "Sources/shell/userdata/cUserDataFactory.h"
#include "source/log/cLog.h"
#include "source/properties/cProperties.h"
#include "source/text/TextConversion.h"
#include "tools/profileseed/SeedOptions.h"

namespace {

int Usage() {
  std::fputs("usage: velmaris-profile-seed USER-FOLDER NAME STAGE [map] [lens] [hints=N] [items=NAME,...] [pictures=N,...] [pieces=N:FOUND/TOTAL] [tips-shown=N,...] [diary]\n",
             stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return Usage();
  const std::vector<std::string> options(argv + 4, argv + argc);
  // The options are tried on a player of no file first, so that a wrong call writes nothing.
  PlayerProfile trial;
  if (!ApplySeedOptions(trial, options)) return Usage();
  cProperties::GetInstance()->SetValue("log", "false");
  cLog::GetInstance()->Open();
  GameUserDataFactory factory(argv[1]);
  ProfilesList list(factory);
  const std::u16string name = Utf8ToWide(argv[2]);
  if (!list.Select(name) && list.AddCurrent(name) == nullptr) {
    std::fprintf(stderr, "velmaris-profile-seed: the name \"%s\" cannot be given to a player\n", argv[2]);
    return 1;
  }
  auto* player = dynamic_cast<PlayerProfile*>(list.GetCurrent());
  if (player == nullptr) return 1;
  player->Reset();
  player->m_locations.clear();
  player->m_stage = argv[3];
  player->m_progress.m_hints = PlayerProfile::kStartHints;
  ApplySeedOptions(*player, options);
  if (!player->Save()) {
    std::fprintf(stderr, "velmaris-profile-seed: the player's file could not be written\n");
    return 1;
  }
  return 0;
}
