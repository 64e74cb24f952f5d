#pragma once
// The game started as its entry starts it, for the benches that measure what the player runs:
// window, render manager, sound, GUI, the data groups built beside the benchmark, and the game
// object with its menu and logo window, up to the first drawn frame.

#include <string>

namespace benchmark {
class State;
}

// A user folder of the benchmark's own, removed at the end.
struct BenchUserFolder {
  BenchUserFolder();
  ~BenchUserFolder();
  BenchUserFolder(const BenchUserFolder&) = delete;
  BenchUserFolder& operator=(const BenchUserFolder&) = delete;
  std::string path;
};

// The folder of the running benchmark, where the game's data groups are built.
std::string BenchExeDirectory();
// Whether the game's data was built beside the benchmark.
bool GameDataBuilt();
// The headless device, or OpenGL (SDL's offscreen driver when there is no display).
void UseBackend(bool headless);
// Picks the backend for a bench of the built game; false, with the bench skipped, when the game's
// data is not built beside it.
bool PrepareGameBench(benchmark::State& state, bool headless);
// Starts the game with `users` as the user folder and draws its first frame; false when a part is
// missing. `vsync` as the player's settings ask.
bool StartGame(const std::string& users, bool vsync = false);
// Takes everything down again.
void StopGame();
// A size from /proc/self/status ("VmRSS:", "VmHWM:") in MB.
double ProcessStatusMb(const char* key);
