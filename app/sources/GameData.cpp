#include "app/sources/GameData.h"

#include "platform/os/os.h"
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
  return std::string();
}
