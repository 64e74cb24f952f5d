// The in-game save at its fixed points: a profile of 30 location records, each holding 30 values
// and the names of its objects in strings of 60 characters, with a close-up, eight items and
// three items still in flight, encoded and written as a new file (without the sync). Goal: under
// 10 ms.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Sources/shell/userdata/FileHeader.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "platform/os/os.h"
#include "source/stream/cMemoryStream.h"
#include "tests/support/QuietLog.h"

namespace {

std::string Sixty(int seed) { return std::string(60, static_cast<char>('a' + seed % 26)); }

void FillProfile(PlayerProfile& profile) {
  profile.m_name = u"Benchmark";
  profile.Reset();
  for (int i = 0; i < 8; ++i) profile.AddItemCount("item_" + std::to_string(i), 1);
  for (int i = 0; i < 3; ++i) profile.m_progress.m_flying_items.push_back({Sixty(i), 1, std::string(), 0});
  for (int l = 0; l < 30; ++l) {
    LocationRecord& record = profile.m_locations.emplace_back();
    record.m_name = "location_" + std::to_string(l + 1);
    record.m_key = record.m_name;
    for (int v = 0; v < 30; ++v) record.m_values[Sixty(v) + std::to_string(v)] = Sixty(v + l);
    for (int c = 0; c < 30; ++c) record.m_characters.push_back({Sixty(c) + std::to_string(c), 1, 1, 1.0f, 3});
    record.m_sub_locations["closeup"].m_name = "closeup";
    record.m_text_2 = Sixty(l);
  }
  profile.m_stage = "location_30";
}

void BM_SaveProgressOf30Locations(benchmark::State& state) {
  QuietLog();
  char pattern[] = "/tmp/velmaris-bench-XXXXXX";
  const std::string folder = mkdtemp(pattern);
  PlayerProfile profile;
  FillProfile(profile);
  const std::string path = folder + "/profile.prf";
  size_t size = 0;
  for (auto _ : state) {
    cMemoryStream bytes;
    WriteFileHeader(bytes, profile.m_header, profile.m_version);
    profile.Write(bytes);
    os::DeleteFile(path);
    auto file = os::File::Open(path, os::kCreateNew, os::kAccessWrite, 0);
    file->Write(bytes.GetData(), bytes.GetSize());
    size = bytes.GetSize();
  }
  state.counters["bytes"] = static_cast<double>(size);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveProgressOf30Locations)->Unit(benchmark::kMillisecond);

}  // namespace
