// Font files written and read back, made byte by byte and damaged; font descriptions from XML and
// their stored form; glyph quads, widths and case mirroring of the fonts built from them.

#include <gtest/gtest.h>

#include <cstring>

#include "gui/include/GUIFontTable.h"
#include "gui/include/GUIGlyphMesh.h"
#include "gui/include/GUIWidgetSupport.h"
#include "gui/include/cGUIFontDataResource.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"
#include "source/texture/TgaImageLoader.h"
#include "source/texture/Image.h"
#include "source/xml/XmlDocument.h"
#include "tests/gui/GuiTestFonts.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/support/Found.h"
#include "tests/support/MemoryBytes.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes FileOf(const GUIGlyphTable& glyphs) {
  cMemoryStream file;
  EXPECT_TRUE(WriteFontFile(file, glyphs));
  return Bytes(file.GetData(), file.GetData() + file.GetSize());
}

// A font file laid out by hand: the size field is the real size plus `size_error`.
Bytes HandFile(uint32_t version, uint32_t count, const Bytes& records, int size_error = 0) {
  Bytes out(17);
  const uint32_t size = static_cast<uint32_t>(17 + records.size()) + size_error;
  std::memcpy(out.data(), &size, 4);
  std::memcpy(out.data() + 4, "EEFNT", 5);
  std::memcpy(out.data() + 9, &version, 4);
  std::memcpy(out.data() + 13, &count, 4);
  for (uint8_t byte : records) out.push_back(byte);
  return out;
}

Bytes Record(uint16_t code, std::initializer_list<float> values) {
  Bytes out(2);
  std::memcpy(out.data(), &code, 2);
  for (float v : values) {
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    out.insert(out.end(), p, p + 4);
  }
  return out;
}

bool SameGlyph(const GUIGlyph& a, const GUIGlyph& b) {
  return a.u == b.u && a.v == b.v && a.w == b.w && a.h == b.h && a.advance == b.advance;
}

FontFileStatus Read(const Bytes& bytes, GUIGlyphTable& glyphs) {
  return ReadFontFile(bytes.data(), static_cast<uint32_t>(bytes.size()), glyphs);
}

TEST(FontFile, WrittenTablesReadBackAndHandMadeFilesReadAsLaidOut) {
  const GUIGlyphTable glyphs = {{u'A', {0.1f, 0.2f, 0.3f, 0.4f, 0.5f}}, {0x0416, {0, 0.5f, 0.25f, 0.125f, 1.5f}},
                                {0xFFFF, {1, 1, 0, 0, 0}}};
  GUIGlyphTable read;
  const Bytes file = FileOf(glyphs);
  ASSERT_EQ(file.size(), 17u + 22u * 3);
  ASSERT_EQ(Read(file, read), FontFileStatus::kRead);
  ASSERT_EQ(read.size(), glyphs.size());
  for (const auto& [code, glyph] : glyphs) EXPECT_TRUE(SameGlyph(read.at(code), glyph)) << code;

  // Two records of one code: the first stays. No glyphs at all is a valid file.
  Bytes records = Record(u'x', {1, 2, 3, 4, 5});
  const Bytes second = Record(u'x', {9, 9, 9, 9, 9});
  records.insert(records.end(), second.begin(), second.end());
  ASSERT_EQ(Read(HandFile(201, 2, records), read), FontFileStatus::kRead);
  EXPECT_TRUE(SameGlyph(read.at(u'x'), {1, 2, 3, 4, 5}));
  ASSERT_EQ(Read(HandFile(201, 0, {}), read), FontFileStatus::kRead);
  EXPECT_TRUE(read.empty());
}

TEST(FontFile, DamagedFilesAreRefusedAndLeaveTheTableAlone) {
  const Bytes one = Record(u'a', {0, 0, 0.5f, 0.5f, 1});
  Bytes magic = HandFile(201, 1, one);
  magic[8] = 'X';
  const Bytes nan_value = Record(u'a', {0, std::numeric_limits<float>::quiet_NaN(), 0, 0, 1});
  struct Case {
    const char* what;
    Bytes bytes;
    FontFileStatus status;
  };
  const Case cases[] = {
      {"size one too large", HandFile(201, 1, one, +1), FontFileStatus::kBadFormat},
      {"size one too small", HandFile(201, 1, one, -1), FontFileStatus::kBadFormat},
      {"magic", magic, FontFileStatus::kBadFormat},
      {"version 200", HandFile(200, 1, one), FontFileStatus::kBadVersion},
      {"version 202", HandFile(202, 1, one), FontFileStatus::kBadVersion},
      {"count beyond the records", HandFile(201, 2, one), FontFileStatus::kBadFormat},
      {"count of four billion", HandFile(201, 0xFFFFFFFFu, one), FontFileStatus::kBadFormat},
      {"records beyond the count", HandFile(201, 0, one), FontFileStatus::kBadFormat},
      {"a value that is not a number", HandFile(201, 1, nan_value), FontFileStatus::kBadFormat},
  };
  for (const Case& c : cases) {
    GUIGlyphTable glyphs = {{u'z', {}}};
    EXPECT_EQ(Read(c.bytes, glyphs), c.status) << c.what;
    EXPECT_EQ(glyphs.size(), 1u) << c.what;
  }
  // Every cut of a good file is refused (a cut keeps its size field, so it no longer matches).
  const Bytes good = FileOf({{u'a', {}}, {u'b', {}}});
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    GUIGlyphTable glyphs;
    EXPECT_NE(Read(Bytes(good.begin(), good.begin() + cut), glyphs), FontFileStatus::kRead) << cut;
  }
}

