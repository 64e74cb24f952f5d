// One name held by several resources: two types of one name, or one type in two groups. Taking
// one of them out must leave the others where lookups find them.

#include "source/Resources/cDataResource.h"
#include "source/Resources/cResourceLocation.h"
#include "tests/source/Resources/ResourceTestBase.h"
#include "tests/support/Found.h"
#include "tests/support/MemoryBytes.h"

namespace {

class Registry : public ResourceTest {};

cResourceSource Memory(const std::string& path) { return cResourceSource::FromFile(path); }

TEST_F(Registry, TwoTypesOfOneNameKeepTheirEntries) {
  auto data = std::make_unique<cResourceLocation>("first", Root());
  auto counting = std::make_unique<cResourceLocation>("second", Root());
  cResource* plain = new cDataResource("shared", Memory("a"));
  cResource* counted = new cCountingResource("shared", Memory("b"));
  data->AddResource(plain);
  counting->AddResource(counted);
  EXPECT_EQ(AllResources().Find("shared"), counted);

  // Taking the newer one out brings the older one back; taking the older one out keeps the newer.
  counting.reset();
  EXPECT_EQ(AllResources().Find("shared"), plain);
  EXPECT_EQ(RegistryOf<cDataResource>().Find("shared"), plain);
  EXPECT_EQ(RegistryOf<cCountingResource>().Find("shared"), nullptr);

  counting = std::make_unique<cResourceLocation>("second", Root());
  counted = new cCountingResource("shared", Memory("b"));
  counting->AddResource(counted);
  data.reset();
  EXPECT_EQ(AllResources().Find("shared"), counted);
  EXPECT_EQ(RegistryOf<cCountingResource>().Find("shared"), counted);
  counting.reset();
  EXPECT_TRUE(AllResources().IsEmpty());
}

TEST_F(Registry, LaterGroupWinsAndItsRemovalRevealsTheEarlier) {
  FixtureTree(Root(), "data").AddFile("title.bin", "from data");
  FixtureTree(Root(), "localization").AddFile("title.bin", "localized");
  m_manager->AddDirectory("data");
  m_manager->AddDirectory("localization");

  cDataResource* title = cDataResource::Find("title");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(BytesOf(title->GetData()), "localized");
  cResource::Release(title);

  cResourceLocation* localization = m_manager->GetLocation("localization");
  ASSERT_NE(localization, nullptr);
  Found(localization->GetResource(0)).Unregister();
  title = cDataResource::Find("title");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(BytesOf(title->GetData()), "from data");
  cResource::Release(title);
  Found(localization->GetResource(0)).Register();
}

TEST_F(Registry, ALocationTakesAResourceOnceAndRegisteringTwiceKeepsOneEntry) {
  cResourceLocation location("group", Root());
  cResource* resource = new cDataResource("once", Memory("x"));
  location.AddResource(resource);
  location.AddResource(resource);
  location.AddResource(nullptr);
  EXPECT_EQ(location.GetResourceCount(), 1u);
  resource->Register();
  resource->Unregister();
  EXPECT_EQ(AllResources().Find("once"), nullptr);
  EXPECT_EQ(RegistryOf<cDataResource>().Find("once"), nullptr);
  resource->Register();  // the location unregisters it when it goes
}

// A type built on another, as forms build on scenes: the note's text plus a title of its own.
class cTitledNoteResource : public cTypedResource<cTitledNoteResource, cNoteResource> {
 public:
  static constexpr const char* kTypeName = "titled_note";
  using cTypedResource::cTypedResource;
};

TEST_F(Registry, ATypeBuiltOnAnotherKeepsItsOwnWordAndRegistry) {
  m_manager->RegisterResourceType<cTitledNoteResource>();
  FixtureTree tree(Root(), "source");
  tree.AddFile("list.resource",
               "<resources><resource name=\"sign\" type=\"titled_note\" text=\"harbour\"/>"
               "<resource name=\"plain\" type=\"note\" text=\"quay\"/></resources>");
  cResourceLocation* source = m_manager->AddDirectory("source");
  ASSERT_EQ(source->GetResourceCount(), 2u);
  EXPECT_STREQ(Found(source->GetResource(0)).GetTypeName(), "titled_note");
  EXPECT_EQ(RegistryOf<cTitledNoteResource>().Find("sign"), source->GetResource(0));
  EXPECT_EQ(RegistryOf<cNoteResource>().Find("sign"), nullptr);
  EXPECT_EQ(AllResources().Find("sign"), source->GetResource(0));

  // Its pack entry carries its own word, and it comes back as itself with the base's data.
  ASSERT_TRUE(tree.WritePack(Root() + "/data"));
  m_manager->AddDirectory("data");
  cTitledNoteResource* sign = cTitledNoteResource::Find("sign");
  ASSERT_NE(sign, nullptr);
  EXPECT_EQ(sign->Text(), "harbour");
  EXPECT_TRUE(sign->GetSource().HasData());
  cResource::Release(sign);
  Logged([] { EXPECT_EQ(cNoteResource::Find("sign"), nullptr); });

  Found(source->GetResource(0)).Unregister();
  EXPECT_EQ(RegistryOf<cTitledNoteResource>().Find("sign"), Found(m_manager->GetLocation("data")).GetResource(0));
  Found(source->GetResource(0)).Register();
}

TEST_F(Registry, NamesAreEnteredAndErasedOnePerResource) {
  cResourceRegistry registry;
  cDataResource first("same", Memory("a"));
  cDataResource second("same", Memory("b"));
  UnregisterResourceByName(registry, &first);  // nothing there: nothing happens
  RegisterResourceByName(registry, &first);
  RegisterResourceByName(registry, &second);
  EXPECT_EQ(registry.Find("same"), &second);
  UnregisterResourceByName(registry, &first);
  EXPECT_EQ(registry.Find("same"), &second);
  UnregisterResourceByName(registry, &second);
  EXPECT_TRUE(registry.IsEmpty());
}

}  // namespace
