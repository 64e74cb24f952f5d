// Entering the first place from the main menu, on the real game and its data: from the press of
// the start button (the loading screen fades in, the panel and the place are built behind it) to
// the frame the place is shown, first in a freshly started game and then again after going back
// to the menu. Frames are stepped as the program steps them, each timed as it ran. The goal is
// under 0.7 s for the first entry. Counters once the place is shown: the resident size and its
// peak, beside the decoded bytes of the pictures drawn so far (textures are built when first
// drawn), whose double is the goal for the peak; entering again, the resident size back at the
// menu (the place left for good) and once in the place again.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "Sources/adventure/GameFlowController.h"
#include "Sources/shell/AdventureGame.h"
#include "Sources/shell/cScreenState.h"
#include "Sources/shell/screens/LogoWindow.h"
#include "Sources/shell/userdata/ProfilesList.h"
#include "Sources/shell/userdata/UserDataHolder.h"
#include "app/sources/FramePasses.h"
#include "bench/support/app/GameStart.h"
#include "source/render/DeviceResource.h"
#include "source/texture/Texture2D_D3D7.h"

namespace {

using Clock = std::chrono::steady_clock;

// Decoded bytes of the pictures behind every texture built on the device, each picture once.
double DrawnPictureMb() {
  // A picture shared by several textures counts once; one let go once on the device counts by
  // the size it had.
  std::set<const void*> seen;
  double bytes = 0;
  for (DeviceResource* resource : DeviceResource::List()) {
    const auto* texture = dynamic_cast<const Texture2D_D3D7*>(resource);
    if (texture == nullptr || !texture->GetSurface()) continue;
    const void* picture = texture->GetImage() != nullptr ? static_cast<const void*>(texture->GetImage()) : texture;
    if (seen.insert(picture).second) bytes += static_cast<double>(texture->GetPictureBytes());
  }
  return bytes / (1024.0 * 1024.0);
}

// Seconds from the press to the place shown; negative when it never came.
double EnterPlace(AdventureGame& game) {
  const Clock::time_point start = Clock::now();
  Clock::time_point last = start;
  game.OnNewGame();
  for (int frame = 0; frame < 2000; ++frame) {
    const Clock::time_point now = Clock::now();
    UpdateFrame(std::min(0.1f, std::chrono::duration<float>(now - last).count()));
    last = now;
    RenderFrame();
    if (game.GetGameFlow() != nullptr && game.GetCurrentState() == game.GetGameFlow() && game.IsPlaceShown()) {
      return std::chrono::duration<double>(Clock::now() - start).count();
    }
  }
  return -1;
}

void PlaceEntry(benchmark::State& state, bool headless, bool again) {
  if (!PrepareGameBench(state, headless)) return;
  for (auto _ : state) {
    BenchUserFolder users;
    AdventureGame* game = StartGame(users.path) ? GameInstance() : nullptr;
    if (game == nullptr) {
      state.SkipWithError("the game could not start here");
      StopGame();
      break;
    }
    if (LogoWindow* logos = game->GetLogoWindow()) logos->Hide();
    ProfilesList& players = *UserDataHolder::GetInstance()->GetProfiles();
    players.Add(u"Bench");
    players.Select(u"Bench");
    double seconds = EnterPlace(*game);
    state.counters["rss_mb"] = ProcessStatusMb("VmRSS:");
    state.counters["peak_rss_mb"] = ProcessStatusMb("VmHWM:");
    state.counters["drawn_pictures_mb"] = DrawnPictureMb();
    if (again && seconds >= 0) {
      game->ChangeState(game->GetMainMenuState());
      for (int i = 0; i < 5; ++i) {
        UpdateFrame(0.016f);
        RenderFrame();
      }
      state.counters["rss_menu_mb"] = ProcessStatusMb("VmRSS:");
      seconds = EnterPlace(*game);
      state.counters["rss_again_mb"] = ProcessStatusMb("VmRSS:");
      state.counters["peak_rss_again_mb"] = ProcessStatusMb("VmHWM:");
    }
    StopGame();
    if (seconds < 0) {
      state.SkipWithError("the place was never shown");
      break;
    }
    state.SetIterationTime(seconds);
  }
  setenv("VELMARIS_HEADLESS", "1", 1);
}

void BM_FirstPlaceEntryOpenGL(benchmark::State& state) { PlaceEntry(state, false, false); }
void BM_PlaceEntryAgainOpenGL(benchmark::State& state) { PlaceEntry(state, false, true); }

BENCHMARK(BM_FirstPlaceEntryOpenGL)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlaceEntryAgainOpenGL)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
