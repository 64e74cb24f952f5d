// A walk through the real game: the program's own start on its built data, then each screen a
// player reaches — the main menu, the three places, the desk and bureau close-ups, the diary on
// each tab, the town map, each mini-game and the hint search — shown by the game's own calls (the
// menu's new game, the script's "showlocation" and "game" commands, the panel's buttons), each
// frame run through the program's update and render passes and paced to 60 Hz as its loop paces
// them. Per screen: the median frame time (start to drawn), the frames a second it allows, the
// cores the process used, the draws, the texture bytes resident, the resident size of the process
// and the decoded bytes of the pictures drawn; and beside it, measured in the same process in
// short rounds taken in turn with the game's, a bare GL program drawing the same layers (each
// draw's rectangle, blending and texture size) at the same window size. "of bare" is the median of
// the rounds' bare-to-game ratios, "±" their spread. The table goes to stderr and to
// walk-table.md beside the benchmark, each screen's frame to walk-frames/NAME.png, and the pictures
// decoded more than once on the walk to walk-decodes.md, the resident size by owner (the bare
// window, the menu, the office) to walk-memory.md. VELMARIS_WALK_STOP_AFTER=SCREEN ends the walk
// after that screen (main_menu or a place), for a heap profiler; VELMARIS_WALK_EXIT_AT=SCREEN ends
// the process on that screen's frames, letting nothing go, so that what the profiler calls leaked
// is what was live there. The bare reference's window is open only while its rounds run.
//
// Run (Release build): build/release/bin/bench_app --benchmark_filter=Walk
//   SDL's offscreen driver is used without a display; under a virtual one (as the issue's
//   figures): xvfb-run -a -s "-screen 0 1280x1024x24" env SDL_VIDEODRIVER=x11 build/release/bin/bench_app ...
// Its sanity checks: every screen is reached (a screen that cannot be is an error), draws something
// and holds textures; the bare reference drew the same number of layers.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Sources/adventure/DiaryWindow.h"
#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/Location.h"
#include "Sources/adventure/script/CommandNode.h"
#include "Sources/minigames/MiniGame.h"
#include "Sources/shell/AdventureGame.h"
#include "Sources/shell/cScreenState.h"
#include "Sources/shell/screens/GameEnterName.h"
#include "Sources/shell/screens/LogoWindow.h"
#include "Sources/shell/screens/ScreenSupport.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "Sources/shell/userdata/ProfilesList.h"
#include "Sources/shell/userdata/UserDataHolder.h"
#include "app/sources/FramePasses.h"
#include "bench/app/BareLayers.h"
#include "bench/app/FrameMeter.h"
#include "bench/app/WalkFrames.h"
#include "bench/app/WalkMemory.h"
#include "bench/support/app/GameStart.h"
#include "platform/window/window.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSettings.h"
#include "source/render/RenderSystem.h"

namespace {

// A screen's unmeasured frames, then rounds of measured frames taken in turn with its bare
// reference's (after a few unmeasured ones, as each switch of context costs a frame).
constexpr int kSettle = 30, kRounds = 8, kRoundSettle = 3, kRoundFrames = 12;
constexpr int kShowFrames = 60;           // a screen's appearing (fades of about half a second)
constexpr int kLoadFrameLimit = 3000;     // a place's loading, generously
constexpr int kWidth = 1024, kHeight = 768;

struct ScreenRow {
  std::string name;
  FrameFigures game, bare;
  Ratio of_bare;
  FrameStats stats;
  int64_t texture_bytes = 0;
  double resident_mb = 0, pictures_mb = 0;
  double way_peak_mb = 0;  // the peak resident size from the previous screen's end through this one's first frames
  std::size_t bare_layers = 0;
};

// Where each mini-game lives: the close-up ("" for the place itself) and its name there.
struct GameSpot {
  const char* place;
  const char* close_up;
  const char* game;
};
constexpr GameSpot kGames[] = {
    {"location_1", "desk", "letter"},           {"location_1", "desk", "safe"},
    {"location_1", "bureau", "notebook_chief"}, {"location_1", "bureau", "journal"},
    {"location_1", "bureau", "phone"},          {"location_1", "bureau", "cashregister"},
    {"location_2", "", "foodmachine"},          {"location_2", "", "slingshot"},
    {"location_2", "", "break_window"},         {"location_2", "", "clock"},
    {"location_2", "", "circles"},              {"location_2", "", "gridlock"},
    {"location_2", "", "collect_details"},      {"location_2", "", "musicbox"},
    {"location_2", "", "signalling"},           {"location_2", "", "switches"},
    {"location_2", "", "get_through_rays"},     {"location_3", "", "lock"},
    {"location_3", "", "round_puzzle"},         {"location_3", "", "remember_pictures"},
};

class GameWalk {
 public:
  GameWalk(BareLayers& bare, DecodeTrace& decodes) : m_bare(bare), m_decodes(decodes) {}

