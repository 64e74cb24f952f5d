// Text costs the GUI pays when a text changes: building a line of glyphs, breaking and justifying
// a long text, and loading a language's text table (stored form and XML declaration).

#include <benchmark/benchmark.h>

#include <string>

#include "gui/include/GUIFont.h"
#include "gui/include/TextLayout.h"
#include "gui/include/TextTable.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"
#include "source/stream/cMemoryStream.h"
#include "source/text/TextConversion.h"
#include "source/xml/XmlDocument.h"
#include "tests/support/QuietLog.h"

namespace {

// ASCII and Cyrillic, advances like a proportional face.
GUIFont MakeFont() {
  GUIGlyphTable glyphs;
  for (char16_t c = 32; c < 127; ++c) glyphs[c] = GUIGlyph{c / 512.0f, 0.5f, 0.02f, 0.05f, 0.3f + (c % 7) * 0.05f};
  for (char16_t c = 0x400; c < 0x460; ++c) glyphs[c] = GUIGlyph{(c - 0x400) / 512.0f, 0.2f, 0.02f, 0.05f, 0.6f};
  FontDescription description;
  description.size = 24.0f;
  return GUIFont(glyphs, description);
}

// Words of 3 to 9 letters, Latin and Cyrillic, separated by single spaces, with a paragraph break
// now and then; `letters` characters that are not spaces.
std::u16string MakeText(std::size_t letters, bool paragraphs) {
  std::u16string text;
  std::size_t written = 0;
  for (uint32_t word = 0; written < letters; ++word) {
    if (!text.empty()) text += (paragraphs && word % 40 == 0) ? u"\n  " : u" ";
    const std::size_t length = std::min<std::size_t>(3 + word % 7, letters - written);
    for (std::size_t i = 0; i < length; ++i) text += (word % 3 == 0) ? char16_t(0x430 + (i * 5 + word) % 32) : char16_t(u'a' + (i * 7 + word) % 26);
    written += length;
  }
  return text;
}

void BM_BuildText1000Glyphs(benchmark::State& state) {
  QuietLog();
  const GUIFont font = MakeFont();
  CountedPtr<Model> mesh(new Model("font_model", 4096, 6144, 0x100009));
  RenderObject object(mesh, nullptr, 0);
  const std::u16string text = MakeText(1000, false);
  for (auto _ : state) {
    benchmark::DoNotOptimize(font.BuildText(object, Vector4(1, 1, 1, 1), text));
  }
  if (mesh->m_index_count != 6000) state.SkipWithError("not 1000 quads");
}
BENCHMARK(BM_BuildText1000Glyphs)->Unit(benchmark::kMicrosecond);

void BM_JustifiedLayout2000Characters(benchmark::State& state) {
  QuietLog();
  const GUIFont font = MakeFont();
  // Room for every glyph, so the whole text is laid out.
  Model mesh("font_model", 8192, 12288, 0x100009);
  const std::u16string text = MakeText(1700, true);
  state.counters["characters"] = static_cast<double>(text.size());
  for (auto _ : state) {
    mesh.m_index_count = 0;
    const std::vector<TextWord> words = BuildWords(font, text);
    const std::vector<TextLine> lines = BreakLines(words, 600.0f, true);
    LayoutLines(font, mesh, words, lines, TextBox{0, 0, 600, 2000}, 0x11, true);
    benchmark::DoNotOptimize(mesh.m_index_count);
  }
}
BENCHMARK(BM_JustifiedLayout2000Characters)->Unit(benchmark::kMicrosecond);

// 10,000 texts in 20 sections of 500, as a language of a large game would have.
void Fill(TextMap& texts, TextSections& sections) {
  for (int i = 0; i < 10000; ++i) {
    const std::string key = "TEXT_KEY_" + std::to_string(i);
    const std::u16string text = u"Текст номер " + ToWideString(std::to_string(i)) + u" of the game's story";
    texts[key] = text;
    sections["section_" + std::to_string(i % 20)][key] = text;
  }
}

void BM_TextTableLoad10000Stored(benchmark::State& state) {
  TextMap texts;
  TextSections sections;
  Fill(texts, sections);
  cMemoryStream stored;
  WriteTextTables(stored, texts, sections);
  for (auto _ : state) {
    cMemoryStream bytes(stored);
    TextMap read_texts;
    TextSections read_sections;
    if (!ReadTextTables(bytes, read_texts, read_sections)) state.SkipWithError("not read");
    benchmark::DoNotOptimize(read_texts.size());
  }
}
BENCHMARK(BM_TextTableLoad10000Stored)->Unit(benchmark::kMillisecond);

std::string MakeXml() {
  std::string xml = "<resource name=\"en\" type=\"text\">";
  for (int s = 0; s < 20; ++s) {
    xml += "<section name=\"section_" + std::to_string(s) + "\">";
    for (int i = s; i < 10000; i += 20) {
      xml += "<text id=\"TEXT_KEY_" + std::to_string(i) + "\" text=\"Текст номер " + std::to_string(i) +
             " of the game's story\"/>";
    }
    xml += "</section>";
  }
  xml += "</resource>";
  return xml;
}

// The declaration read from XML: the document parsed, then the texts taken from its tree.
void BM_TextTableLoad10000Xml(benchmark::State& state) {
  const std::string xml = MakeXml();
  for (auto _ : state) {
    cMemoryStream bytes;
    bytes.Write(xml.data(), static_cast<uint32_t>(xml.size()));
    bytes.Seek(0, 0);
    XmlDocument document;
    document.Load(bytes);
    cTextResource resource("en", cResourceSource());
    resource.LoadFromXml(document.GetRoot());
    benchmark::DoNotOptimize(resource.GetTexts().size());
  }
}
BENCHMARK(BM_TextTableLoad10000Xml)->Unit(benchmark::kMillisecond);

// The texts taken from an already parsed tree (the XML reader's share left out).
void BM_TextTableFromXmlTree10000(benchmark::State& state) {
  const std::string xml = MakeXml();
  cMemoryStream bytes;
  bytes.Write(xml.data(), static_cast<uint32_t>(xml.size()));
  bytes.Seek(0, 0);
  XmlDocument document;
  document.Load(bytes);
  for (auto _ : state) {
    cTextResource resource("en", cResourceSource());
    resource.LoadFromXml(document.GetRoot());
    benchmark::DoNotOptimize(resource.GetTexts().size());
  }
}
BENCHMARK(BM_TextTableFromXmlTree10000)->Unit(benchmark::kMillisecond);

}  // namespace
