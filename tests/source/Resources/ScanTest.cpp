// Folder groups: resource names, the extension map, ".svn" folders, resource lists, and how a
// group chooses between its pack file and its folder.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "source/Resources/cDataResource.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cXmlResource.h"
#include "tests/source/Resources/ResourceTestBase.h"
#include "tests/support/Found.h"

namespace {

class Scan : public ResourceTest {
 protected:
  std::vector<std::string> Names(const std::string& group) {
    std::vector<std::string> names;
    cResourceLocation* location = m_manager->GetLocation(group);
    if (location == nullptr) return names;
    for (cResource* resource : location->GetResources()) {
      names.push_back(std::string(resource->GetTypeName()) + " " + resource->GetName());
    }
    return names;
  }
};

TEST_F(Scan, NamesAreRelativePathsJoinedWithBackslashWithoutExtension) {
  FixtureTree(Root(), "data")
      .AddFile("zeta.bin", "z")
      .AddFile("gui/windows/main_menu.bin", "m")
      .AddFile("gui/cursor.bin", "c")
      .AddFile("alpha/a.b.c", "dots")
      .AddFile("README", "no extension");
  m_manager->AddDirectory("data");
  // Subfolders before files, each in name order.
  EXPECT_EQ(Names("data"), (std::vector<std::string>{
                               "data alpha\\a.b", "data gui\\windows\\main_menu",
                               "data gui\\cursor", "data README", "data zeta"}));
}

TEST_F(Scan, ExtensionsChooseTheType) {
  m_manager->RegisterResourceExtension("cnt", cCountingResource::kTypeName);
  m_manager->RegisterResourceExtension("cnf", "cnf");  // a word without a creator
  FixtureTree(Root(), "data")
      .AddFile("a.cnt", "1")
      .AddFile("b.cnf", "2")
      .AddFile("c.unknown", "3")
      .AddFile("d.xml", "<d/>");
  m_manager->AddDirectory("data");
  EXPECT_EQ(Names("data"),
            (std::vector<std::string>{"counting a", "data b", "data c", "xml d"}));
  EXPECT_EQ(m_manager->GetTypeForExtension("xml"), "xml");
  EXPECT_EQ(m_manager->GetTypeForExtension("cnf"), "cnf");
  EXPECT_EQ(m_manager->GetTypeForExtension("tga"), "");
}

cResource* MakeNote(const std::string& name, const cResourceSource& source) {
  return new cNoteResource(name, source);
}

TEST_F(Scan, CreatorsAreChosenByTypeWordAndTheLastRegistrationWins) {
  std::unique_ptr<cResource> made(m_manager->CreateResource("counting", "a", cResourceSource()));
  EXPECT_STREQ(made->GetTypeName(), "counting");
  EXPECT_EQ(made->GetRefCount(), 0);
  EXPECT_EQ(AllResources().Find("a"), nullptr);  // made, not registered

  m_manager->RegisterResourceCreator("counting", &MakeNote);
  made.reset(m_manager->CreateResource("counting", "a", cResourceSource()));
  EXPECT_STREQ(made->GetTypeName(), "note");

  EXPECT_FALSE(m_manager->HasResourceCreator("texture"));
  made.reset(m_manager->CreateResource("texture", "a", cResourceSource()));
  EXPECT_STREQ(made->GetTypeName(), "data");
  made.reset(m_manager->CreateResourceByExtension("psd", "a", cResourceSource()));
  EXPECT_STREQ(made->GetTypeName(), "data");
  made.reset(m_manager->CreateResourceByExtension("xml", "a", cResourceSource()));
  EXPECT_STREQ(made->GetTypeName(), "xml");
}

TEST_F(Scan, XmlFilesOfADataFolderAreFoundAsXmlResources) {
  FixtureTree(Root(), "data")
      .AddFile("game_init/game_init.xml", "<game_init><language value=\"en\"/></game_init>")
      .AddFile("levels/stage.xml", "<stages><stage name=\"harbour\"/></stages>");
  m_manager->AddDirectory("data");
  cXmlResource* init = cXmlResource::Find("game_init\\game_init");
  ASSERT_NE(init, nullptr);
  EXPECT_EQ(init->GetRoot().GetName(), "game_init");
  ASSERT_NE(init->GetRoot().FindChildByPath("language"), nullptr);

  // The document is kept after the last release.
  EXPECT_EQ(cResource::Release(init), 0);
  EXPECT_EQ(init->GetRoot().GetName(), "game_init");

  cXmlResource* stage = cXmlResource::Find("levels\\stage");
  ASSERT_NE(stage, nullptr);
  EXPECT_EQ(stage->GetRoot().GetName(), "stages");
  cResource::Release(stage);
}

TEST_F(Scan, AnXmlDocumentIsNotReadAgainWhileItsNodesMayBeHeld) {
  FixtureTree tree(Root(), "data");
  tree.AddFile("game_data/journal.xml", "<journal><entry name=\"page_0001\"/></journal>");
  m_manager->AddDirectory("data");
  cXmlResource* journal = cXmlResource::Find("game_data\\journal");
  ASSERT_NE(journal, nullptr);
  const XmlNode* entry = journal->GetRoot().FindChildByPath("entry");
  ASSERT_NE(entry, nullptr);
  cResource::Release(journal);

  // A later first reference keeps the tree whose nodes were handed out.
  journal = cXmlResource::Find("game_data\\journal");
  ASSERT_NE(journal, nullptr);
  EXPECT_EQ(journal->GetRoot().FindChildByPath("entry"), entry);
  EXPECT_EQ(entry->GetName(), "entry");
  cResource::Release(journal);
}

TEST_F(Scan, SvnFoldersAreSkippedAtAnyDepth) {
  FixtureTree(Root(), "data")
      .AddFile(".svn/entries", "x")
      .AddFile("gui/.svn/text-base/form.bin", "x")
      .AddFile("gui/.svn/list.resource", "<resources><resource name=\"hidden\" type=\"note\"/></resources>")
      .AddFile("gui/.svnkeep/kept.bin", "kept")
      .AddFile("gui/form.bin", "y");
  m_manager->AddDirectory("data");
  EXPECT_EQ(Names("data"),
            (std::vector<std::string>{"data gui\\.svnkeep\\kept", "data gui\\form"}));
}

TEST_F(Scan, ResourceListsDeclareResourcesFromTheirElements) {
  FixtureTree(Root(), "data")
      .AddResourceList("gui/notes.resource", {{"greeting", "note", ""},
                                              {"mystery", "no_such_type", ""},
                                              {"nested\\name", "note", "<resource name=\"inner\" type=\"note\"/>"}})
      .AddFile("gui/late.resource",
               "<resources><group><resource name=\"deep\" type=\"note\" text=\"from deep\"/></group></resources>");
  m_manager->AddDirectory("data");
  // The list files are not resources themselves; elements inside a resource belong to it.
  EXPECT_EQ(Names("data"), (std::vector<std::string>{"note deep", "note greeting", "data mystery",
                                                     "note nested\\name"}));
  cNoteResource* deep = cNoteResource::Find("deep");
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(deep->xml_reads, 1);
  EXPECT_EQ(deep->Text(), "from deep");
  cResource::Release(deep);
}

TEST_F(Scan, AResourceListThatDoesNotParseAddsNothing) {
  FixtureTree(Root(), "data")
      .AddFile("broken.resource", "<resources><resource name=\"a\" type=\"note\"/></wrong>")
      .AddFile("empty.resource", "")
      .AddFile("fine.bin", "f");
  testing::internal::CaptureStdout();  // the XML reader reports the syntax error there
  Logged([&] { m_manager->AddDirectory("data"); });
  testing::internal::GetCapturedStdout();
  const std::vector<std::string> names = Names("data");
  EXPECT_EQ(names.back(), "data fine");
  for (const std::string& name : names) EXPECT_EQ(name.find("note"), std::string::npos) << name;
}

TEST_F(Scan, MissingGroupAddsNothingAndAGroupIsMountedOnce) {
  EXPECT_EQ(m_manager->AddDirectory("splash")->GetResourceCount(), 0u);
  FixtureTree(Root(), "data").AddFile("a.bin", "a");
  cResourceLocation* first = m_manager->AddDirectory("data");
  FixtureTree(Root(), "data").AddFile("b.bin", "b");
  EXPECT_EQ(m_manager->AddDirectory("data"), first);
  EXPECT_EQ(first->GetResourceCount(), 1u);
  EXPECT_EQ(m_manager->GetLocation("data"), first);
  EXPECT_EQ(m_manager->GetLocation("fsdata"), nullptr);
}

TEST_F(Scan, FileSourcesSurviveAChangeOfCurrentDirectory) {
  FixtureTree(Root(), "data").AddFile("sub/far.bin", "far away");
  m_manager->AddDirectory("data");
  TempDir elsewhere;
  ScopedCurrentDirectory moved(elsewhere.Path());
  cDataResource* far = cDataResource::Find("sub\\far");
  ASSERT_NE(far, nullptr);
  EXPECT_EQ(far->GetData().GetSize(), 8u);
  cResource::Release(far);
}

TEST_F(Scan, AVanishedFileLoadsNothingAndSaysSo) {
  FixtureTree tree(Root(), "data");
  tree.AddFile("gone.bin", "soon gone");
  m_manager->AddDirectory("data");
  std::remove((tree.GetFolder() + "/gone.bin").c_str());
  cDataResource* gone = nullptr;
  Logged([&] { gone = cDataResource::Find("gone"); });
  ASSERT_NE(gone, nullptr);
  EXPECT_EQ(gone->GetData().GetSize(), 0u);
  cMemoryStream bytes;
  Logged([&] { EXPECT_FALSE(gone->GetSource().LoadData(bytes)); });
  cResource::Release(gone);
}

TEST_F(Scan, SourceOpensAndClosesItsFile) {
  FixtureTree(Root(), "data").AddFile("s.bin", "12345");
  m_manager->AddDirectory("data");
  cResource* resource = Found(m_manager->GetLocation("data")).GetResource(0);
  cResourceSource& source = resource->GetSource();
  EXPECT_EQ(source.GetSize(), 5u);
  cStream* stream = source.Open();
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->GetSize(), 5u);
  EXPECT_EQ(source.Open(), stream);
  source.Close();
  EXPECT_FALSE(source.GetStream());
  EXPECT_EQ(cResourceSource().Open(), nullptr);
  EXPECT_EQ(cResourceSource().GetSize(), 0u);
  cMemoryStream bytes;
  EXPECT_FALSE(cResourceSource().LoadData(bytes));
}

