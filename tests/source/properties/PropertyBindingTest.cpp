#include <gtest/gtest.h>

#include "source/properties/cBoundProperty.h"
#include "source/properties/PropertyMap.h"

namespace {

TEST(PropertyBinding, AValueSetAndNeverBoundStaysTextAsGiven) {
  PropertyMap map;
  SetPropertyValue(map, "name", "  0x1F, not a number ");
  EXPECT_EQ(GetPropertyValue(map, "name"), "  0x1F, not a number ");
  EXPECT_EQ(GetPropertyValue(map, "missing"), "");
}

// A float bound after "0.5" holds a half and prints six decimals.
TEST(PropertyBinding, ATextLoadedBeforeTheBinderReachesTheVariableElseItKeepsItsDefault) {
  PropertyMap map;
  SetPropertyValue(map, "video_width", "1024");
  SetPropertyValue(map, "sound_volume", "0.5");
  int width = 640, height = 480;
  float volume = 1.0f;
  BindProperty(map, "video_width", &width);
  BindProperty(map, "video_height", &height);
  BindProperty(map, "sound_volume", &volume);
  EXPECT_EQ(width, 1024);
  EXPECT_EQ(GetPropertyValue(map, "video_width"), "1024");
  EXPECT_EQ(height, 480);
  EXPECT_EQ(GetPropertyValue(map, "video_height"), "480");
  EXPECT_EQ(volume, 0.5f);
  EXPECT_EQ(GetPropertyValue(map, "sound_volume"), "0.500000");
}

TEST(PropertyBinding, SettingABoundNameWritesThroughAndReadingFollowsTheVariable) {
  PropertyMap map;
  int depth = 16;
  BindProperty(map, "video_depth", &depth);
  SetPropertyValue(map, "video_depth", "32");
  EXPECT_EQ(depth, 32);
  depth = 24;
  EXPECT_EQ(GetPropertyValue(map, "video_depth"), "24");
}

TEST(PropertyBinding, BindingTwiceMovesTheValueToTheSecondBinder) {
  PropertyMap map;
  int first = 5;
  int second = 0;
  BindProperty(map, "key", &first);
  BindProperty(map, "key", &second);
  EXPECT_EQ(second, 5);
  SetPropertyValue(map, "key", "9");
  EXPECT_EQ(second, 9);
  EXPECT_EQ(first, 5);  // the first binder is no longer reached
}

TEST(PropertyBinding, UnbindingKeepsTheLastValueAsText) {
  PropertyMap map;
  float volume = 0.25f;
  BindProperty(map, "music_volume", &volume);
  SetPropertyBinding(map, "music_volume", PropertyPtr());
  volume = 1.0f;  // the variable may go away now; the store keeps its own copy
  EXPECT_EQ(GetPropertyValue(map, "music_volume"), "0.250000");
}

TEST(PropertyBinding, BoolsAreTrueOnlyForExactlyOneOrTrue) {
  EXPECT_TRUE(ParseBool("1"));
  EXPECT_TRUE(ParseBool("true"));
  for (const char* text : {"TRUE", "True", "yes", " 1", "1 ", "true ", "2", "", "on"}) {
    EXPECT_FALSE(ParseBool(text)) << '"' << text << '"';
  }
  PropertyMap map;
  SetPropertyValue(map, "windowed", "TRUE");
  bool windowed = true;
  BindProperty(map, "windowed", &windowed);
  EXPECT_FALSE(windowed);
  EXPECT_EQ(GetPropertyValue(map, "windowed"), "false");
  SetPropertyValue(map, "windowed", "1");
  EXPECT_TRUE(windowed);
  EXPECT_EQ(GetPropertyValue(map, "windowed"), "true");
}

TEST(PropertyBinding, IntsReadLikeAtoi) {
  PropertyMap map;
  int value = 0;
  BindProperty(map, "n", &value);
  const struct {
    const char* text;
    int expected;
  } cases[] = {{"42", 42},  {"  -7", -7},          {"+3", 3},  {"12abc", 12},         {"abc", 0},
               {"", 0},     {"0x10", 0},           {"010", 10}, {"99999999999", 2147483647},
               {"-99999999999", -2147483647 - 1}, {"3.9", 3}};
  for (const auto& c : cases) {
    SetPropertyValue(map, "n", c.text);
    EXPECT_EQ(value, c.expected) << '"' << c.text << '"';
  }
}

TEST(PropertyBinding, FloatsReadLikeAtof) {
  PropertyMap map;
  float value = 7.0f;
  BindProperty(map, "f", &value);
  const struct {
    const char* text;
    float expected;
  } cases[] = {{"1.5", 1.5f}, {"  -2.25x", -2.25f}, {"1e2", 100.0f}, {"junk", 0.0f}, {"", 0.0f}, {".5", 0.5f}};
  for (const auto& c : cases) {
    SetPropertyValue(map, "f", c.text);
    EXPECT_EQ(value, c.expected) << '"' << c.text << '"';
  }
  value = -1.0f / 3.0f;
  EXPECT_EQ(GetPropertyValue(map, "f"), "-0.333333");
  value = 123456.789f;
  EXPECT_EQ(GetPropertyValue(map, "f"), "123456.789062");
}

TEST(PropertyBinding, ASetterThatReplacesItsOwnEntryIsSafe) {
  // A value object whose parsing rebinds its own name: the map entry it lives in goes away
  // while it runs.
  struct Rebinding : cProperty {
    explicit Rebinding(PropertyMap* map) : m_map(map) {}
    void SetFromString(const std::string& text) override {
      SetPropertyBinding(*m_map, "self", PropertyPtr(new cStringProperty("replaced")));
      m_seen = text;  // this object must still be alive here
    }
    std::string GetAsString() const override { return m_seen; }
    PropertyMap* m_map;
    std::string m_seen;
  };
  PropertyMap map;
  SetPropertyBinding(map, "self", PropertyPtr(new Rebinding(&map)));
  SetPropertyValue(map, "self", "go");
  EXPECT_EQ(GetPropertyValue(map, "self"), "");  // the replacement took the old (empty) text
}

TEST(PropertyBinding, UniqueNamesKeepTheirFirstPlace) {
  std::vector<std::string> list;
  EXPECT_TRUE(AppendUniqueName(list, "b"));
  EXPECT_TRUE(AppendUniqueName(list, "a"));
  EXPECT_FALSE(AppendUniqueName(list, "b"));
  EXPECT_EQ(list, (std::vector<std::string>{"b", "a"}));
}

}  // namespace
