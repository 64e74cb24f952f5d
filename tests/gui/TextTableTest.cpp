// Text tables: sections and keys from XML, lookups (a missing key is added empty), the stored
// form written and read back, made by hand and damaged, and a table that is let go and taken again.

#include <gtest/gtest.h>

#include "gui/include/TextTable.h"
#include "source/Resources/cResourceManager.h"
#include "source/core/Singleton.h"
#include "source/stream/Encoding.h"
#include "source/xml/XmlDocument.h"
#include "tests/support/MemoryBytes.h"
#include "tests/support/TempDir.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

const char* kTexts =
    "<section name=\"menu\"><text id=\"OK\" text=\"Ok\"/><text id=\"QUIT\" text=\"Выход\"/></section>"
    "<section name=\"dialog\"><text id=\"OK\" text=\"Да\"/><text id=\"EMPTY\"/><other id=\"X\" text=\"x\"/></section>"
    "<note/>";

class TextTableTest : public testing::Test {
 protected:
  void SetUp() override { DestroySingletons(); }
  void TearDown() override { DestroySingletons(); }
  void Mount(const std::string& group, const std::string& inner) {
    FixtureTree(m_dir.Path(), group).AddResourceList("texts.resource", {{"en", "text", inner}});
    ScopedCurrentDirectory here(m_dir.Path());
    cTextResource::RegisterType();
    cResourceManager::GetInstance()->AddDirectory(group);
  }
  TempDir m_dir{"velmaris-texts"};
};

TEST_F(TextTableTest, LookupsFindTextsAndAddMissingKeys) {
  TextTable table;
  EXPECT_EQ(table.GetText("OK"), u"") << "no table yet";
  Mount("localization", kTexts);
  cResourcePtr<cTextResource> resource;
  ASSERT_TRUE(resource.Assign("en"));
  table = resource;
  struct Case {
    const char* section;  // null: among all texts
    const char* key;
    std::u16string text;
  };
  const Case cases[] = {{nullptr, "OK", u"Да"},          {"menu", "OK", u"Ok"}, {"dialog", "OK", u"Да"},
                        {nullptr, "QUIT", u"Выход"},     {nullptr, "EMPTY", u""}, {nullptr, "X", u""},
                        {"nowhere", "OK", u""}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.section ? table.GetSectionText(c.section, c.key) : table.GetText(c.key), c.text) << c.key;
  }
  EXPECT_EQ(resource->GetTexts().count("X"), 1u) << "a missing key is added, empty";
  EXPECT_EQ(resource->GetSections().count("nowhere"), 1u);
  EXPECT_EQ(resource->GetSections().size(), 3u);
  // A table declared in XML keeps its texts when let go and taken again.
  table = cResourcePtr<cTextResource>();
  resource.Reset();
  ASSERT_TRUE(resource.Assign("en"));
  EXPECT_EQ(resource->GetTexts().at("QUIT"), u"Выход");
}

TEST_F(TextTableTest, PackedTablesReadBackAndDamagedOnesGiveNoTexts) {
  FixtureTree(m_dir.Path(), "localization").AddResourceList("texts.resource", {{"en", "text", kTexts}});
  cTextResource::RegisterType();
  ASSERT_TRUE(FixtureTree(m_dir.Path(), "localization").WritePack(m_dir.Path() + "/packed"));
  {
    ScopedCurrentDirectory here(m_dir.Path());
    cResourceManager::GetInstance()->AddDirectory("packed");
  }
  cResourcePtr<cTextResource> resource;
  ASSERT_TRUE(resource.Assign("en"));
  EXPECT_EQ(resource->GetSections().at("menu").at("QUIT"), u"Выход");
  EXPECT_EQ(resource->GetTexts().size(), 3u);

  // The stored form of those tables, cut at every byte and with one byte too many.
  cMemoryStream stored;
  ASSERT_TRUE(WriteTextTables(stored, resource->GetTexts(), resource->GetSections()));
  const uint32_t size = stored.GetSize();
  const std::string longer = BytesOf(stored) + '\0';
  for (uint32_t cut = 0; cut <= size + 1; ++cut) {
    cMemoryStream bytes = StreamOf(longer.substr(0, cut));
    TextMap texts = {{"kept", u"kept"}};
    TextSections sections;
    EXPECT_EQ(ReadTextTables(bytes, texts, sections), cut == size) << cut;
    if (cut != size) {
      EXPECT_EQ(texts.count("kept"), 1u) << cut;
    }
  }
}

TEST_F(TextTableTest, HandMadeStoredFormReadsAsLaidOut) {
  cMemoryStream bytes;
  WriteUInt32(bytes, 1);
  WriteString(bytes, "HI");
  WriteWideString(bytes, u"Шалом");
  WriteUInt32(bytes, 1);
  WriteString(bytes, "s");
  WriteUInt32(bytes, 0);
  bytes.Seek(0, 0);
  TextMap texts;
  TextSections sections;
  ASSERT_TRUE(ReadTextTables(bytes, texts, sections));
  EXPECT_EQ(texts.at("HI"), u"Шалом");
  EXPECT_TRUE(sections.at("s").empty());
  // A count that the bytes cannot hold is refused without trying to make room for it.
  cMemoryStream claim = StreamOf(Word(0xFFFFFFFFu));
  EXPECT_FALSE(ReadTextTables(claim, texts, sections));
}

}  // namespace
