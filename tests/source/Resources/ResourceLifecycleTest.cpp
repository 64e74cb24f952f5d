// Reference counting: load on the first reference, unload on the last release, typed lookups,
// resource pointers, and what a release does once everything is gone.

#include <string>

#include "source/Resources/cDataResource.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cResourcePtr.h"
#include "tests/source/Resources/ResourceTestBase.h"
#include "tests/support/Found.h"

namespace {

class Lifecycle : public ResourceTest {
 protected:
  void SetUp() override {
    ResourceTest::SetUp();
    FixtureTree(Root(), "data").AddFile("items\\key.cnt", "brass key").AddFile("door.bin", "oak");
    m_manager->RegisterResourceExtension("cnt", cCountingResource::kTypeName);
    m_manager->AddDirectory("data");
  }
};

TEST_F(Lifecycle, FirstReferenceLoadsAndLogsLastReleaseUnloads) {
  cCountingResource* key = nullptr;
  const std::string log =
      Logged([&] { key = cCountingResource::Find("items\\key"); });
  ASSERT_NE(key, nullptr);
  EXPECT_NE(log.find("loading counting items\\key"), std::string::npos) << log;
  EXPECT_EQ(key->GetRefCount(), 1);
  EXPECT_EQ(key->loads, 1);
  EXPECT_EQ(key->Text(), "brass key");

  EXPECT_EQ(cCountingResource::Find("items\\key"), key);
  EXPECT_EQ(key->GetRefCount(), 2);
  EXPECT_EQ(key->loads, 1);

  EXPECT_EQ(cResource::Release(key), 1);
  EXPECT_EQ(key->unloads, 0);
  EXPECT_EQ(cResource::Release(key), 0);
  EXPECT_EQ(key->unloads, 1);
  EXPECT_EQ(key->Text(), "");

  // Releasing again does nothing more.
  EXPECT_EQ(cResource::Release(key), 0);
  EXPECT_EQ(key->unloads, 1);

  // The resource stays registered: the next reference loads it again.
  EXPECT_EQ(cCountingResource::Find("items\\key"), key);
  EXPECT_EQ(key->loads, 2);
  EXPECT_EQ(cResource::Release(key), 0);
}

TEST_F(Lifecycle, AskingWhetherAResourceExistsNeitherLoadsNorHoldsIt) {
  for (const char* name : {"items\\key", "items\\lock", ""}) {
    EXPECT_EQ(m_manager->HasResource<cCountingResource>(name), std::string(name) == "items\\key") << name;
  }
  cCountingResource* key = cCountingResource::Find("items\\key");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->loads, 1) << "the question loaded it";
  EXPECT_EQ(key->GetRefCount(), 1);
  cResource::Release(key);
}

TEST_F(Lifecycle, AnEmptyNameIsNullWithoutALogLineAndAMissingOneIsLoggedAsNotFound) {
  cCountingResource* found = nullptr;
  EXPECT_EQ(Logged([&] { found = cCountingResource::Find(""); }), "");
  EXPECT_EQ(found, nullptr);
  const std::string log = Logged([] { EXPECT_EQ(cCountingResource::Find("nowhere"), nullptr); });
  EXPECT_NE(log.find("Resource:nowhere not found"), std::string::npos) << log;
}

TEST_F(Lifecycle, LookupsAreTyped) {
  Logged([] {
    EXPECT_EQ(cCountingResource::Find("door"), nullptr);
    EXPECT_EQ(cDataResource::Find("items\\key"), nullptr);
  });
  cDataResource* door = cDataResource::Find("door");
  ASSERT_NE(door, nullptr);
  EXPECT_EQ(door->GetData().GetPosition(), 0u);
  EXPECT_EQ(door->GetData().GetSize(), 3u);
  cResource::Release(door);
  EXPECT_EQ(door->GetData().GetSize(), 0u);
}

TEST_F(Lifecycle, PointerHoldsExactlyOneReference) {
  cResourcePtr<cCountingResource> pointer;
  EXPECT_TRUE(pointer.Assign("items\\key"));
  EXPECT_TRUE(pointer.Assign(std::string("items\\key")));
  ASSERT_TRUE(pointer);
  cCountingResource* key = pointer.Get();
  EXPECT_EQ(key->GetRefCount(), 1);
  EXPECT_EQ(key->loads, 1);
  {
    cResourcePtr<cCountingResource> copy = pointer;
    EXPECT_EQ(key->GetRefCount(), 2);
    cResourcePtr<cCountingResource>& same = copy;
    copy = same;  // assigning a pointer to itself keeps its one reference
    EXPECT_EQ(key->GetRefCount(), 2);
  }
  EXPECT_EQ(key->GetRefCount(), 1);

  // A missing name empties the pointer and lets go of the old resource.
  Logged([&] { EXPECT_FALSE(pointer.Assign("nowhere")); });
  EXPECT_FALSE(pointer);
  EXPECT_EQ(key->GetRefCount(), 0);
  EXPECT_EQ(key->unloads, 1);
  EXPECT_FALSE(pointer.Assign(static_cast<const char*>(nullptr)));
}

