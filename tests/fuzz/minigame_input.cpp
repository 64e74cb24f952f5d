// Fuzz target: the mini-games played by arbitrary input. The bytes are a sequence of steps (make a
// game by name, start it, press or release the mouse anywhere, run a frame of any length, let the
// hero speak or stop, finish with a word, click the skip button and answer, delete the game),
// run over the headless backends with the games' own forms from content/minigames. Whatever the
// steps, nothing crashes, a deleted game leaves no capture behind, a finished game's word only
// changes by a new start or finish, and the hint count never goes below zero.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>

#include "Sources/minigames/MiniGame.h"
#include "Sources/minigames/MiniGameFactory.h"
#include "Sources/minigames/MiniGameHost.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUIWindowManager.h"
#include "platform/input/headless/HeadlessInput.h"
#include "tests/fuzz/HeadlessGui.h"

namespace {

class FuzzHost : public MiniGameHost {
 public:
  void SetButtonMode(const std::string&, bool on, const DelegatePtr& handler, int) override {
    exit = on ? handler : DelegatePtr();
  }
  bool IsPhraseShown() const override { return speaking; }
  void ShowYesNoBox(const std::string&, const std::string&, const DelegatePtr& y, const DelegatePtr&) override {
    yes = y;
  }
  void ForgetCallbacksOf(const void* object) override {
    if (yes && yes->GetObject() == object) yes = DelegatePtr();
    if (exit && exit->GetObject() == object) exit = DelegatePtr();
  }
  DelegatePtr exit;
  DelegatePtr yes;
  bool speaking = false;
};

struct World {
  World() {
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VELMARIS_CONTENT_DIR) + "/minigames")) {
      if (entry.path().extension() != ".xml") continue;  // the picture models' recipes lie in a folder
      gui.AddForm(entry.path(), "minigames/" + entry.path().stem().string());
    }
    gui.MountForms();
    profile.m_stage = "location_4";
    profile.m_locations.emplace_back();
    profile.m_locations.front().m_name = "location_4";
    CurrentProfile = &profile;
    SetMiniGameHost(&host);
  }

  void Frame(float dt) {
    clock += dt;
    HeadlessGui::Update();
    if (game != nullptr && game->GetResult() == "wait") game->UpdatePause();
    RenderManager::GetInstance()->RenderFrame();
  }

  HeadlessGui gui{"minigames"};
  PlayerProfile profile;
  FuzzHost host;
  MiniGame* game = nullptr;
  float clock = 0.0f;
};

const char* const kNames[] = {"safe",     "cashregister", "phone", "notebook_chief", "letter", "papers", "switches", "",
                               "round_puzzle", "lock", "remember_pictures"};
const char* const kWords[] = {"win", "close", "", "wait"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static World* world = new World();  // lives as long as the fuzzing run
  World& w = *world;
  GUIWindow* user = GUIWindowManager::GetInstance()->GetWindow("user");
  w.profile.m_progress.m_hints = 3;
  w.profile.m_cheat_mode = 0;
  w.host.speaking = false;
  for (size_t i = 0; i + 2 < size && i < 3 * 400; i += 3) {
    const uint8_t op = data[i] % 9, a = data[i + 1], b = data[i + 2];
    switch (op) {
      case 0:
        delete w.game;
        w.game = CreateMiniGame(user, kNames[a % std::size(kNames)]);
        break;
      case 1:
        if (w.game != nullptr) w.game->Start();
        break;
      case 2:
      case 3:
        window::headless::SetMousePosition(a * 4, b * 3);
        input::headless::SetMouseButton(input::kButtonLeft, op == 2);
        w.Frame(0.02f);
        break;
      case 4:
        w.Frame(static_cast<float>(a) / 512.0f);
        break;
      case 5:
        w.host.speaking = (a & 1) != 0;
        w.profile.m_cheat_mode = (b & 1);
        w.profile.m_progress.m_hints = b % 6;
        break;
      case 6:
        if (w.game != nullptr) w.game->Finish(kWords[a % 4]);
        break;
      case 7:
        if (w.host.exit) w.host.exit->Invoke(0);
        if (w.host.yes && (a & 1)) w.host.yes->Invoke(0);
        break;
      default:
        if (w.game != nullptr) {
          MiniGame* gone = w.game;
          w.game = nullptr;
          delete gone;
          if (user->GetActiveChild() == gone) __builtin_trap();
        }
        break;
    }
    if (w.profile.m_progress.m_hints < 0) __builtin_trap();
  }
  delete w.game;
  w.game = nullptr;
  input::headless::SetMouseButton(input::kButtonLeft, false);
  w.Frame(0.02f);
  if (GUISystem::GetInstance()->GetRoot()->GetActiveChild() != nullptr) __builtin_trap();
  return 0;
}
