// Reading pictures: a 1024 x 768 baseline JPEG through the program's stream source against
// libjpeg reading the same bytes from memory by itself (the goal: at least 90 % of its speed),
// and a run-length TGA of the same size (goal: 300 Mpixel/s or more).

#include <benchmark/benchmark.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "bench/texture/BenchPictures.h"
#include "source/stream/cMemoryStream.h"
#include "source/texture/Image.h"
#include "source/texture/JpegImageLoader.h"
#include "source/texture/TgaImageLoader.h"
#include "tests/support/QuietLog.h"

namespace {

const std::vector<uint8_t>& Jpeg() {
  static const std::vector<uint8_t> file = BenchJpeg(BenchScene(1024, 768));
  return file;
}

const std::vector<uint8_t>& RunLengthTga() {
  static const std::vector<uint8_t> file = BenchRunLengthTga(BenchScene(1024, 768));
  return file;
}

cMemoryStream StreamOf(const std::vector<uint8_t>& bytes) {
  cMemoryStream stream;
  stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  return stream;
}

void CountPixels(benchmark::State& state) {
  state.counters["Mpixel/s"] = benchmark::Counter(state.iterations() * 1024.0 * 768.0 / 1e6, benchmark::Counter::kIsRate);
}

// Reads `file` with the loader again and again from one memory stream.
void ReadRepeatedly(benchmark::State& state, ImageLoader& loader, const std::vector<uint8_t>& file) {
  QuietLog();
  cMemoryStream stream = StreamOf(file);
  Image image;
  for (auto _ : state) {
    stream.Seek(0, 0);
    if (!loader.Load(image, stream)) state.SkipWithError("not decoded");
    benchmark::DoNotOptimize(image.GetPixels());
  }
  CountPixels(state);
}

void BM_JpegThroughProgramStream(benchmark::State& state) {
  JpegImageLoader loader;
  ReadRepeatedly(state, loader, Jpeg());
}
BENCHMARK(BM_JpegThroughProgramStream)->Unit(benchmark::kMillisecond);

// The reference: libjpeg's own memory source, the rows into one buffer.
void BM_JpegLibjpegFromMemory(benchmark::State& state) {
  const std::vector<uint8_t>& file = Jpeg();
  std::vector<uint8_t> pixels(1024 * 768 * 3);
  for (auto _ : state) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = pixels.data() + std::size_t{cinfo.output_scanline} * cinfo.output_width * 3;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::DoNotOptimize(pixels.data());
  }
  CountPixels(state);
}
BENCHMARK(BM_JpegLibjpegFromMemory)->Unit(benchmark::kMillisecond);

void BM_RunLengthTga1024x768(benchmark::State& state) {
  TgaImageLoader loader;
  ReadRepeatedly(state, loader, RunLengthTga());
  state.counters["file KiB"] = static_cast<double>(RunLengthTga().size()) / 1024.0;
}
BENCHMARK(BM_RunLengthTga1024x768)->Unit(benchmark::kMillisecond);

}  // namespace
