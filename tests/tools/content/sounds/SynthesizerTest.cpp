// The synthesiser's note lines: where a line begins and how often it plays decide the sound's
// length and where its notes sound; a recipe that asks for what cannot be played is refused.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "tools/content/sounds/SoundRecipe.h"

namespace {

constexpr int kRate = 8000;

SoundRecipe Tune(float tempo, bool loop, std::vector<NoteLine> lines) {
  SoundRecipe recipe;
  recipe.name = "audio/music/test";
  recipe.rate = kRate;
  recipe.tempo = tempo;
  recipe.loop = loop;
  recipe.lines = std::move(lines);
  return recipe;
}

NoteLine Line(const std::string& notes, float start = 0, int repeat = 1, const std::string& voice = "pluck") {
  NoteLine line;
  line.voice = voice;
  line.notes = notes;
  line.start = start;
  line.repeat = repeat;
  line.level = 0.5f;
  return line;
}

// The loudest sample within the second from `from`.
float PeakIn(const std::vector<float>& samples, double from, double seconds) {
  float peak = 0.0f;
  const auto first = static_cast<size_t>(from * kRate);
  const auto last = std::min(samples.size(), static_cast<size_t>((from + seconds) * kRate));
  for (size_t i = first; i < last; ++i) peak = std::max(peak, std::fabs(samples[i]));
  return peak;
}

TEST(Synthesizer, ALoopingTuneLastsItsStartAndItsRepeatedBeats) {
  struct Case {
    const char* what;
    std::vector<NoteLine> lines;
    double seconds;  // at 60 beats a minute, a beat a second
  } cases[] = {
      {"one line once", {Line("C4:1 D4:1")}, 2.0},
      {"repeated", {Line("C4:1 D4:1", 0, 3)}, 6.0},
      {"begun late", {Line("C4:1 D4:1", 4)}, 6.0},
      {"begun late and repeated", {Line("C4:1 D4:1", 4, 2)}, 8.0},
      {"the longest line counts", {Line("C4:4"), Line("E4:1", 1, 2)}, 4.0},
      {"a late line is longest", {Line("C4:4"), Line("E4:2", 6, 2)}, 10.0},
  };
  for (const Case& c : cases) {
    std::string error;
    const std::vector<float> samples = SynthesizeSound(Tune(60, true, c.lines), error);
    EXPECT_TRUE(error.empty()) << c.what << ": " << error;
    EXPECT_EQ(samples.size(), static_cast<size_t>(c.seconds * kRate)) << c.what;
  }
}

TEST(Synthesizer, ALineSoundsFromItsStartAndSilentBefore) {
  std::string error;
  // A short pluck at beat 3, played twice, two beats apart; nothing else.
  const std::vector<float> samples = SynthesizeSound(Tune(60, false, {Line("A4:0.25 -:1.75", 3, 2)}), error);
  ASSERT_TRUE(error.empty()) << error;
  EXPECT_EQ(PeakIn(samples, 0.0, 2.9), 0.0f) << "nothing sounds before the line begins";
  EXPECT_GT(PeakIn(samples, 3.0, 0.2), 0.1f) << "the first note";
  EXPECT_GT(PeakIn(samples, 5.0, 0.2), 0.1f) << "the repeat's note";
  EXPECT_LT(PeakIn(samples, 4.6, 0.3), PeakIn(samples, 5.0, 0.2) / 4) << "the first note has rung down by then";
}

TEST(Synthesizer, RecipesWithLinesThatCannotBePlayedAreRefused) {
  const TempDir folder;
  struct Case {
    const char* what;
    const char* notes;
    bool read;
  } cases[] = {
      {"a plain line", R"(<notes voice="bell" start="2" repeat="3">C4:1</notes>)", true},
      {"no repeat", R"(<notes voice="bell" repeat="0">C4:1</notes>)", false},
      {"too many repeats", R"(<notes voice="bell" repeat="65">C4:1</notes>)", false},
      {"a repeat that is no number", R"(<notes voice="bell" repeat="twice">C4:1</notes>)", false},
      {"a start before the sound", R"(<notes voice="bell" start="-1">C4:1</notes>)", false},
      {"an unknown voice", R"(<notes voice="horn">C4:1</notes>)", false},
  };
  for (const Case& c : cases) {
    folder.WriteFile("sounds.xml", std::string("<sounds><sound name=\"a\" format=\"ogg\" loop=\"true\">") + c.notes + "</sound></sounds>");
    const std::string path = folder / "sounds.xml";
    std::vector<SoundRecipe> recipes;
    std::string error;
    EXPECT_EQ(ReadSoundRecipes(path, recipes, error), c.read) << c.what << ": " << error;
    if (c.read) {
      ASSERT_EQ(recipes.size(), 1u);
      ASSERT_EQ(recipes[0].lines.size(), 1u);
      EXPECT_EQ(recipes[0].lines[0].start, 2.0f);
      EXPECT_EQ(recipes[0].lines[0].repeat, 3);
    }
  }
}

}  // namespace