// The manager takes its groups, and their resources, out of the registries; a release after that
// (or of null) answers -1 without touching the resource.
TEST_F(Lifecycle, ReleaseAfterEverythingIsGoneDoesNotTouchTheResource) {
  EXPECT_EQ(cResource::Release(nullptr), -1);
  cCountingResource* key = cCountingResource::Find("items\\key");
  ASSERT_NE(key, nullptr);
  EXPECT_FALSE(AllResources().IsEmpty());
  delete cResourceManager::PeekInstance();
  EXPECT_TRUE(AllResources().IsEmpty());
  EXPECT_TRUE(RegistryOf<cCountingResource>().IsEmpty());
  EXPECT_TRUE(RegistryOf<cDataResource>().IsEmpty());
  // `key` is freed now; AddressSanitizer would catch any read of it.
  EXPECT_EQ(cResource::Release(key), -1);
}

// Loading one resource looks up another on the same thread, under the same lock.
class cNestingResource : public cTypedResource<cNestingResource> {
 public:
  static constexpr const char* kTypeName = "nesting";
  using cTypedResource::cTypedResource;
  bool Load() override {
    inner.Assign("items\\key");
    return static_cast<bool>(inner);
  }
  bool Unload() override {
    inner.Reset();
    return true;
  }
  cResourcePtr<cCountingResource> inner;
};

TEST_F(Lifecycle, LoadingMayLookUpNestedResources) {
  cResourceLocation extra("extra", Root());
  extra.AddResource(new cNestingResource("outer", cResourceSource()));
  cResourcePtr<cNestingResource> outer;
  ASSERT_TRUE(outer.Assign("outer"));
  ASSERT_TRUE(outer->inner);
  EXPECT_EQ(outer->inner->Text(), "brass key");
  outer.Reset();
}

// Data whose loading names the resource itself.
class cSelfResource : public cTypedResource<cSelfResource> {
 public:
  static constexpr const char* kTypeName = "self";
  using cTypedResource::cTypedResource;
  bool Load() override {
    ++loads;
    inner.Assign(GetName());
    return true;
  }
  bool Unload() override {
    inner.Reset();
    return true;
  }
  cResourcePtr<cSelfResource> inner;
  int loads = 0;
};

TEST_F(Lifecycle, AResourceWhoseLoadingNamesItselfLoadsOnce) {
  cResourceLocation extra("extra", Root());
  extra.AddResource(new cSelfResource("mirror", cResourceSource()));
  cResourcePtr<cSelfResource> outer;
  const std::string log = Logged([&] { ASSERT_TRUE(outer.Assign("mirror")); });
  cSelfResource* self = outer.Get();
  EXPECT_EQ(self->loads, 1);
  EXPECT_EQ(self->inner.Get(), self);
  EXPECT_EQ(self->GetRefCount(), 2);
  EXPECT_EQ(log.find("loading"), log.rfind("loading")) << log;
  outer.Reset();
  self->inner.Reset();
  EXPECT_EQ(self->GetRefCount(), 0);
}

// Holds a reference to another resource for as long as it exists, as forms hold their textures.
class cHolderResource : public cTypedResource<cHolderResource> {
 public:
  static constexpr const char* kTypeName = "holder";
  using cTypedResource::cTypedResource;
  bool Load() override { return true; }
  bool Unload() override { return true; }
  cResourcePtr<cDataResource> held;
};

TEST_F(Lifecycle, ShutDownNeverTouchesAResourceOfAGroupDeletedFirst) {
  // A holder in one group references a resource of another; whatever order the groups go in, the
  // holder's release must not read the other resource once that is deleted.
  const char* kGroups[] = {"data", "localization", "fsdata", "splash"};
  for (const char* holder_group : kGroups) {
    for (const char* held_group : kGroups) {
      if (std::string(holder_group) == held_group) continue;
      cResourceManager* manager = cResourceManager::GetInstance();
      for (const char* group : kGroups) {
        FixtureTree(Root(), group).AddFile(std::string(group) + "_file.bin", group);
        manager->AddDirectory(group);
      }
      auto* holder = new cHolderResource("holder", cResourceSource());
      Found(manager->GetLocation(holder_group)).AddResource(holder);
      ASSERT_TRUE(holder->held.Assign(std::string(held_group) + "_file"));
      delete cResourceManager::PeekInstance();
      EXPECT_TRUE(AllResources().IsEmpty());
    }
  }
}

}  // namespace
