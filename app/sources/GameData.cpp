#include "app/sources/GameData.h"

#include "Sources/adventure/GameFlowController.h"
#include "Sources/shell/cGame.h"
#include "platform/os/os.h"
#include "source/Resources/cResource.h"
#include "source/Resources/cResourceLocation.h"

std::string DescribeGameDataFault(const cResourceLocation* data) {
  const std::string path = data != nullptr ? data->GetPath() : std::string("data");
  const bool is_file = os::FileExists(path);
  if (data == nullptr || (!is_file && !os::DirectoryExists(path))) {
    return "the game data is missing: there is neither a pack file nor a folder \"data\" beside the program";
  }
  if (data->HasFailed()) {
    return is_file ? "the game data pack \"data\" is damaged" : "the game data folder \"data\" could not be read whole";
  }
  if (data->GetResourceCount() == 0) return "the game data \"data\" holds no resources";
  std::string missing;
  for (const char* needed : {GameFlowController::kStageResource, cGame::kGameInitResource}) {
    bool found = false;
    for (const cResource* resource : data->GetResources()) found = found || resource->GetName() == needed;
    if (!found) missing += std::string(missing.empty() ? "" : " and ") + "\"" + needed + "\"";
  }
  if (!missing.empty()) return "the game data \"data\" lacks the game's start files: " + missing + " not found";
  return std::string();
}
