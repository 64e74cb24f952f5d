// How fast memory streams take many small writes: building a file a field at a time.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "source/stream/cMemoryStream.h"

namespace {

constexpr uint32_t kTotalBytes = 10u * 1024u * 1024u;

// 10 MB written four bytes at a time into a fresh memory stream (goal: under 30 ms).
void BM_MemoryStreamFourByteWrites(benchmark::State& state) {
  for (auto _ : state) {
    cMemoryStream stream;
    for (uint32_t value = 0; value < kTotalBytes / 4; ++value) stream.Write(&value, 4);
    benchmark::DoNotOptimize(stream.GetData());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTotalBytes);
}
BENCHMARK(BM_MemoryStreamFourByteWrites)->Unit(benchmark::kMillisecond);

}  // namespace
