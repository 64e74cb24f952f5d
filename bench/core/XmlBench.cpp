// Parse throughput of the XML reader over a 1 MB document of the kind the program reads
// (resource lists, forms, text tables: many small elements with attributes and short text).

#include <benchmark/benchmark.h>

#include <string>

#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlReader.h"
#include "source/xml/XmlWriter.h"

namespace {

std::string MakeDocument(size_t target_size) {
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n";
  for (int group = 0; text.size() < target_size; ++group) {
    text += "\t<group name=\"group_" + std::to_string(group) + "\" folder=\"data\\textures\">\n";
    for (int item = 0; item < 20; ++item) {
      text += "\t\t<texture id=\"tex_" + std::to_string(group) + "_" + std::to_string(item) +
              "\" file=\"images\\item_" + std::to_string(item) + ".tga\" filter=\"linear\"/>\n";
      text += "\t\t<text key=\"caption_" + std::to_string(item) + "\">A caf\xC3\xA9 caption number " +
              std::to_string(item) + "</text>\n";
    }
    text += "\t</group>\n";
  }
  text += "</resources>";
  return text;
}

cMemoryStream StreamOf(const std::string& text) {
  cMemoryStream stream;
  stream.Write(text.data(), static_cast<uint32_t>(text.size()));
  stream.Seek(0, 0);
  return stream;
}

void BM_ParseXmlNode1MB(benchmark::State& state) {
  const std::string text = MakeDocument(1 << 20);
  cMemoryStream stream = StreamOf(text);
  for (auto _ : state) {
    stream.Seek(0, 0);
    std::unique_ptr<XmlNode> root = ParseXmlNode(stream);
    benchmark::DoNotOptimize(root.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseXmlNode1MB)->Unit(benchmark::kMillisecond);

void BM_XmlDocumentLoad1MB(benchmark::State& state) {
  const std::string text = MakeDocument(1 << 20);
  cMemoryStream stream = StreamOf(text);
  for (auto _ : state) {
    XmlDocument document;
    benchmark::DoNotOptimize(document.Load(stream));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_XmlDocumentLoad1MB)->Unit(benchmark::kMillisecond);

void BM_WriteXmlNode1MB(benchmark::State& state) {
  const std::string text = MakeDocument(1 << 20);
  cMemoryStream source = StreamOf(text);
  XmlDocument document;
  document.Load(source);
  for (auto _ : state) {
    cMemoryStream out;
    benchmark::DoNotOptimize(document.SaveXmlDocument(out));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_WriteXmlNode1MB)->Unit(benchmark::kMillisecond);

}  // namespace