  // One frame of the program: its window's messages, the update pass, the render pass, drawn.
  void Frame() {
    while (window::PeekMessage()) window::DispatchMessage(window::GetMessage());
    UpdateFrame(1.0f / 60.0f);
    RenderFrame();
    BareGlWindow::Finish();
  }
  void Frames(int count) {
    for (int n = 0; n < count; ++n) Frame();
  }
  bool FramesUntil(const std::function<bool()>& done, int limit) {
    for (int n = 0; n < limit; ++n) {
      if (done()) return true;
      Frame();
    }
    return done();
  }

  // Measures the screen on show and the bare layers it drew, round by round in turn.
  void Measure(const std::string& name) {
    ScreenRow row;
    row.name = name;
    std::vector<FrameRound> game, bare;
    game.push_back(RunFrames([this] { Frame(); }, kSettle, kRoundFrames));
    row.way_peak_mb = PeakResidentMb();
    NotePeak();
    if (const char* exit_at = std::getenv("VELMARIS_WALK_EXIT_AT"); exit_at != nullptr && name == exit_at) {
      // Nothing is let go: a heap profiler's "leaked" is what was live on this screen.
      std::fprintf(stderr, "ended on %s: %.1f MB resident\n%s\n", name.c_str(), ResidentMb(), ResidentByOwner().c_str());
      std::_Exit(0);
    }
    RenderSystem* render = RenderManager::GetInstance()->GetRenderSystem();
    render->RecordLayers(true);
    Frame();
    render->RecordLayers(false);
    row.stats = render->GetFrameStats();
    row.texture_bytes = g_texture_bytes_resident.load();
    row.resident_mb = ResidentMb();
    row.pictures_mb = PicturesDrawnMb(row.stats);
    if (name == "main_menu" || name == "location_1") {
      m_owners += "## " + name + "\n\n" + ResidentByOwner() + "\n" + PicturesHeld();
    }
    m_decodes.SetScreen("after " + name);
    KeepFrame(name, row.stats);
    std::string error;
    if (!m_bare.Reopen(error)) {
      Fail(name + ": the bare reference could not open again: " + error);
      ForgetBenchMemory();
      return;
    }
    m_bare.SetLayers(row.stats.layers);
    row.bare_layers = row.stats.layers.size();
    bare.push_back(RunFrames([this] { m_bare.Draw(); }, kSettle, kRoundFrames));
    for (int round = 1; round < kRounds; ++round) {
      game.push_back(RunFrames([this] { Frame(); }, kRoundSettle, kRoundFrames));
      bare.push_back(RunFrames([this] { m_bare.Draw(); }, kRoundSettle, kRoundFrames));
    }
    row.game = Summarise(game);
    row.bare = Summarise(bare);
    row.of_bare = RoundRatio(game, bare);
    m_bare.Close();
    m_rows.push_back(std::move(row));
    ForgetBenchMemory();
  }

  // A command of the location script run on `location` as its own script runs it.
  void RunCommand(Location& location, const std::string& type, const std::string& parameter) {
    auto parent = std::make_unique<CommandNode>();
    parent->AddChild(std::make_unique<CommandNode>(type, std::vector<CommandParam>{{0, parameter}}));
    location.ExecuteNode(parent.get(), std::string());
    m_commands.push_back(std::move(parent));  // a waiting location keeps pointing at its node
  }

  void Fail(const std::string& what) { m_failures.push_back(what); }
  const std::vector<std::string>& Failures() const { return m_failures; }
  const std::vector<ScreenRow>& Rows() const { return m_rows; }
  const std::string& Owners() const { return m_owners; }
  // The largest resident size the game's own frames reached (the bench's work between screens
  // left out), in MB.
  void NotePeak() { m_peak_mb = std::max(m_peak_mb, PeakResidentMb()); }
  double PeakMb() const { return m_peak_mb; }
  // A walk cut short after `screen` (VELMARIS_WALK_STOP_AFTER), to look at the memory there with a
  // heap profiler.
  bool StopsAfter(const std::string& screen) const {
    const char* stop = std::getenv("VELMARIS_WALK_STOP_AFTER");
    return stop != nullptr && screen == stop;
  }
  // The location nodes outlive the game, which may point at them to the end.
  std::vector<std::unique_ptr<CommandNode>> TakeCommands() { return std::move(m_commands); }