TEST_F(Scan, LinksBackToAParentFolderAreScannedOnce) {
  FixtureTree tree(Root(), "data");
  tree.AddFile("sub/leaf.bin", "leaf");
  std::filesystem::create_directory_symlink("..", tree.GetFolder() + "/sub/up");
  std::filesystem::create_directory_symlink(".", tree.GetFolder() + "/sub/here");
  std::filesystem::create_directory_symlink("sub", tree.GetFolder() + "/also_sub");
  m_manager->AddDirectory("data");
  cResourceLocation* data = m_manager->GetLocation("data");
  ASSERT_EQ(data->GetResourceCount(), 1u);
  EXPECT_EQ(Found(data->GetResource(0)).GetName(), "also_sub\\leaf");
}

TEST_F(Scan, WhatCannotBeNamedOrLeadsOutOfTheGroupIsLeftOutAndLogged) {
  TempDir outside;
  outside.WriteFile("far/away.bin", "not the game's");
  FixtureTree tree(Root(), "data");
  tree.AddFile("dup.txt", "second")
      .AddFile("dup.bin", "first")
      .AddFile("dup.cnt", "another type may share the name")
      .AddFile(".hidden", "no name")
      .AddFile("sub/.png", "no name either")
      .AddFile("inside/kept.bin", "kept")
      .AddResourceList("list.resource", {{"dup", "data", ""}, {"", "note", ""}, {"greeting", "note", ""}});
  std::filesystem::create_directory_symlink(outside.Path(), tree.GetFolder() + "/to_outside");
  std::filesystem::create_directory_symlink("/", tree.GetFolder() + "/to_root");
  std::filesystem::create_symlink(outside.Path() + "/far/away.bin", tree.GetFolder() + "/linked.bin");
  std::filesystem::create_symlink("inside/kept.bin", tree.GetFolder() + "/alias.bin");
  std::filesystem::create_symlink("nowhere.bin", tree.GetFolder() + "/dangling.bin");
  m_manager->RegisterResourceExtension("cnt", cCountingResource::kTypeName);
  const std::string told = Logged([&] { m_manager->AddDirectory("data"); });
  EXPECT_EQ(Names("data"), (std::vector<std::string>{"data inside\\kept", "data alias", "data dup", "counting dup",
                                                     "note greeting"}));
  EXPECT_FALSE(Found(m_manager->GetLocation("data")).HasFailed());
  for (const char* text : {"the data resource \"dup\" from ", "/data/dup.",
                           "\"dup\" from a resource list has the name of another",
                           "the note resource \"\" from a resource list has no name",
                           ".hidden has no name before its extension", ".png has no name before its extension",
                           "to_outside leads out", "to_root leads out", "linked.bin is a link that leads out",
                           "dangling.bin is a link"}) {
    EXPECT_NE(told.find(text), std::string::npos) << text << "\n" << told;
  }
}

}  // namespace