TEST(StoredFont, DescriptionsReadBackAndDamagedOnesAreRefused) {
  FontDescription written{"fonts\\main", "fonts\\main_diffuse", "fonts\\main_opacity", 24.0f, 0.3f, 1.1f, true};
  cMemoryStream stored;
  ASSERT_TRUE(WriteFontDescription(stored, written));
  const uint32_t size = stored.GetSize();
  EXPECT_EQ(size, 3 * 4 + 10 + 18 + 18 + 3 * 4 + 1u);
  const std::string longer = BytesOf(stored) + "x";  // and one byte too many
  for (uint32_t cut = 0; cut <= size + 1; ++cut) {
    cMemoryStream bytes = StreamOf(longer.substr(0, cut));
    FontDescription read;
    const bool ok = ReadFontDescription(bytes, read);
    EXPECT_EQ(ok, cut == size) << cut;
    if (!ok) {
      EXPECT_TRUE(read.font_file.empty()) << cut;
    } else {
      EXPECT_EQ(read.font_file, written.font_file);
      EXPECT_EQ(read.opacity, written.opacity);
      EXPECT_EQ(read.shift, written.shift);
      EXPECT_TRUE(read.upper_case);
    }
  }
}

// Quads from the layout: position and texture coordinates of each corner.
TEST(GUIFontQuads, GlyphsStandOnThePenAndSpanTheirAdvance) {
  GUIGlyphTable glyphs = {{u'A', {0.25f, 0.5f, 0.125f, 0.0625f, 0.75f}}, {u' ', {0, 0, 0, 0, 0.5f}}};
  FontDescription description;
  description.size = 20.0f;
  description.space = 0.4f;
  description.shift = 1.5f;
  const GUIFont font(glyphs, description);
  Model mesh("font_model", 16, 24, 0x100009);
  mesh.m_index_count = 0;
  // "A", an unknown "#", a space and "A": pen moves 0.75*20*1.5, 0.4*20, 0.5*20*1.5.
  const float end = font.LayoutText(mesh, u"A# A", 100.0f, 50.0f);
  EXPECT_FLOAT_EQ(end, 100.0f + 22.5f + 8.0f + 15.0f + 22.5f);
  EXPECT_FLOAT_EQ(font.GetTextWidth(u"A# A", -1.0f), end - 100.0f);
  EXPECT_FLOAT_EQ(font.GetTextWidth(u"A# A", 20.0f), font.GetTextWidth(u"A# A"));
  EXPECT_FLOAT_EQ(font.GetTextWidth(u"A", 10.0f), 0.75f * 10.0f * 1.5f);
  ASSERT_EQ(mesh.m_index_count, 12u) << "two glyph quads";
  struct Corner {
    float x, y, u, v;
  };
  // The quad is advance x size wide (not shifted) and size high; v is the glyph's bottom edge.
  const Corner expected[] = {{100, 70, 0.25f, 0.5625f}, {100, 50, 0.25f, 0.5f}, {115, 70, 0.375f, 0.5625f},
                             {115, 50, 0.375f, 0.5f},   {145.5f, 70, 0.25f, 0.5625f}};
  for (int i = 0; i < 5; ++i) {
    const Vertex& v = Found(mesh.m_vertices->GetVertex(i));
    EXPECT_FLOAT_EQ(v.x, expected[i].x) << i;
    EXPECT_FLOAT_EQ(v.y, expected[i].y) << i;
    EXPECT_FLOAT_EQ(v.u, expected[i].u) << i;
    EXPECT_FLOAT_EQ(v.v, expected[i].v) << i;
    EXPECT_EQ(v.z, 0.0f);
  }
  // Spaces alone move the pen and write nothing; a full mesh drops quads, not the pen.
  mesh.m_index_count = 0;
  EXPECT_FLOAT_EQ(font.LayoutText(mesh, u"   ", 0, 0), 45.0f);
  EXPECT_EQ(mesh.m_index_count, 0u);
  EXPECT_FLOAT_EQ(font.LayoutText(mesh, u"AAAAAA", 0, 0), 6 * 22.5f);
  EXPECT_EQ(mesh.m_index_count, 24u) << "room for four quads";
  Vertex untouched[4] = {};
  EXPECT_FALSE(font.AddCharacter(untouched, u'\n', 0, 0));
  EXPECT_FALSE(font.AddCharacter(untouched, u'\t', 0, 0));
  EXPECT_FALSE(font.AddCharacter(untouched, u'#', 0, 0));
  EXPECT_EQ(untouched[0].x, 0.0f);
}

