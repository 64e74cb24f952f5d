// Saving and loading a large player profile: 15 locations, each with 30 values of 50 characters
// (and a sub-location and a few objects), as at the end of a long game. The goal is under 2 ms
// for a save and a load without the sync; the synced save is measured beside it for reference.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "Sources/shell/userdata/FileHeader.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "platform/os/os.h"
#include "source/stream/cMemoryStream.h"
#include "tests/support/QuietLog.h"

namespace {

// A folder of the benchmark's own, removed at the end.
struct BenchFolder {
  BenchFolder() {
    char pattern[] = "/tmp/velmaris-bench-XXXXXX";
    path = mkdtemp(pattern);
  }
  ~BenchFolder() { std::filesystem::remove_all(path); }
  std::string path;
};

std::unique_ptr<PlayerProfile> LargeProfile(const std::string& folder) {
  auto profile = std::make_unique<PlayerProfile>();
  profile->m_name = u"Benchmark";
  profile->m_directory = folder;
  profile->Reset();
  for (int i = 0; i < 40; ++i) profile->AddItemCount("item_" + std::to_string(i), 1);
  for (int l = 0; l < 15; ++l) {
    LocationRecord& record = profile->m_locations.emplace_back();
    record.m_name = "location_" + std::to_string(l + 1);
    record.m_key = "levels\\stage" + std::to_string(l + 1);
    for (int v = 0; v < 30; ++v) record.m_values["value_" + std::to_string(v)] = std::string(50, 'a' + v % 26);
    record.m_sub_locations["closeup"].m_name = "closeup";
    for (int c = 0; c < 10; ++c) record.m_characters.push_back({"object_" + std::to_string(c), 1, 1, 1.0f, 0});
  }
  profile->m_stage = "location_15";
  return profile;
}

std::string Encode(PlayerProfile& profile) {
  cMemoryStream bytes;
  WriteFileHeader(bytes, profile.m_header, profile.m_version);
  profile.Write(bytes);
  return std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
}

// Encoding and writing the file as it is, without the sync and the rename.
void BM_SaveLargeProfileWithoutSync(benchmark::State& state) {
  QuietLog();
  BenchFolder folder;
  auto profile = LargeProfile(folder.path);
  const std::string path = folder.path + "/profile.prf";
  for (auto _ : state) {
    const std::string bytes = Encode(*profile);
    // A fresh file each time: a file cut to nothing and written again makes ext4 flush it at
    // close, which is the very sync this figure leaves out.
    os::DeleteFile(path);
    auto file = os::File::Open(path, os::kCreateNew, os::kAccessWrite, 0);
    file->Write(bytes.data(), bytes.size());
  }
  state.counters["bytes"] = static_cast<double>(Encode(*profile).size());
}
BENCHMARK(BM_SaveLargeProfileWithoutSync)->Unit(benchmark::kMicrosecond);

// The game's own load: the file read, checked and decoded into the profile.
void BM_LoadLargeProfile(benchmark::State& state) {
  QuietLog();
  BenchFolder folder;
  LargeProfile(folder.path)->Save();
  PlayerProfile profile;
  profile.m_name = u"Benchmark";
  profile.m_directory = folder.path;
  for (auto _ : state) {
    if (!profile.Load()) state.SkipWithError("the profile did not load");
  }
}
BENCHMARK(BM_LoadLargeProfile)->Unit(benchmark::kMicrosecond);

// The game's own save: written aside, synced, renamed over the file, the previous copy kept.
void BM_SaveLargeProfileSynced(benchmark::State& state) {
  QuietLog();
  BenchFolder folder;
  auto profile = LargeProfile(folder.path);
  for (auto _ : state) {
    profile->m_progress.m_hints ^= 1;  // a change, so the backup is written too
    if (!profile->Save()) state.SkipWithError("the profile was not saved");
  }
}
BENCHMARK(BM_SaveLargeProfileSynced)->Unit(benchmark::kMicrosecond);

}  // namespace
