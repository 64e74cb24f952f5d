// Opening the diary on a full profile, on the headless device with the game's own built data:
// all fifteen pictures complete, every comics page unlocked, the petition signed by all and the
// scheme drawn; one open (history page, pictures, petition and scheme refreshed) with the GUI's
// frame that follows, then the diary closed again. Goal: under 5 ms.

#include <benchmark/benchmark.h>

#include <memory>

#include "Sources/adventure/DiaryWindow.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "bench/support/gui/HeadlessGui.h"
#include "gui/include/GUISystem.h"
#include "platform/os/os.h"
#include "source/Resources/cResourceLocation.h"
#include "source/sound/cSoundResource.h"

namespace {

void BM_OpenDiaryOnAFullProfile(benchmark::State& state) {
  StartHeadlessGui();
  RegisterSoundResourceType();
  GUISystem* gui = GUISystem::GetInstance();
  {
    cResourceLocation data("data", os::ExecutableDirectory());
    cResourceLocation texts("localization", os::ExecutableDirectory());
    if (!data.Mount() || !texts.Mount()) {
      state.SkipWithError("no game data beside the benchmark");
      return;
    }
    PlayerProfile profile;
    profile.Reset();
    CurrentProfile = &profile;
    auto* diary = new DiaryWindow();
    ProfileProgress& progress = profile.m_progress;
    for (int n = 0; n < DiaryWindow::kPictures; ++n) progress.m_diary_pictures.push_back(n);
    for (std::size_t p = 0; p < diary->GetComicsWindows().size(); ++p) progress.m_comics.push_back(static_cast<int32_t>(p));
    progress.m_petition_state = 7;
    progress.m_scheme_state = 2;
    diary->Reload();
    for (auto _ : state) {
      diary->Show();
      gui->Update();
      diary->Close();
    }
    diary->Show();
    diary->OnPictureTab();
    gui->Update();
    int drawn = 0;
    for (int n = 0; n < DiaryWindow::kPictures; ++n) drawn += diary->GetPictureWindow(n)->IsVisible() ? 1 : 0;
    if (drawn != DiaryWindow::kPictures) state.SkipWithError("the pictures are not all shown");
    state.counters["pictures"] = static_cast<double>(drawn);
    state.counters["comics"] = static_cast<double>(progress.m_comics.size());
    delete diary;
    CurrentProfile = nullptr;
  }
  StopHeadlessGui();
}
BENCHMARK(BM_OpenDiaryOnAFullProfile)->Unit(benchmark::kMillisecond);

}  // namespace