 private:
  // The frame as a picture, and its layers one a line (for a look at what is drawn and hidden).
  void KeepFrame(const std::string& name, const FrameStats& stats) {
    const std::filesystem::path folder = std::filesystem::path(BenchExeDirectory()) / "walk-frames";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    if (!KeepBackBuffer((folder / (name + ".png")).string())) {
      Fail(name + ": its frame was not kept, or read back in a single colour");
    }
    std::ofstream layers(folder / (name + ".layers.txt"));
    for (const FrameLayer& l : stats.layers) {
      layers << l.width << "x" << l.height << (l.blended ? " blended" : " opaque") << " texture " << l.texture_width
             << "x" << l.texture_height << (l.mip_mapped ? " mip" : "") << "\n";
    }
  }

  BareLayers& m_bare;
  DecodeTrace& m_decodes;
  std::vector<ScreenRow> m_rows;
  std::string m_owners;
  double m_peak_mb = 0;
  std::vector<std::string> m_failures;
  std::vector<std::unique_ptr<CommandNode>> m_commands;
};

GameFlowController* Flow() { return GameInstance()->GetGameFlow(); }

bool InPlay(const std::string& place) {
  GameFlowController* flow = Flow();
  return flow != nullptr && GameInstance()->GetCurrentState() == flow &&
         flow->GetSubState() == GameFlowController::kPlay && flow->GetLocation() != nullptr &&
         flow->GetLocation()->GetName() == place;
}

void WalkCloseUp(GameWalk& walk, Location& place, const std::string& close_up) {
  Location* sub = place.FindSubLocation(close_up);
  if (sub == nullptr) {
    walk.Fail(close_up + " is no close-up of " + place.GetName());
    return;
  }
  walk.RunCommand(place, "showlocation", close_up);
  walk.Frames(kShowFrames);
  walk.Measure(close_up);
}

void WalkGame(GameWalk& walk, Location& at, const std::string& name) {
  MiniGame* game = at.FindMiniGame(name);
  if (game == nullptr) {
    walk.Fail("no mini-game " + name + " in " + at.GetName());
    return;
  }
  walk.RunCommand(at, "game", name);
  walk.Frames(kShowFrames);
  walk.Measure("game_" + name);
  game->Finish("cancel");
  walk.Frames(kShowFrames / 2);
}

void WalkDiary(GameWalk& walk) {
  GamePanel* panel = GamePanel::GetInstance();
  DiaryWindow* diary = panel->GetDiary();
  if (diary == nullptr) {
    walk.Fail("no diary");
    return;
  }
  panel->ShowDiaryBook();
  walk.Frames(kShowFrames);
  const struct {
    const char* name;
    DelegateArg (DiaryWindow::*open)(DelegateArg);
  } kTabs[] = {{"diary_petition", &DiaryWindow::OnPetitionTab}, {"diary_pictures", &DiaryWindow::OnPictureTab},
               {"diary_scheme", &DiaryWindow::OnSchemeTab},     {"diary_history", &DiaryWindow::OnHistoryTab},
               {"diary_goals", &DiaryWindow::OnGoalsTab}};
  for (const auto& tab : kTabs) {
    (diary->*tab.open)(0);
    walk.FramesUntil([diary] { return !diary->IsBusy(); }, kLoadFrameLimit);
    walk.Frames(kShowFrames / 2);
    walk.Measure(tab.name);
  }
  diary->Close();
  walk.Frames(kShowFrames);
}

// False when the walk stops here.
bool WalkPlace(GameWalk& walk, const std::string& place_name) {
  CurrentProfile->m_stage = place_name;
  GameInstance()->OnNewGame();
  if (!walk.FramesUntil([&] { return InPlay(place_name); }, kLoadFrameLimit)) {
    walk.Fail(place_name + " was not reached");
    return true;
  }
  walk.Frames(kShowFrames * 2);  // the loading screen's going and the place's appearing
  Location& place = *Flow()->GetLocation();
  walk.Measure(place_name);
  if (walk.StopsAfter(place_name)) return false;
  std::string shown_close_up;
  for (const GameSpot& spot : kGames) {
    if (spot.place != place_name) continue;
    Location* at = &place;
    if (*spot.close_up != '\0') {
      if (shown_close_up != spot.close_up) {
        if (!shown_close_up.empty()) walk.RunCommand(place, "hidelocation", shown_close_up);
        WalkCloseUp(walk, place, spot.close_up);
        shown_close_up = spot.close_up;
      }
      at = place.FindSubLocation(spot.close_up);
      if (at == nullptr) continue;
    }
    WalkGame(walk, *at, spot.game);
  }
  if (!shown_close_up.empty()) {
    walk.RunCommand(place, "hidelocation", shown_close_up);
    walk.Frames(kShowFrames);
  }
  if (place_name == "location_1") {
    WalkDiary(walk);
    GamePanel::GetInstance()->OpenSmallMap();
    walk.Frames(kShowFrames);
    walk.Measure("town_map");
    GamePanel::GetInstance()->HideMaps();
    walk.Frames(kShowFrames);
  }
  GamePanel::GetInstance()->OnGetHintClick();
  walk.Frames(kShowFrames * 2);
  walk.Measure("hint_search_" + place_name);
  Flow()->ReturnToMenu();
  if (!walk.FramesUntil([] { return GameInstance()->GetCurrentState() == GameInstance()->GetMainMenuState(); },
                        kLoadFrameLimit)) {
    walk.Fail("the menu did not come back from " + place_name);
  }
  walk.Frames(kShowFrames);
  return true;
}

// The menu asks a first player's name: it is written in and OK pressed, as a player does.
void NameTheFirstPlayer(GameWalk& walk) {
  walk.FramesUntil([] { return GetEnterNameDialog() != nullptr && GetEnterNameDialog()->IsVisible(); }, kShowFrames * 4);
  GameEnterName* dialog = GetEnterNameDialog();
  if (dialog == nullptr || !dialog->IsVisible()) {
    UserDataHolder::GetInstance()->GetProfiles()->AddCurrent(u"Bench");
    return;
  }
  SetChildText(*dialog, "edit_box_name", u"Bench");
  dialog->UpdateOkButton();
  dialog->OnOk(0);
  walk.FramesUntil([dialog] { return !dialog->IsVisible(); }, kLoadFrameLimit);
}

std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string one, five, fifteen;
  file >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

std::string Table(const std::vector<ScreenRow>& rows, double peak_mb, double bare_window_mb,
                  const std::string& load_before, const std::string& load_after) {
  std::ostringstream out;
  out << "load average (1, 5, 15 min) before: " << load_before << "; after: " << load_after << "\n\n";
  out << "| screen | frame ms | main ms | fps | cores | draws | blended | covered px | texture MB | rss MB | "
         "peak MB | pictures MB | bare frame ms | bare main ms | bare fps | bare cores | of bare | ± | 60 fps |\n";
  out << "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n";
  char line[512];
  for (const ScreenRow& r : rows) {
    std::snprintf(line, sizeof line,
                  "| %s | %.2f | %.2f | %.0f | %.2f | %u | %u | %.2fM | %.1f | %.0f | %.0f | %.1f "
                  "| %.2f | %.2f | %.0f | %.2f | %.2f | %.2f | %s |\n",
                  r.name.c_str(), r.game.frame_ms, r.game.main_ms, r.game.fps, r.game.cores, r.stats.draws,
                  r.stats.blended_draws,
                  static_cast<double>(r.stats.covered_pixels) / 1e6, static_cast<double>(r.texture_bytes) / 1048576.0,
                  r.resident_mb, r.way_peak_mb, r.pictures_mb,
                  r.bare.frame_ms, r.bare.main_ms, r.bare.fps, r.bare.cores, r.of_bare.median, r.of_bare.spread,
                  r.game.fps >= 60.0 ? "yes" : "no");
    out << line;
  }
  std::snprintf(line, sizeof line,
                "\npeak resident size in play: %.0f MB (the bench's own work between screens left out; with it: %.0f MB)\n",
                peak_mb, WholePeakResidentMb());
  out << line;
  double most_pictures = 0;
  for (const ScreenRow& r : rows) most_pictures = std::max(most_pictures, r.pictures_mb);
  std::snprintf(line, sizeof line,
                "pictures drawn on the fullest screen: %.1f MB (2x: %.1f MB); a bare SDL2+GL window, one frame "
                "drawn, in this process: %.0f MB\n",
                most_pictures, 2 * most_pictures, bare_window_mb);
  out << line;
  double most_texture_mb = 0;
  for (const ScreenRow& r : rows) most_texture_mb = std::max(most_texture_mb, static_cast<double>(r.texture_bytes) / 1048576.0);
  std::snprintf(line, sizeof line,
                "the game's own share (the peak in play less the bare window): %.0f MB, beside %.1f MB of textures on "
                "the device at most\n",
                peak_mb - bare_window_mb, most_texture_mb);
  out << line;
  return out.str();
}

void BM_WalkTheGame(benchmark::State& state) {
  const std::string load_before = LoadAverage();
  if (!PrepareGameBench(state, false)) return;
  g_render_settings.width = kWidth;
  g_render_settings.height = kHeight;
  BenchUserFolder users;
  std::vector<std::unique_ptr<CommandNode>> commands;
  std::vector<ScreenRow> rows;
  std::vector<std::string> failures;
  std::string owners;
  double peak_mb = 0;
  DecodeTrace decodes;
  // The bare window first, one frame drawn: the process's resident size then is the reference a
  // window with its GL costs before any game.
  BareLayers bare;
  std::string error;
  if (!bare.Open(kWidth, kHeight, BareGlWindow::Options(), error)) {
    state.SkipWithError(error.c_str());
    UseBackend(true);
    return;
  }
  bare.Draw();
  const double bare_window_mb = ResidentMb();
  const std::string bare_owners = "## a bare window, one frame drawn\n\n" + ResidentByOwner() + "\n";
  // Open only while its rounds run: what it holds is the bench's, not the game's.
  bare.Close();
  if (!StartGame(users.path, false)) {
    state.SkipWithError("the game could not start here");
    StopGame();
    UseBackend(true);
    return;
  }
  for (auto _ : state) {
    GameWalk walk(bare, decodes);
    AdventureGame* game = GameInstance();
    if (LogoWindow* logos = game->GetLogoWindow()) logos->Hide();
    NameTheFirstPlayer(walk);
    if (CurrentProfile == nullptr) {
      state.SkipWithError("no player could be made");
      break;
    }
    walk.Frames(kShowFrames * 2);
    walk.Measure("main_menu");
    if (!walk.StopsAfter("main_menu")) {
      for (const char* place : {"location_1", "location_2", "location_3"}) {
        if (!WalkPlace(walk, place)) break;
      }
    }
    walk.NotePeak();
    rows = walk.Rows();
    owners = walk.Owners();
    peak_mb = walk.PeakMb();
    failures = walk.Failures();
    commands = walk.TakeCommands();
  }
  StopGame();
  commands.clear();
  UseBackend(true);

  for (const ScreenRow& r : rows) {
    if (r.stats.draws == 0) failures.push_back(r.name + " drew nothing");
    if (r.texture_bytes <= 0) failures.push_back(r.name + " held no textures");
    if (r.bare_layers != r.stats.draws) failures.push_back(r.name + ": the bare reference drew other layers");
    if (r.of_bare.median <= 0) failures.push_back(r.name + ": no round was measured on both sides");
  }
  const std::string table = Table(rows, peak_mb, bare_window_mb, load_before, LoadAverage());
  std::fprintf(stderr, "\n%s\n", table.c_str());
  std::ofstream(std::filesystem::path(BenchExeDirectory()) / "walk-table.md") << table;
  std::ofstream(std::filesystem::path(BenchExeDirectory()) / "walk-memory.md") << bare_owners << owners;
  const std::string decode_table = decodes.Table();
  std::fprintf(stderr, "%s\n", decode_table.c_str());
  std::ofstream(std::filesystem::path(BenchExeDirectory()) / "walk-decodes.md") << decode_table;
  state.counters["pictures_decoded"] = static_cast<double>(decodes.Decodes());
  state.counters["pictures_decoded_again"] = static_cast<double>(decodes.Repeated().size());
  int at_goal = 0;
  for (const ScreenRow& r : rows) at_goal += r.game.fps >= 60.0 && r.of_bare.median >= 0.8 ? 1 : 0;
  state.counters["screens"] = static_cast<double>(rows.size());
  state.counters["screens_at_goal"] = at_goal;
  if (!failures.empty()) {
    std::string all;
    for (const std::string& f : failures) all += f + "; ";
    state.SkipWithError(all.c_str());
  }
}
BENCHMARK(BM_WalkTheGame)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
