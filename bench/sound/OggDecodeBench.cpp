// Ogg Vorbis decoding of the same file through the program's streams (a file stream, the decoder's
// sub-stream and our callbacks) against libvorbisfile reading the file itself (goal: ours at 90 %
// of its speed or better).

#include <benchmark/benchmark.h>
#include <unistd.h>
#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/sound/BenchSounds.h"
#include "platform/os/os.h"
#include "source/sound/cSoundStream.h"
#include "source/stream/cFileStream.h"

namespace {

// The file both decode: ten seconds of stereo music, removed at exit.
const std::string& MusicFile() {
  static const std::string path = [] {
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("velmaris-bench-" + std::to_string(getpid()) + ".ogg")).string();
    const std::string bytes = BenchOgg(10.0);
    if (FILE* out = std::fopen(file.c_str(), "wb")) {
      std::fwrite(bytes.data(), 1, bytes.size(), out);
      std::fclose(out);
    }
    std::atexit([] { std::filesystem::remove(MusicFile()); });
    return file;
  }();
  return path;
}

void BM_OggThroughOurStreams(benchmark::State& state) {
  static char buffer[16384];
  int64_t bytes = 0;
  const std::string& path = MusicFile();  // encoded before the clock runs
  for (auto _ : state) {
    std::unique_ptr<cStream> file =
        std::make_unique<cFileStream>(path, os::kOpenExisting, os::kAccessRead, os::kShareRead);
    std::unique_ptr<cSoundStream> decoder = CreateOggStream(file);
    while (const uint32_t got = decoder->Read(buffer, sizeof buffer)) bytes += got;
  }
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_OggThroughOurStreams)->Unit(benchmark::kMillisecond);

void BM_OggVorbisfileDirect(benchmark::State& state) {
  static char buffer[16384];
  int64_t bytes = 0;
  const std::string& path = MusicFile();  // encoded before the clock runs
  for (auto _ : state) {
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0) {
      state.SkipWithError("the music file cannot be read");
      break;
    }
    int section = 0;
    long got;
    while ((got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section)) > 0) bytes += got;
    ov_clear(&file);
  }
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_OggVorbisfileDirect)->Unit(benchmark::kMillisecond);

}  // namespace
