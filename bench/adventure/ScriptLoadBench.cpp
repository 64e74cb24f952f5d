// Loading a large location script: a "cnf" file of 10,000 nodes shaped like a real script (click
// branches of object commands and conditions, a few levels deep), read into its tree with its
// name sets collected. Goal: under 10 ms a load.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "Sources/adventure/LocationResource.h"
#include "Sources/adventure/script/LocationScriptFile.h"
#include "source/stream/cMemoryStream.h"
#include "tests/support/QuietLog.h"

namespace {

constexpr int kNodes = 10000;

// Words and their parameters in the mix a location script has.
struct Shape {
  const char* word;
  std::vector<const char*> parameters;
};
const Shape kShapes[] = {
    {"click", {}},
    {"addinventory", {"brass_key"}},
    {"flashhide", {"brass_key", "key_glow"}},
    {"show", {"cabinet_open"}},
    {"isvisible", {"lamp_light"}},
    {"enable", {"cabinet", "drawer", "harbour_chart"}},
    {"sound", {"door_creak"}},
    {"game", {"safe"}},
    {"hint", {"cabinet_locked"}},
    {"showlocation", {"desk"}},
};

std::unique_ptr<CommandNode> LargeScript() {
  auto root = std::make_unique<CommandNode>("location_7", std::vector<CommandParam>{});
  root->AddChild(std::make_unique<CommandNode>("onload", std::vector<CommandParam>{}));
  int made = 2;
  unsigned state = 7;
  // Branches of up to six levels under the root, each level one node with a result.
  while (made < kNodes) {
    CommandNode* at = root.get();
    for (int level = 0; level < 6 && made < kNodes; ++level, ++made) {
      state = state * 1664525u + 1013904223u;
      const Shape& shape = kShapes[(state >> 16) % 10];
      std::vector<CommandParam> parameters;
      for (const char* value : shape.parameters) parameters.push_back({0, value});
      const std::string result = level == 0 ? "" : (level % 2 ? "object_" + std::to_string(made % 60) : "true");
      at = at->AddChild(std::make_unique<CommandNode>(shape.word, std::move(parameters), result));
    }
  }
  return root;
}

CountedPtr<cStream> ScriptFile() {
  auto* file = new cMemoryStream();
  WriteLocationScript(*LargeScript(), *file);
  return CountedPtr<cStream>(file);
}

void BM_LoadTenThousandNodeScript(benchmark::State& state) {
  QuietLog();
  LocationResource script("levels\\location_7\\location_7", cResourceSource::FromPackEntry(ScriptFile(), ""));
  for (auto _ : state) {
    if (!script.Load()) state.SkipWithError("the script did not load");
    benchmark::DoNotOptimize(script.GetRoot());
    script.Unload();
  }
  state.counters["nodes"] = kNodes;
}
BENCHMARK(BM_LoadTenThousandNodeScript)->Unit(benchmark::kMillisecond);

void BM_ReadTenThousandNodeTree(benchmark::State& state) {
  CountedPtr<cStream> file = ScriptFile();
  cMemoryStream bytes(*file);
  for (auto _ : state) {
    bytes.Seek(0, 0);
    LocationScriptRead read = ReadLocationScript(bytes);
    benchmark::DoNotOptimize(read.root.get());
  }
  state.counters["bytes"] = bytes.GetSize();
}
BENCHMARK(BM_ReadTenThousandNodeTree)->Unit(benchmark::kMillisecond);

}  // namespace
