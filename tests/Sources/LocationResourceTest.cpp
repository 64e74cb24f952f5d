// The "cnf" resource in the resource manager: its tree, its name sets and preloaded sounds across
// loads and unloads, its reports on the script, and the empty resource a damaged file leaves.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Sources/adventure/LocationResource.h"
#include "source/Resources/cDataResource.h"
#include "source/Resources/cResourceLocation.h"
#include "source/core/Singleton.h"
#include "source/log/cLog.h"
#include "source/properties/cProperties.h"
#include "tests/Sources/script/ScriptBytes.h"
#include "tests/support/Found.h"
#include "tests/support/TempDir.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

using Names = std::vector<std::string>;

Names List(const std::set<std::string>& set) { return Names(set.begin(), set.end()); }

std::string HallBytes() {
  const std::string children =
      NodeBytes("onload", {}, "", 0) + NodeBytes("game", {{0, "safe"}, {0, "clock"}}, "", 0) +
      NodeBytes("sound", {{0, "bell"}, {0, "door"}, {0, "missing"}}, "", 0) +
      NodeBytes("click", {}, "", 1, NodeBytes("sound", {{0, "bell"}}, "key", 0)) +
      NodeBytes("show", {{0, "lamp"}, {0, "key"}}, "", 0) + NodeBytes("isvisible", {{0, "door"}}, "", 0) +
      NodeBytes("flashshow", {{0, "glow"}}, "", 0) + NodeBytes("hint", {{0, "intro"}}, "", 0) +
      NodeBytes("hidelocation", {{0, "desk"}}, "", 0);
  return NodeBytes("root", {}, "", 9, children);
}

class LocationResourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DestroySingletons();
    cProperties* store = cProperties::GetInstance();
    for (const auto& [key, value] : {std::pair<const char*, std::string>{"short_name", "tarvel"},
                                     {"log_directory", m_log.Path()}, {"log", "true"}, {"hard_log", "true"}}) {
      store->SetValue(key, value);
    }
    cLog::GetInstance()->Open();
    RegisterLocationResourceType();
    cResourceManager::GetInstance()->RegisterResourceExtension("cnf", LocationResource::kTypeName);
    LocationResource::SetSoundAcquirer([](const std::string& name) -> cResource* { return cDataResource::Find(name); });
  }
  void TearDown() override {
    LocationResource::SetSoundAcquirer(nullptr);
    m_group.reset();
    DestroySingletons();
  }

  // Mounts a data group holding the script "levels\hall" and the sounds bell and door.
  LocationResource* Mount(const std::string& script) {
    FixtureTree(m_data.Path(), "data")
        .AddFile("levels\\hall.cnf", script)
        .AddFile("audio\\game\\bell.wav", "RIFF")
        .AddFile("audio\\game\\door.ogg", "OggS");
    m_group = std::make_unique<cResourceLocation>("data", m_data.Path());
    EXPECT_TRUE(m_group->Mount());
    return LocationResource::Find("levels\\hall");
  }
  int References(const std::string& sound) const {
    for (cResource* resource : m_group->GetResources()) {
      if (resource->GetName() == "audio\\game\\" + sound) return resource->GetRefCount();
    }
    return -1;
  }
  bool Logged(const std::string& text) const { return m_log.ReadFile("tarvel.html").find(text) != std::string::npos; }

  TempDir m_log{"velmaris-cnf-log"};
  TempDir m_data{"velmaris-cnf"};
  std::unique_ptr<cResourceLocation> m_group;
};

TEST_F(LocationResourceTest, LoadsCollectNamesAndPreloadEachSoundOnceAndUnloadsLetGoOfAll) {
  LocationResource* script = &Found(Mount(HallBytes()));
  EXPECT_TRUE(Logged("type: game<BR>result: <BR>param[0]safe<BR>param[1]clock<BR>Param count &gt; 1"));
  for (int load = 0; load < 3; ++load) {  // the resource's own load, a reload after the last release, a load over it
    ASSERT_NE(script->GetRoot(), nullptr);
    ASSERT_NE(script->GetOnLoad(), nullptr);
    EXPECT_EQ(Found(script->GetRoot()).children[3]->children[0]->id, 5u);
    EXPECT_EQ(List(script->GetGameNames()), Names{"safe"});
    EXPECT_EQ(List(script->GetSoundNames()), (Names{"bell", "door", "missing"}));
    EXPECT_EQ(List(script->GetObjectNames()), (Names{"door", "key", "lamp"}));
    EXPECT_EQ(List(script->GetHintNames()), Names{"intro"});
    EXPECT_EQ(List(script->GetLocationNames()), Names{"desk"});
    EXPECT_EQ(script->GetPreloadedSounds().size(), 2u);
    EXPECT_EQ(References("bell"), 1);
    EXPECT_EQ(References("door"), 1);
    if (load == 1) {
      EXPECT_TRUE(script->Load());
      continue;
    }
    EXPECT_EQ(cResource::Release(script), 0);
    EXPECT_EQ(script->GetRoot(), nullptr);
    EXPECT_EQ(script->GetOnLoad(), nullptr);
    EXPECT_TRUE(script->GetSoundNames().empty() && script->GetObjectNames().empty());
    EXPECT_TRUE(script->GetPreloadedSounds().empty());
    EXPECT_EQ(References("bell"), 0);
    if (load == 0) {
      ASSERT_EQ(LocationResource::Find("levels\\hall"), script);
    }
  }
  EXPECT_FALSE(Logged("OnLoad node not found"));
}

TEST_F(LocationResourceTest, ADamagedFileIsLoggedAndLeavesTheScriptEmpty) {
  const std::string whole = HallBytes();
  for (const std::string& bytes : {std::string(), whole.substr(0, whole.size() - 1),
                                   Str("root") + U32(0xFFFFFFF0u) + U32(0), ChainBytes(300)}) {
    LocationResource* script = &Found(Mount(bytes));
    EXPECT_EQ(script->GetRoot(), nullptr);
    EXPECT_EQ(script->GetOnLoad(), nullptr);
    EXPECT_TRUE(script->GetSoundNames().empty() && script->GetGameNames().empty());
    EXPECT_EQ(References("bell"), 0);
    EXPECT_FALSE(script->Load());
    cResource::Release(script);
  }
  EXPECT_TRUE(Logged("script levels\\hall is damaged and not used"));
  LocationResource sourceless("empty", cResourceSource());
  EXPECT_FALSE(sourceless.Load());
}

TEST_F(LocationResourceTest, ReportsOnTheScriptsShapeDoNotStopItsUse) {
  const std::string onload = NodeBytes("onload", {}, "", 0);
  struct Case {
    std::string bytes;
    std::string logged;
    uint32_t onload_id;  // 0: none
  };
  for (const Case& c : std::vector<Case>{{NodeBytes("root", {}, "", 0), "OnLoad node not found", 0},
                                         {NodeBytes("root", {}, "", 2, onload + onload), "OnLoad count &gt; 1", 2},
                                         {NodeBytes("root", {}, "", 1, onload) + "xyz", "has 3 bytes after its end", 1}}) {
    LocationResource* script = &Found(Mount(c.bytes));
    ASSERT_NE(script->GetRoot(), nullptr) << c.logged;
    EXPECT_EQ(script->GetOnLoad() != nullptr ? script->GetOnLoad()->id : 0u, c.onload_id) << c.logged;
    EXPECT_TRUE(Logged(c.logged)) << c.logged;
    cResource::Release(script);
  }
}

}  // namespace
