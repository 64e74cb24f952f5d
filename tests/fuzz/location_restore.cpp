// Fuzz target: a location's record as a damaged or crafted profile file may hold it (any node
// number, pending value, object states and alphas, close-up to show again, phrase to resume),
// restored into a location with a close-up and then run for a few frames. Whatever the record
// says, the location must come back with every object in a state it can draw, its script at a
// node of its own tree, and no frame may crash or hang.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "Sources/adventure/Location.h"
#include "Sources/shell/userdata/BinaryReader.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "Sources/shell/userdata/ProfileCodec.h"
#include "gui/include/GUISystem.h"
#include "platform/gfx/headless/Headless.h"
#include "platform/window/window.h"
#include "source/Resources/cResourceLocation.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSettings.h"
#include "tests/Sources/adventure/LocationData.h"
#include "tests/support/FuzzInput.h"
#include "tests/support/QuietLog.h"

namespace {

constexpr std::size_t kMaxInput = 1 << 16;

// The headless GUI and a hall with a desk close-up, made once.
struct World {
  World() {
    setenv("VELMARIS_HEADLESS", "1", 1);
    window::CreateMainWindow("Velmaris");
    g_render_settings.fullscreen = false;
    QuietLog();
    RenderManager::GetInstance();
    GUISystem::GetInstance()->Init();
    GUISystem::GetInstance()->SetCameraSize(1024.0f, 768.0f);
    RegisterLocationResourceType();
    const WriteDataFile write = [this](const std::string& relative, const std::string& bytes) {
      const std::filesystem::path path = root.Path() + "/data/" + relative;
      std::filesystem::create_directories(path.parent_path());
      std::ofstream(path, std::ios::binary) << bytes;
    };
    WriteLocationData(write, "hall", "hall",
                      {{"hall_back", "b", 0, 0, 1024, 768}, {"key", "i", 100, 100, 50, 50}, {"door", "i", 300, 100, 50, 100},
                       {"light", "f", 480, 160, 90, 60}},
                      "hall {\n onload {\n enable key door\n }\n click {\n key: show light {\n addinventory key\n }\n"
                      " door: showlocation desk {\n hide light\n }\n }\n isvisible light {\n true: game safe\n }\n}\n");
    WriteLocationData(write, "hall", "desk", {{"desk_back", "b", 200, 200, 600, 400}, {"letter", "i", 300, 300, 50, 50}},
                      "desk {\n onload {\n enable letter\n }\n click {\n letter: hide letter\n }\n}\n");
    group = std::make_unique<cResourceLocation>("data", root.Path());
    group->Mount();
    CurrentProfile = &profile;
  }

  // A folder of the system's temporary space for the whole run.
  struct Folder {
    std::string path;
    Folder() {
      std::string pattern = (std::filesystem::temp_directory_path() / "velmaris-fuzz-location-XXXXXX").string();
      path = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    const std::string& Path() const { return path; }
  } root;
  std::unique_ptr<cResourceLocation> group;
  PlayerProfile profile;
};

World* the_world = nullptr;

bool Drawable(const LocationCharacter& object) {
  return object.GetState() <= LocationCharacter::kFadingIn && std::isfinite(object.GetAlpha()) &&
         object.GetAlpha() >= 0.0f && object.GetAlpha() <= 1.0f;
}

bool InTree(const CommandNode* node, const CommandNode* root) {
  while (node != nullptr && node != root) node = node->parent;
  return node == root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size > kMaxInput) return 0;
  static World* world = [] {
    auto* made = new World();
    // The data folder goes when the run ends; the world itself lives as long as the process.
    std::atexit([] {
      std::error_code ignored;
      if (!the_world->root.Path().empty()) std::filesystem::remove_all(the_world->root.Path(), ignored);
    });
    return the_world = made;
  }();
  cMemoryStream bytes = FuzzInputStream(data, size);
  BinaryReader reader(bytes);
  LocationRecord record;
  if (!ReadLocationRecord(reader, record)) return 0;
  record.m_name = record.m_key = "hall";
  world->profile.m_locations = {record};
  {
    Location hall(nullptr, "hall", "hall");
    for (int frame = 0; frame < 5; ++frame) {
      hall.Update(0.4f);
      for (const auto& object : hall.GetObjects()) {
        if (!Drawable(*object)) std::abort();
      }
      if (hall.GetRoot() != nullptr && !InTree(hall.GetCurrentNode(), hall.GetRoot())) std::abort();
    }
  }
  world->profile.m_locations.clear();
  return 0;
}