TEST(GUIFontQuads, GlyphModelsTakeRoomAsTheirTextNeedsAndKeepWhatIsLaidOrBuilt) {
  const GUIFont font = TestFont(kLatin);
  struct Case {
    std::size_t letters;  // laid a word of ten letters at a time, as a text's lines are
    uint32_t quads;       // drawn
    uint32_t most_vertices;
  };
  // A widget without text holds no more than a few words' room; a page grows up to 1024 glyphs.
  const Case cases[] = {{0, 0, 128}, {10, 10, 128}, {300, 300, 2048}, {1024, 1024, 4096}, {3000, 1024, 4096}};
  for (const Case& c : cases) {
    std::unique_ptr<RenderObject> object = MakeGlyphModel();
    Model& mesh = Found(object->GetModel());
    font.BeginText(*object, Vector4(1, 1, 1, 1));
    float pen = 0.0f;
    for (std::size_t laid = 0; laid < c.letters; laid += 10) pen = font.LayoutText(mesh, u"abcdefghij", pen, 0.0f);
    EXPECT_EQ(mesh.m_index_count, 6 * c.quads) << c.letters;
    EXPECT_LE(mesh.m_vertices->GetCount(), c.most_vertices) << c.letters;
    if (c.quads == 0) continue;
    // The first glyph laid stays where it was put, white, after the mesh grew beneath it.
    const Vertex& first = Found(mesh.m_vertices->GetVertex(1));
    EXPECT_EQ(first.x, 0.0f) << c.letters;
    EXPECT_EQ(first.diffuse, 0xFFFFFFFFu) << c.letters;
    EXPECT_EQ(mesh.m_indices->GetCount(), mesh.m_vertices->GetCount() / 4 * 6) << c.letters;
  }
  // Building a text empties the mesh first and takes the colour.
  CountedPtr<Model> mesh(new Model("font_model", 4096, 6144, 0x100009));
  RenderObject object(mesh, nullptr, 0);
  font.BuildText(object, Vector4(1, 0, 0, 1), u"long text");
  font.BuildText(object, Vector4(0, 1, 0, 0.5f), u"ok");
  EXPECT_EQ(mesh->m_index_count, 12u);
  EXPECT_EQ(object.GetColor(), Vector4(0, 1, 0, 0.5f));
  EXPECT_FLOAT_EQ(font.GetTextExtent(u"ok").x, 10.0f);
  EXPECT_EQ(font.GetTextExtent(u"ok").y, 10.0f);
}

TEST(GUIFontCase, CapitalsOnlyFontsDrawLowerCaseWithTheCapitals) {
  // The process locale stays "C": the mapping must not depend on it.
  struct Case {
    std::u16string capitals;
    std::u16string lower;
  };
  const Case cases[] = {{u"ABC", u"abc"}, {u"ЖЁЯ", u"жёя"}, {u"ÀÉÑ", u"àéñ"}};
  for (const Case& c : cases) {
    const GUIFont font = TestFont(c.capitals, 10.0f, true);
    for (std::size_t i = 0; i < c.lower.size(); ++i) {
      ASSERT_TRUE(font.HasCharacter(c.lower[i])) << i;
      EXPECT_EQ(Found(font.FindGlyph(c.lower[i])).u, Found(font.FindGlyph(c.capitals[i])).u);
    }
  }
  // A font with its own "a" keeps it; a font that is not capitals-only mirrors nothing.
  GUIGlyphTable glyphs = {{u'A', TestGlyph(u'A')}, {u'a', TestGlyph(u'a')}, {u'7', TestGlyph(u'7')}};
  FontDescription upper;
  upper.upper_case = true;
  EXPECT_EQ(Found(GUIFont(glyphs, upper).FindGlyph(u'a')).u, TestGlyph(u'a').u);
  EXPECT_FALSE(TestFont(u"ABC").HasCharacter(u'b'));
}

