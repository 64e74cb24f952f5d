// Pack entries become resources when first asked for: lookups across groups must still find the
// newest of a name, typed lookups only their own type, and the name table must survive many
// names entered and taken out in any order.

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "source/Resources/cDataResource.h"
#include "source/Resources/cResourceLocation.h"
#include "tests/source/Resources/ResourceTestBase.h"
#include "tests/support/MemoryBytes.h"

namespace {

// A pack of counting resources: each name holds "<group>:<name>".
std::string PackOf(const std::string& group, const std::vector<std::string>& names) {
  PackImage image;
  image.types = {"counting"};
  image.names = names;
  for (uint32_t i = 0; i < names.size(); ++i) image.entries.push_back({0, i, 1, group + ":" + names[i]});
  return image.Build();
}

class PackLookup : public ResourceTest {
 protected:
  // Mounts each group in turn: a pack ("p" + name) or a folder ("f" + name) holding "title".
  void MountGroups(const std::vector<std::string>& groups) {
    for (const std::string& group : groups) {
      auto location = std::make_unique<cResourceLocation>(group.substr(1), Root());
      if (group[0] == 'p') {
        ASSERT_TRUE(location->MountPack(CountedStreamOf(PackOf(group.substr(1), {"other", "title"}))));
      } else {
        location->AddResource(new cCountingResource("title", cResourceSource::FromFile("missing")));
      }
      m_groups.push_back(std::move(location));
    }
  }
  // The group whose "title" a lookup finds ("" when none).
  std::string TitleGroup() {
    cResource* found = AllResources().Find("title");
    if (found == nullptr) return "";
    for (const auto& group : m_groups) {
      const auto all = group->GetResources();
      if (std::find(all.begin(), all.end(), found) != all.end()) return group->GetName();
    }
    return "?";
  }
  void TearDown() override {
    m_groups.clear();
    ResourceTest::TearDown();
  }

  std::vector<std::unique_ptr<cResourceLocation>> m_groups;
};

TEST_F(PackLookup, TheNewestGroupWinsWhateverWasMadeWhen) {
  struct Case {
    std::vector<std::string> groups;  // mounted in this order
    bool look_first;                  // a lookup before the groups are dropped newest first
    std::vector<std::string> winners;  // after each drop, newest first, until none is left
  };
  const Case cases[] = {
      {{"pa", "pb"}, true, {"b", "a", ""}},
      {{"pa", "pb"}, false, {"b", "a", ""}},
      {{"fa", "pb"}, false, {"b", "a", ""}},
      {{"pa", "fb"}, true, {"b", "a", ""}},
      {{"pa", "fb", "pc"}, false, {"c", "b", "a", ""}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.groups.back());
    MountGroups(test.groups);
    if (test.look_first) AllResources().Find("title");
    for (const std::string& winner : test.winners) {
      EXPECT_EQ(TitleGroup(), winner);
      if (!m_groups.empty()) m_groups.pop_back();
    }
    EXPECT_TRUE(AllResources().IsEmpty());
  }
}

TEST_F(PackLookup, EntriesAreMadeOnceAndOnlyForTheirOwnType) {
  cResourceLocation location("data", Root());
  PackImage image;
  image.types = {"counting", "note"};
  image.names = {"twice", "sign"};
  image.entries = {{0, 0, 1, "first"}, {1, 1, 1, "note"}, {0, 0, 1, "second"}};
  ASSERT_TRUE(location.MountPack(CountedStreamOf(image.Build())));
  Logged([] { EXPECT_EQ(cCountingResource::Find("sign"), nullptr); });

  // Two entries of one name: the later one wins, however the first is reached.
  cCountingResource* twice = cCountingResource::Find("twice");
  ASSERT_NE(twice, nullptr);
  EXPECT_EQ(twice->Text(), "second");
  EXPECT_EQ(twice, location.GetResource(2));
  cResource::Release(twice);
  EXPECT_EQ(location.GetResources().size(), 3u);
  EXPECT_EQ(location.GetResource(1), AllResources().Find("sign"));

  // Made entries are held like any other: taken once, and a new one is added after them.
  location.AddResource(location.GetResource(0));
  location.AddResource(new cDataResource("extra", cResourceSource()));
  EXPECT_EQ(location.GetResourceCount(), 4u);
}

TEST_F(PackLookup, AMissingNameIsNotFoundAndLogged) {
  cResourceLocation location("data", Root());
  ASSERT_TRUE(location.MountPack(CountedStreamOf(PackOf("data", {"kept"}))));
  const std::string log = Logged([] { EXPECT_EQ(cCountingResource::Find("lost"), nullptr); });
  EXPECT_NE(log.find("Resource:lost not found"), std::string::npos) << log;
  location.UnregisterAll();
  Logged([] { EXPECT_EQ(cCountingResource::Find("kept"), nullptr); });
}

TEST(NameTable, ManyNamesEnteredAndTakenOutInAnyOrderAreAllFound) {
  std::vector<std::unique_ptr<cDataResource>> resources;
  std::map<std::string, std::vector<cResource*>> expected;  // holders of each name, newest last
  for (int i = 0; i < 3000; ++i) {
    // Every tenth name is held twice, as by two groups.
    const std::string name = "gui\\item_" + std::to_string(i % 10 == 0 ? i + 1 : i);
    resources.push_back(std::make_unique<cDataResource>(name, cResourceSource()));
  }
  cResourceRegistry registry;
  for (auto& resource : resources) {
    registry.Add(resource.get());
    expected[resource->GetName()].push_back(resource.get());
  }
  std::vector<cResource*> order;
  for (auto& resource : resources) order.push_back(resource.get());
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  for (std::size_t step = 0; step < order.size(); ++step) {
    registry.Remove(order[step]);
    auto& holders = expected[order[step]->GetName()];
    holders.erase(std::find(holders.begin(), holders.end(), order[step]));
    if (step % 300 != 0) continue;
    for (const auto& [name, held] : expected) {
      ASSERT_EQ(registry.FindRegistered(name), held.empty() ? nullptr : held.back()) << step << " " << name;
    }
  }
  EXPECT_TRUE(registry.IsEmpty());
}

}  // namespace
