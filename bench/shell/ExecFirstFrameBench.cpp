// The real program, started as a player starts it, from exec to its first frame swapped, beside a
// bare SDL2 + OpenGL window measured the same way in the same run: both run with a preloaded shim
// that notes the time and the peak resident size when the first swap returns and ends the
// program there. Needs a display (run under xvfb-run); the goal is the game within 2x the bare
// window. A fresh profile starts the game full screen at the display's mode, where SDL waits for
// a window manager to grant it (up to a tenth of a second without one, as under xvfb-run): the
// game started windowed and the bare window full screen are measured too, so that each side is
// read beside a reference that shows its window the same way. Counters: peak_rss_mb at the first
// frame.

#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/support/app/GameStart.h"

extern char** environ;

namespace {

int64_t NowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// The environment of this process without what the run sets itself.
std::vector<std::string> ChildEnvironment(const std::string& sandbox, const std::string& stamp) {
  std::vector<std::string> out;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    bool ours = false;
    for (const char* name : {"VELMARIS_HEADLESS=", "XDG_DATA_HOME=", "XDG_RUNTIME_DIR=", "LD_PRELOAD=",
                             "VELMARIS_FIRST_SWAP_FILE=", "SDL_VIDEODRIVER="}) {
      ours = ours || text.rfind(name, 0) == 0;
    }
    if (!ours) out.push_back(text);
  }
  out.push_back("XDG_DATA_HOME=" + sandbox + "/data");
  out.push_back("XDG_RUNTIME_DIR=" + sandbox + "/run");
  out.push_back("LD_PRELOAD=" + BenchExeDirectory() + "/libvelmaris_first_swap.so");
  out.push_back("VELMARIS_FIRST_SWAP_FILE=" + stamp);
  return out;
}

// How the measured program shows its window.
enum class Shown { kAsStarted, kWindowed, kFullScreen };

// The game's settings, in the user folder it reads them from, for a first start in a window.
void WriteWindowedSettings(const std::string& data_home) {
  const std::string folder = data_home + "/Moskelt/tarvel";
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/tarvel.xml") << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                        << "<config><item id=\"video_fullscreen\" value=\"false\"/></config>\n";
}

// Runs `program` to its first swap; the milliseconds from exec, or a negative number.
double RunToFirstFrame(const std::string& program, Shown shown, long& peak_kb) {
  BenchUserFolder sandbox;
  std::filesystem::create_directories(sandbox.path + "/data");
  if (shown == Shown::kWindowed) WriteWindowedSettings(sandbox.path + "/data");
  std::filesystem::create_directories(sandbox.path + "/run");
  std::filesystem::permissions(sandbox.path + "/run", std::filesystem::perms::owner_all);
  const std::string stamp = sandbox.path + "/first-swap";
  std::vector<std::string> environment = ChildEnvironment(sandbox.path, stamp);
  std::vector<char*> envp;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string path = program;
  std::string full_screen = "--full-screen";
  char* argv[] = {path.data(), shown == Shown::kFullScreen ? full_screen.data() : nullptr, nullptr};
  const int64_t start = NowNs();
  const pid_t child = fork();
  if (child == 0) {
    execve(argv[0], argv, envp.data());
    _exit(127);
  }
  if (child < 0) return -1;
  int status = 0;
  waitpid(child, &status, 0);
  std::ifstream file(stamp);
  long long swapped = 0;
  if (!(file >> swapped >> peak_kb)) return -1;
  return static_cast<double>(swapped - start) / 1e6;
}

void ExecToFirstFrame(benchmark::State& state, const std::string& program, Shown shown) {
  if (std::getenv("DISPLAY") == nullptr) {
    state.SkipWithError("needs a display: run under xvfb-run");
    return;
  }
  if (program.ends_with("/velmaris") && !GameDataBuilt()) {
    state.SkipWithError("the game's data is not built beside the benchmark");
    return;
  }
  long peak_kb = 0;
  for (auto _ : state) {
    const double ms = RunToFirstFrame(program, shown, peak_kb);
    if (ms < 0) {
      state.SkipWithError("the program ended before its first frame");
      break;
    }
    state.SetIterationTime(ms / 1000.0);
  }
  state.counters["peak_rss_mb"] = static_cast<double>(peak_kb) / 1024.0;
}

std::string Game() { return BenchExeDirectory() + "/velmaris"; }
std::string BareWindow() { return BenchExeDirectory() + "/velmaris-bare-window"; }

void BM_ExecToFirstFrame(benchmark::State& state) { ExecToFirstFrame(state, Game(), Shown::kAsStarted); }
void BM_ExecToFirstFrameWindowed(benchmark::State& state) { ExecToFirstFrame(state, Game(), Shown::kWindowed); }
void BM_ReferenceExecBareWindowFirstFrame(benchmark::State& state) {
  ExecToFirstFrame(state, BareWindow(), Shown::kAsStarted);
}
void BM_ReferenceExecBareFullScreenFirstFrame(benchmark::State& state) {
  ExecToFirstFrame(state, BareWindow(), Shown::kFullScreen);
}

// Each beside its reference, so that both see the same load.
BENCHMARK(BM_ReferenceExecBareWindowFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4)->Repetitions(2);
BENCHMARK(BM_ExecToFirstFrameWindowed)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4)->Repetitions(2);
BENCHMARK(BM_ReferenceExecBareFullScreenFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4)->Repetitions(2);
BENCHMARK(BM_ExecToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4)->Repetitions(2);

}  // namespace