TEST(GUIFontTable, BadIndicesGiveNoFont) {
  GUIFontTable table;
  CountedPtr<GUIFont> font(new GUIFont(TestFont(u"a")));
  table.Set(2, font);
  EXPECT_EQ(table.GetSize(), 3u);
  EXPECT_EQ(table.Get(2), font.Get());
  for (int index : {-1, 0, 1, 3, 1 << 30}) EXPECT_EQ(table.Get(index), nullptr) << index;
  table.Set(-5, font);
  table.Set(GUIFontTable::kMaxFonts, font);
  EXPECT_EQ(table.GetSize(), 3u);
}

class FontResourceTest : public RenderTest {
 protected:
  void Mount(const std::string& font_file_bytes, const std::string& attributes) {
    FixtureTree(m_dir.Path(), "data")
        .AddFile("fonts/main.fnt", font_file_bytes)
        .AddFile("fonts/main_diffuse.tga", Picture(24))
        .AddFile("fonts/main_opacity.tga", Picture(8))
        .AddResourceList("fonts/fonts.resource", {{"fonts\\main", "font", ""}});
    // The list's attributes: the fixture writes name and type only, so the rest is added here.
    const std::string list = m_dir.Path() + "/data/fonts/fonts.resource";
    std::string xml = ReadWholeFile(list);
    const std::size_t at = xml.find("type=\"font\"");
    xml.insert(at + 11, " " + attributes);
    WriteWholeFile(list, xml);
    ScopedCurrentDirectory here(m_dir.Path());
    cFontResource::RegisterTypes();
    cResourceManager::GetInstance()->AddDirectory("data");
  }
  static std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
  static std::string Picture(uint32_t bits) {
    Image image;
    image.Allocate(8, 8, bits);
    cMemoryStream file;
    TgaImageLoader().Save(image, file);
    return std::string(reinterpret_cast<const char*>(file.GetData()), file.GetSize());
  }
};

TEST_F(FontResourceTest, DescriptionsFromXmlAndPacksGiveTheSameFont) {
  const GUIGlyphTable glyphs = {{u'A', TestGlyph(u'A')}, {0x0416, TestGlyph(0x0416)}};
  Mount(Text(FileOf(glyphs)),
        "fnt=\"fonts\\main\" diffuse=\"fonts\\main_diffuse\" opacity=\"fonts\\main_opacity\" size=\"24\" "
        "shift=\"nan\" upper_case=\"true\"");
  {
    cResourcePtr<cFontResource> resource;
    ASSERT_TRUE(resource.Assign("fonts\\main"));
    const FontDescription& d = resource->GetDescription();
    EXPECT_EQ(d.size, 24.0f);
    EXPECT_EQ(d.space, 1.0f) << "missing: 1.0";
    EXPECT_EQ(d.shift, 1.0f) << "not a number: 1.0";
    EXPECT_TRUE(d.upper_case);
    GUIFont font(resource);
    EXPECT_TRUE(font.HasCharacter(0x0436)) << "the lower-case zhe";
    EXPECT_EQ(font.GetSize(), 24.0f);
    ASSERT_NE(font.GetTexture(), nullptr);
  }
  ASSERT_TRUE(FixtureTree(m_dir.Path(), "data").WritePack(m_dir.Path() + "/pack"));
  DestroySingletons();
  cFontResource::RegisterTypes();
  ScopedCurrentDirectory here(m_dir.Path());
  std::rename((m_dir.Path() + "/pack").c_str(), (m_dir.Path() + "/packed").c_str());
  cResourceManager::GetInstance()->AddDirectory("packed");
  cResourcePtr<cFontResource> packed;
  ASSERT_TRUE(packed.Assign("fonts\\main"));
  EXPECT_EQ(packed->GetDescription().size, 24.0f);
  EXPECT_EQ(packed->GetGlyphs().size(), 2u);
}

TEST_F(FontResourceTest, ADamagedGlyphTableIsLoggedAndGivesNoGlyphs) {
  Bytes file = FileOf({{u'A', TestGlyph(u'A')}});
  file[9] = 202;
  Mount(Text(file), "fnt=\"fonts\\main\"");
  cResourcePtr<cFontResource> resource;
  ASSERT_TRUE(resource.Assign("fonts\\main"));
  EXPECT_TRUE(resource->GetGlyphs().empty());
  EXPECT_TRUE(LogHas("Incorrect \"fonts\\main\" version, current is 201"));
  const GUIFont font(resource);
  EXPECT_FLOAT_EQ(font.GetTextWidth(u"AA"), 2.0f) << "every character advances by the space";
}

}  // namespace
