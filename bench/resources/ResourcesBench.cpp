// Costs of the resource system at start-up and while playing: mounting a large pack (in this
// process, whose heap the writing of the pack has warmed, and in a fresh process as the game
// mounts it), unpacking zlib entries (against zlib's own one-call uncompress on the same bytes),
// and lookups by name.

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include "source/Resources/cDataResource.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cResourceManager.h"
#include "tests/support/QuietLog.h"
#include "source/properties/cProperties.h"
#include "source/stream/cFileStream.h"
#include "source/stream/cMemoryStream.h"

namespace {

constexpr int kEntries = 5000;


std::string Text(std::size_t size, unsigned seed) {
  static const char* kWords[] = {"lantern ", "harbour ", "compass ", "driftwood ",
                                 "velvet ",  "ink ",     "seagull ", "\n"};
  std::string text;
  unsigned state = seed;
  while (text.size() < size) {
    state = state * 1664525u + 1013904223u;
    text += kWords[(state >> 16) % 8];
  }
  text.resize(size);
  return text;
}

class BenchFolder {
 public:
  BenchFolder() {
    m_path = (std::filesystem::temp_directory_path() / ("velmaris-bench-" + std::to_string(getpid())))
                 .string();
    std::filesystem::create_directories(m_path);
  }
  ~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

BenchFolder& Folder() {
  static BenchFolder folder;
  return folder;
}

// Writes a pack named `name` holding the given (name, bytes) entries as "data" resources.
void WritePack(const std::string& name, const std::vector<std::pair<std::string, std::string>>& items) {
  QuietLog();
  cResourceLocation location(name + "_source", Folder().Path());
  for (const auto& [resource_name, bytes] : items) {
    auto* stream = new cMemoryStream();
    stream->Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    location.AddResource(new cDataResource(
        resource_name, cResourceSource::FromPackEntry(CountedPtr<cStream>(stream), "")));
  }
  cFileStream file(Folder().Path() + "/" + name, 0, 6, 2);
  if (!location.WritePack(file)) std::fputs("pack not written\n", stderr);
}

std::string EntryName(int i) {
  return "gui\\windows\\screen_" + std::to_string(i / 50) + "\\item_" + std::to_string(i);
}

// A pack of `entries` short text entries, named "large_<entries>"; made once.
std::string MakeLargePack(int entries) {
  static std::map<int, std::string> made;
  auto found = made.find(entries);
  if (found != made.end()) return found->second;
  std::vector<std::pair<std::string, std::string>> items;
  items.reserve(static_cast<std::size_t>(entries));
  for (int i = 0; i < entries; ++i) items.emplace_back(EntryName(i), Text(64 + i % 200, i));
  const std::string name = "large_" + std::to_string(entries);
  WritePack(name, items);
  return made[entries] = name;
}

// Mounting grows with the entry count alone: 100,000 entries cost about twenty times 5,000.
void BM_MountPack(benchmark::State& state) {
  const std::string name = MakeLargePack(static_cast<int>(state.range(0)));
  cResourceManager::GetInstance();
  for (auto _ : state) {
    auto location = std::make_unique<cResourceLocation>(name, Folder().Path());
    location->Mount();
    benchmark::DoNotOptimize(location->GetResourceCount());
    state.PauseTiming();
    location.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * state.range(0)));
}
BENCHMARK(BM_MountPack)->Arg(kEntries)->Arg(100000)->Unit(benchmark::kMillisecond);

// The mount as the game does it, once, in a process of its own whose heap holds nothing yet: this
// program started again with the pack's folder and name in kMountChild, answering the seconds
// the mount took and the heap bytes it left in use on its standard output.
constexpr const char* kMountChild = "VELMARIS_BENCH_MOUNT_CHILD";

struct FreshMount {
  double seconds = -1.0;
  double heap_bytes = 0.0;
};

FreshMount MountInFreshProcess(const std::string& folder, const std::string& pack) {
  int out[2];
  if (pipe(out) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    const std::string argument = folder + "\n" + pack;
    setenv(kMountChild, argument.c_str(), 1);
    execl("/proc/self/exe", "bench_resources", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  std::string answer;
  char buffer[64];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, static_cast<std::size_t>(n));
  close(out[0]);
  int status = 0;
  waitpid(child, &status, 0);
  FreshMount mount;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
      std::sscanf(answer.c_str(), "%lf %lf", &mount.seconds, &mount.heap_bytes) != 2) {
    return {};
  }
  return mount;
}

// Runs before the benchmarks' main when this process is such a child: mounts, answers, exits.
[[maybe_unused]] const bool kIsMountChild = [] {
  const char* argument = std::getenv(kMountChild);
  if (argument == nullptr) return false;
  const std::string text(argument);
  const std::size_t split = text.find('\n');
  if (split == std::string::npos) _exit(2);
  QuietLog();
  cResourceManager::GetInstance();
  const std::size_t heap_before = mallinfo2().uordblks + mallinfo2().hblkhd;
  const auto start = std::chrono::steady_clock::now();
  cResourceLocation location(text.substr(split + 1), text.substr(0, split));
  const bool mounted = location.Mount();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  const std::size_t heap_after = mallinfo2().uordblks + mallinfo2().hblkhd;
  std::printf("%.6f %.0f\n", took.count(), static_cast<double>(heap_after - heap_before));
  std::fflush(stdout);
  _exit(mounted && location.GetResourceCount() > 0 ? 0 : 1);
}();

void BM_MountPackFreshProcess(benchmark::State& state) {
  const std::string name = MakeLargePack(static_cast<int>(state.range(0)));
  double heap_bytes = 0.0;
  for (auto _ : state) {
    const FreshMount mount = MountInFreshProcess(Folder().Path(), name);
    if (mount.seconds < 0.0) {
      state.SkipWithError("the mounting process failed");
      break;
    }
    state.SetIterationTime(mount.seconds);
    heap_bytes = mount.heap_bytes;
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * state.range(0)));
  // The heap the mounted group holds (allocator headers included), per entry.
  state.counters["heap_per_entry"] = heap_bytes / static_cast<double>(state.range(0));
}
BENCHMARK(BM_MountPackFreshProcess)->Arg(100000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_LookupByName(benchmark::State& state) {
  const std::string pack = MakeLargePack(kEntries);
  cResourceManager* manager = cResourceManager::GetInstance();
  cResourceLocation location(pack, Folder().Path());
  location.Mount();
  std::vector<std::string> names;
  for (int i = 0; i < kEntries; i += 7) names.push_back(EntryName(i));
  // Held once, so the timed lookups add and drop a reference without loading.
  for (const std::string& name : names) manager->FindResource<cDataResource>(name);
  std::size_t next = 0;
  for (auto _ : state) {
    cDataResource* found = manager->FindResource<cDataResource>(names[next]);
    benchmark::DoNotOptimize(found);
    cResource::Release(found);
    next = next + 1 == names.size() ? 0 : next + 1;
  }
  for (const std::string& name : names) {
    cResource::Release(manager->FindResource<cDataResource>(name));
    cResource::Release(manager->FindResource<cDataResource>(name));
  }
}
BENCHMARK(BM_LookupByName);

// One entry of `size` bytes of text, packed with zlib.
struct UnpackFixture {
  std::string data;
  std::string block;  // the pack's zlib block: size word and zlib stream
  std::unique_ptr<cResourceLocation> location;
};

UnpackFixture& Unpacking(std::size_t size) {
  static std::map<std::size_t, std::unique_ptr<UnpackFixture>> fixtures;
  auto& fixture = fixtures[size];
  if (fixture) return *fixture;
  fixture = std::make_unique<UnpackFixture>();
  fixture->data = Text(size, 3);
  const std::string name = "unpack_" + std::to_string(size);
  WritePack(name, {{"entry", fixture->data}});
  cResourceManager::GetInstance();
  fixture->location = std::make_unique<cResourceLocation>(name, Folder().Path());
  fixture->location->Mount();
  cMemoryStream raw;
  cStream* entry = fixture->location->GetResource(0)->GetSource().Open();
  raw.CopyFrom(*entry, cStream::kWholeStream);
  fixture->block.assign(reinterpret_cast<const char*>(raw.GetData()), raw.GetSize());
  return *fixture;
}

void BM_UnpackZlibEntry(benchmark::State& state) {
  UnpackFixture& fixture = Unpacking(static_cast<std::size_t>(state.range(0)));
  const cResourceSource& source = fixture.location->GetResource(0)->GetSource();
  for (auto _ : state) {
    cMemoryStream out;
    if (!source.LoadData(out) || out.GetSize() != fixture.data.size()) state.SkipWithError("bad");
    benchmark::DoNotOptimize(out.GetData());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fixture.data.size()));
}
BENCHMARK(BM_UnpackZlibEntry)->Arg(64 << 10)->Arg(1 << 20)->Arg(8 << 20);

void BM_RawZlibUncompress(benchmark::State& state) {
  UnpackFixture& fixture = Unpacking(static_cast<std::size_t>(state.range(0)));
  const auto* stream = reinterpret_cast<const Bytef*>(fixture.block.data() + 4);
  const uLong stream_size = static_cast<uLong>(fixture.block.size() - 4);
  for (auto _ : state) {
    std::unique_ptr<Bytef[]> out(new Bytef[fixture.data.size()]);
    uLongf out_size = static_cast<uLongf>(fixture.data.size());
    if (uncompress(out.get(), &out_size, stream, stream_size) != Z_OK) state.SkipWithError("bad");
    benchmark::DoNotOptimize(out.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fixture.data.size()));
}
BENCHMARK(BM_RawZlibUncompress)->Arg(64 << 10)->Arg(1 << 20)->Arg(8 << 20);

}  // namespace
