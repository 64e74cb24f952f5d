// The check of picture pairs refuses every texture the engine would refuse, resample or warn
// about, and names the element, the picture and what is wrong.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "tools/content/pictures/PicturePairs.h"
#include "tests/support/MemoryBytes.h"

namespace {

// The pictures "written": name, width, height, bits.
const std::map<std::string, PictureFacts> kPictures = {
    {"arrow", {32, 48, 24}},          {"arrow_a", {32, 48, 8}},       {"mark", {32, 64, 24}},
    {"mark_a", {32, 64, 8}},          {"mark_grey_a", {32, 64, 24}},  {"wide_a", {64, 64, 8}},
    {"deep", {32, 64, 32}},           {"map", {1024, 768, 24}},       {"map_padded", {1024, 1024, 24}},
    {"huge", {4096, 4096, 24}},       {"huge_a", {4096, 4096, 8}},
};

std::optional<PictureFacts> Find(const std::string& name) {
  auto found = kPictures.find(name);
  return found != kPictures.end() ? std::optional<PictureFacts>(found->second) : std::nullopt;
}

TEST(PicturePairs, RefusesWhatTheCombinerWouldNotTakeAsItIs) {
  struct Case {
    const char* diffuse;
    const char* opacity;
    const char* fault;  // a piece of the fault, or "" for none
  };
  const Case cases[] = {
      {"mark", "mark_a", ""},
      {"mark", "mark_grey_a", ""},   // a 24-bit grey opacity is still taken
      {"mark", "", ""},
      {"map_padded", "", ""},
      {"missing", "mark_a", ""},     // names are another check's concern
      {"mark", "missing_a", ""},
      {"arrow", "arrow_a", "arrow is 32 x 48: its sides must be powers of two"},
      {"mark", "arrow_a", "arrow_a is 32 x 48: its sides must be powers of two"},
      {"map", "", "map is 1024 x 768: its sides must be powers of two"},
      {"mark", "wide_a", "wide_a is 64 x 64 but mark is 32 x 64: a picture and its opacity must have the same size"},
      {"deep", "mark_a", "deep has 32 bits a pixel: a picture with an opacity must have 24"},
      {"deep", "", ""},              // a 32-bit picture alone keeps its own alpha
      {"huge", "huge_a", "huge is 4096 x 4096: no side may pass 2048"},
  };
  for (const Case& c : cases) {
    const std::string fault = PicturePairFault(c.diffuse, c.opacity, Find);
    if (*c.fault == '\0') {
      EXPECT_EQ(fault, "") << c.diffuse << " + " << c.opacity;
    } else {
      EXPECT_NE(fault.find(c.fault), std::string::npos) << c.diffuse << " + " << c.opacity << ": " << fault;
    }
  }
}

TEST(PicturePairs, FindsTheBadPairInARecipeWhereverItsElementSits) {
  const std::string recipe = R"(<?xml version="1.0" encoding="UTF-8"?>
<resources>
  <resource name="gui\map" type="shader" diffuse="map_padded" clamp="true"/>
  <resource name="gui\map_arrow" type="shader" diffuse="arrow" opacity="arrow_a" clamp="true"/>
  <resource name="scene" type="scene">
    <shaders>
      <shader name="fine" diffuse="mark" opacity="mark_a"/>
      <shader name="uneven" diffuse="mark" opacity="wide_a"/>
    </shaders>
  </resource>
</resources>
)";
  cMemoryStream bytes = StreamOf(recipe);
  XmlDocument document;
  ASSERT_TRUE(document.Load(bytes));
  const std::vector<std::string> faults = PicturePairFaults(document.GetRoot(), Find);
  ASSERT_EQ(faults.size(), 2u);
  EXPECT_EQ(faults[0].rfind("gui\\map_arrow: arrow is 32 x 48", 0), 0u) << faults[0];
  EXPECT_EQ(faults[1].rfind("uneven: wide_a is 64 x 64", 0), 0u) << faults[1];
}

}  // namespace
