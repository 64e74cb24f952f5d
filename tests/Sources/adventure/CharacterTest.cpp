// Objects of a location: the fades of every kind, character animations picked by chance and
// drawn from frame textures, and the character file they come from.

#include "source/math/Rand.h"
#include "source/render/RenderObject.h"
#include "source/xml/XmlDocument.h"
#include "tests/Sources/adventure/LocationTestSupport.h"
#include "tests/support/MemoryBytes.h"

namespace {

constexpr const char* kCatStates =
    "<state name=\"sleep\" frames=\"0 3\" speed=\"4\"/><state name=\"wash\" frames=\"0 3\" speed=\"4\"/>"
    "<state name=\"stretch\" frames=\"0 3\" speed=\"4\"/>";

const std::vector<SceneObject> kYard = {{"yard_back", "b", 0, 0, 1024, 768},
                                        {"cat", "i", 100, 100, 80, 50, kCatStates},
                                        {"cart", "f", 300, 100, 200, 100},
                                        {"barrel", "i", 600, 100, 60, 80}};

bool Parse(XmlDocument& document, const std::string& text) {
  cMemoryStream bytes = StreamOf(text);
  return document.Parse(bytes);
}

class CharacterTest : public LocationTest {
 protected:
  Location& Yard(const std::string& script = "yard {\n onload\n}") {
    AddLocation("yard", kYard, script);
    return Enter("yard");
  }
};

TEST_F(CharacterTest, EveryKindFadesInAndOutInASecond) {
  Location& yard = Yard("yard {\n onload {\n show yard_back cart barrel {\n hide cart barrel\n }\n }\n}");
  Run(yard, 0.5f);
  for (const char* name : {"yard_back", "cart", "barrel"}) {
    EXPECT_EQ(Found(yard.FindObject(name)).GetState(), LocationCharacter::kFadingIn) << name;
    EXPECT_NEAR(Found(yard.FindObject(name)).GetAlpha(), 0.5f, 0.1f) << name;
  }
  Run(yard, 2.2f);
  EXPECT_EQ(Found(yard.FindObject("yard_back")).GetState(), LocationCharacter::kShown);
  for (const char* name : {"cart", "barrel"}) {
    EXPECT_EQ(Found(yard.FindObject(name)).GetState(), LocationCharacter::kHidden) << name;
    EXPECT_TRUE(Found(Found(yard.FindObject(name)).GetModel()).IsHidden()) << name;
  }
}

// Which animation a character plays next, and how many numbers its choice draws.
struct PickCase {
  const char* name;
  std::vector<CharacterAnimation> animations;
  uint32_t draws;
};

void PrintTo(const PickCase& c, std::ostream* out) { *out << c.name; }

const PickCase kPicks[] = {
    {"HundredAndZeroNeverRoll", {{"sleep", 100}, {"wash", 0}, {"stretch", 200}}, 0},
    {"EachChanceRollsOnce", {{"sleep", 0}, {"wash", 50}, {"stretch", 50}}, 2},
    {"AChanceAboveAHundredIsTakenModuloAHundred", {{"sleep", 0}, {"wash", 150}}, 1},
};

class PickTest : public CharacterTest, public ::testing::WithParamInterface<PickCase> {};

TEST_P(PickTest, RollsEachChanceAndPlaysTheLastSuccessOrTheFirst) {
  const PickCase& c = GetParam();
  CharacterDatabase::GetInstance()->Add("cat", CharacterEntry{c.animations, {}});
  Location& yard = Yard();
  Frame(yard);
  RenderObject* cat = Found(yard.FindObject("cat")).GetModel();
  ASSERT_TRUE(Found(yard.FindObject("cat")).HasCharacter());
  for (int round = 0; round < 20; ++round) {
    // What the rolls will give, worked out on a copy of the generator.
    const uint32_t start = g_rand_state;
    std::string expected = c.animations.front().name;
    for (const CharacterAnimation& a : c.animations) {
      if (a.probability % 100 != 0 && Rand() % 100 < a.probability % 100) expected = a.name;
    }
    const uint32_t after = g_rand_state;
    g_rand_state = start;
    cat->GetAnimation().SetPlaying(false);
    Found(yard.FindObject("cat")).Update(0.01f, LocationPointer());
    EXPECT_EQ(cat->GetAnimation().GetCurrentName(), expected);
    EXPECT_EQ(g_rand_state, after) << c.draws << " draws";
  }
}

INSTANTIATE_TEST_SUITE_P(Chances, PickTest, ::testing::ValuesIn(kPicks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CharacterTest, FramesWithoutShadersOrPastTheTexturesAreSkippedOrClamped) {
  // Shaders that do not exist, a texture of no frames and fewer frames than the animation has.
  CharacterDatabase::GetInstance()->Add(
      "cat", CharacterEntry{{{"sleep", 0}}, {{"cat_missing", 1}, {"cat_empty", 0}}});
  CharacterDatabase::GetInstance()->Add("barrel", CharacterEntry{{{"roll", 0}}, {{"barrel_frames", 4}}});
  Location& yard = Yard();
  EXPECT_TRUE(Found(yard.FindObject("cat")).HasCharacter());
  EXPECT_FALSE(Found(yard.FindObject("barrel")).HasCharacter()) << "the barrel's model has no \"roll\"";
  Run(yard, 3.0f);
  EXPECT_EQ(Found(yard.FindObject("cat")).GetState(), LocationCharacter::kShown);
}

TEST_F(CharacterTest, TheCharacterFileGivesEachCharacterItsAnimationsAndTextures) {
  XmlDocument file;
  ASSERT_TRUE(Parse(file,
      "<characters>"
      "<character name=\"cat\"><animations><a name=\"sleep\" probability=\"30\"/><a name=\"wash\"/></animations>"
      "<textures><t shader=\"cat_0\" frame_count=\"8\"/><t shader=\"cat_1\" frame_count=\"-3\"/></textures></character>"
      "<character name=\"dog\"/>"
      "<character name=\"cat\"><animations><a name=\"purr\" probability=\"x\"/></animations></character>"
      "</characters>"));
  CharacterDatabase& database = *CharacterDatabase::GetInstance();
  database.Read(file.GetRoot());
  const CharacterEntry* cat = &Found(database.Find("cat"));
  ASSERT_EQ(cat->animations.size(), 1u) << "the later character of a name replaces the earlier";
  EXPECT_EQ(cat->animations[0].name, "purr");
  EXPECT_EQ(cat->animations[0].probability, 0u);
  ASSERT_NE(database.Find("dog"), nullptr);
  EXPECT_TRUE(Found(database.Find("dog")).animations.empty());

  XmlDocument first;
  ASSERT_TRUE(Parse(first,
      "<c><character name=\"cat\"><textures><t shader=\"cat_0\" frame_count=\"8\"/>"
      "<t shader=\"cat_1\" frame_count=\"-3\"/></textures></character></c>"));
  database.Read(first.GetRoot());
  ASSERT_EQ(Found(database.Find("cat")).textures.size(), 2u);
  EXPECT_EQ(Found(database.Find("cat")).textures[0].frame_count, 8u);
  EXPECT_EQ(Found(database.Find("cat")).textures[1].frame_count, 0u) << "a negative count is none";
}

}  // namespace
