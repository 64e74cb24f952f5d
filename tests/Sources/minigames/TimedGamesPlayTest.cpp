// The switches, get-through-rays, signalling and music box games won on the bench through input
// alone, each by a solver that sees only what the player sees (which lamps are lit, the pictures
// the pieces show), with the shared random state seeded; and the ways each is lost.

#include <array>
#include <cmath>
#include <vector>

#include "Sources/minigames/MiniGameGetThroughRays.h"
#include "Sources/minigames/MiniGameMusicBox.h"
#include "Sources/minigames/MiniGamePictures.h"
#include "Sources/minigames/MiniGameSignalling.h"
#include "Sources/minigames/MiniGameSwitches.h"
#include "platform/audio/headless/HeadlessAudio.h"
#include "source/sound/cSoundManager.h"
#include "source/sound/cSoundPlayer.h"
#include "source/sound/cSoundResource.h"
#include "source/render/RenderObject.h"
#include "source/xml/XmlDocument.h"
#include "tests/Sources/minigames/PlayBench.h"
#include "tests/support/MemoryBytes.h"

namespace {

int Picture(const GUIWindow* piece) { return static_cast<int>(std::lround(GetPiecePicture(piece))); }

// ---- switches: follow the red light ---------------------------------------------------------------

class Switches : public PlayBench, public testing::WithParamInterface<uint32_t> {};

TEST_P(Switches, FollowingTheRedLightTurnsEverySwitchOff) {
  SetRandState(GetParam());
  auto* game = static_cast<MiniGameSwitches*>(Make("switches"));
  ASSERT_NE(game, nullptr);
  const int count = game->GetSwitchCount();
  ASSERT_GE(count, 4);
  Play(game);
  const auto lit = [&] {
    for (int i = 0; i < count; ++i) {
      if (IsShown(game->FindChild("light_red_" + std::to_string(i)))) return i;
    }
    return -1;
  };
  ASSERT_GE(lit(), 0) << "the light is on from the first working frame";
  EXPECT_LE(game->GetInterval(), 2.0f) << "two seconds with every switch on";
  // A switch the light does not mark stays on.
  const int other = (lit() + 1) % count;
  ClickPiece(*game, "switch_off_" + std::to_string(other));
  EXPECT_TRUE(IsShown(game->FindChild("switch_on_" + std::to_string(other))));
  EXPECT_EQ(game->GetResult(), "wait");
  for (int round = 0; round < 10 * count && game->GetResult() == "wait"; ++round) {
    const int marked = lit();
    if (marked < 0) {
      Frame();
      continue;
    }
    const std::size_t before = game->GetSwitchesOn().size();
    ClickPiece(*game, "switch_off_" + std::to_string(marked));
    if (game->GetResult() != "wait") break;
    ASSERT_EQ(game->GetSwitchesOn().size(), before - 1) << "the marked switch goes off";
    EXPECT_TRUE(IsShown(game->FindChild("switch_off_" + std::to_string(marked))));
    EXPECT_FALSE(IsShown(game->FindChild("switch_on_" + std::to_string(marked))));
    if (!game->GetSwitchesOn().empty()) {
      // The light moved at once, and stays the shorter the fewer switches are left.
      const float share = static_cast<float>(before - 1) / static_cast<float>(count);
      EXPECT_NEAR(game->GetInterval(), 2.0f * (0.2f + 0.8f * share) - 2 * kFrame, 1e-4f);
    }
  }
  EXPECT_EQ(game->GetResult(), "win");
  EXPECT_EQ(Stored("switches"), "win");
}

INSTANTIATE_TEST_SUITE_P(MiniGames, Switches, testing::Values(0u, 12345u));

// ---- get through rays: follow the arrows ----------------------------------------------------------

std::string Tile(int k) { return "picture_" + std::to_string(k + 1); }

// The tile the uncovered arrow points to, read from its picture as the player reads it.
int Follow(MiniGame& game, int from) {
  const int code = Picture(game.FindChild(Tile(from)));
  const int distance = code / 4 + 1, row = from / 5, column = from % 5;
  const int steps[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
  return (row + steps[code % 4][0] * distance) * 5 + column + steps[code % 4][1] * distance;
}

TEST_F(PlayBench, GetThroughRaysIsWonByFollowingTheArrows) {
  MiniGame* game = Start("get_through_rays");
  int current = -1, covered = 0;
  for (int k = 0; k < 25; ++k) {
    const int picture = Picture(game->FindChild(Tile(k)));
    if (picture == 15) ++covered;
    else current = k;
  }
  ASSERT_EQ(covered, 24) << "one tile shows its arrow";
  EXPECT_EQ(Follow(*game, current), 17) << "the first step is one up";
  for (int step = 0; step < 24; ++step) {
    const int next = Follow(*game, current);
    ASSERT_GE(next, 0);
    ASSERT_EQ(Picture(game->FindChild(Tile(next))), 15) << "the path visits every tile once";
    ClickPiece(*game, Tile(next));
    ASSERT_NE(Picture(game->FindChild(Tile(next))), 15) << step;
    current = next;
  }
  EXPECT_EQ(current, 2);
  ClickPiece(*game, Tile(7));  // ignored while the goal shows
  EXPECT_NE(Picture(game->FindChild(Tile(7))), 13) << "no error picture";
  ExpectWonAfter(*game, 1.8f, 0.2f);  // the win comes two seconds after the goal
}

struct WrongTile {
  int tile;       // the wrong tile clicked after the first right step
  int shown_after; // its picture once the game has ended
};

class GetThroughRaysWrongTile : public PlayBench, public testing::WithParamInterface<WrongTile> {};

TEST_P(GetThroughRaysWrongTile, ShowsTheErrorForASecondAndEndsWithTheEmptyWord) {
  const WrongTile& c = GetParam();
  MiniGame* game = Start("get_through_rays");
  ClickPiece(*game, Tile(17));
  ClickPiece(*game, Tile(c.tile));
  EXPECT_EQ(Picture(game->FindChild(Tile(c.tile))), 13) << "the error picture";
  ClickPiece(*game, Tile(15));  // ignored while the error shows
  EXPECT_EQ(Picture(game->FindChild(Tile(15))), 15);
  RunFor(1.0f);
  EXPECT_EQ(game->GetResult(), "");
  EXPECT_EQ(Stored("get_through_rays"), "");
  EXPECT_EQ(Picture(game->FindChild(Tile(c.tile))), c.shown_after);
}

INSTANTIATE_TEST_SUITE_P(MiniGames, GetThroughRaysWrongTile,
                         testing::Values(WrongTile{22, 0}, WrongTile{17, 5}, WrongTile{4, 15}, WrongTile{16, 15}));

// ---- signalling: put the lit balls out ------------------------------------------------------------

class Signalling : public PlayBench, public testing::WithParamInterface<uint32_t> {};

TEST_P(Signalling, PuttingOutTheLitBallsRunsTheClockDown) {
  SetRandState(GetParam());
  auto* game = static_cast<MiniGameSignalling*>(Make("signalling"));
  ASSERT_GT(game->GetBalls().size(), static_cast<std::size_t>(MiniGameSignalling::kMostLit));
  Play(game);
  EXPECT_FALSE(Found(PieceModel(game->GetBalls()[0].ball)).IsVisible()) << "a ball is a click area, never drawn";
  const GUIWindow* red = game->FindChild("bg_red");
  const GUIWindow* blue = game->FindChild("bg_blue");
  ASSERT_TRUE(red != nullptr && blue != nullptr);
  bool warned = false, fined = false;
  float highest = 0.0f;
  for (float t = 0.0f; t < 90.0f && game->GetResult() == "wait"; t += kFrame) {
    Frame();
    warned = warned || game->IsWarning();
    highest = std::max(highest, game->GetClock());
    for (std::size_t i = 0; i < game->GetBalls().size() && game->GetResult() == "wait"; ++i) {
      const std::string ball = "ball_" + std::to_string(i);
      const GUIWindow* glow = game->FindChild(ball + "_glow");
      if (!IsShown(glow)) continue;
      const Vector2 point = Found(PointOn(Found(game->FindChild(ball))));
      // A special ball is put out on its own colour only; one other is left to burn out (once,
      // it is put out to see what that costs).
      const int kind = static_cast<int>(ShaderFrame(glow));
      const bool own_field = kind == 0 || (kind == 1 && Picks(*red, point)) ||
                             (kind == 2 && Picks(*blue, point));
      if (!own_field && fined) continue;
      const float before = game->GetClock();
      Click(point);
      EXPECT_FALSE(IsShown(glow)) << ball;
      if (!own_field) {
        fined = true;
        EXPECT_NEAR(game->GetClock(), std::min(before + 5.0f, 180.0f) - 2 * kFrame, 0.05f) << "a fine of 5 s";
      }
    }
  }
  EXPECT_EQ(game->GetResult(), "win");
  EXPECT_TRUE(warned) << "the last five seconds warn";
  EXPECT_FALSE(game->IsWarning()) << "every sound stops with the game";
  EXPECT_LE(highest, 180.0f);
}

INSTANTIATE_TEST_SUITE_P(MiniGames, Signalling, testing::Values(0u, 777u, 4242u));

TEST_F(PlayBench, SignallingBallsLeftAloneBurnOutAndAddTime) {
  auto* game = Start<MiniGameSignalling>("signalling");
  RunFor(0.5f);
  // The digits read the clock: tens of minutes, minutes, tens of seconds, seconds.
  const float clock = game->GetClock() + kFrame;
  const std::array<int, 4> digits = {Picture(game->FindChild("number_3")), Picture(game->FindChild("number_2")),
                                     Picture(game->FindChild("number_1")), Picture(game->FindChild("number_0"))};
  EXPECT_EQ(digits[0] * 600 + digits[1] * 60 + digits[2] * 10 + digits[3], static_cast<int>(clock));
  std::size_t most_lit = 0;
  for (float t = 0.0f; t < 30.0f; t += kFrame) {
    Frame();
    most_lit = std::max(most_lit, game->GetLitBalls().size());
  }
  EXPECT_EQ(most_lit, static_cast<std::size_t>(MiniGameSignalling::kMostLit));
  EXPECT_GT(game->GetClock(), 20.0f) << "each ball burning out adds 2 s";
  EXPECT_EQ(game->GetResult(), "wait");
  EXPECT_EQ(game->GetLitBalls().size() + game->GetFreeBalls().size(), game->GetBalls().size());
  // Started again, the board is dark and lights anew.
  Begin(game);
  EXPECT_TRUE(game->GetLitBalls().empty());
  RunFor(0.5f);
  EXPECT_FALSE(game->GetLitBalls().empty());
  EXPECT_NEAR(game->GetClock(), 20.0f, 1.0f);
  // Left for the menu while it runs, it takes its hum along.
  cResourcePtr<cSoundResource> hum;
  ASSERT_TRUE(hum.Assign("audio\\game\\electro01"));
  EXPECT_TRUE(cSoundPlayer::GetInstance()->IsPlaying(hum));
  Destroy(game);
  Frame();
  EXPECT_FALSE(cSoundPlayer::GetInstance()->IsPlaying(hum));
}

TEST(SignallingRule, ABallLightsOnlyWhenOneIsDarkAndFewerThanSevenGlow) {
  struct Case {
    float delay;
    int32_t lit;
    std::size_t free;
    bool lights;
  };
  const Case cases[] = {{-0.01f, 0, 12, true}, {0.0f, 0, 12, false}, {-0.01f, 7, 5, false},
                        {-0.01f, 6, 1, true},  {-0.01f, 5, 0, false}, {-0.01f, 0, 0, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(MiniGameSignalling::CanLightBall(c.delay, c.lit, c.free), c.lights) << c.lit << " lit, " << c.free;
  }
}

// ---- music box: watch the tune, answer it ---------------------------------------------------------

constexpr const char* kColours[] = {"blue", "red", "yellow", "green"};
constexpr const char* kColourLamps[] = {"blue_shine", "red_shine", "yellow_shine", "green_shine"};
constexpr const char* kBigLamps[] = {"big_blue", "big_red", "big_yellow", "big_green"};

class MusicBoxBench : public PlayBench {
 protected:
  // Watches the light run around the ring: each time a coloured lamp lights up, the big lamp
  // beside it shows the note. The tune is over once every big lamp has gone dark again.
  std::vector<int> Listen(MiniGame& game, float most = 60.0f);
  // Frames while the sound thread's turns and the sound card play on, until the game has ended (the last stage's fanfare is
  // heard to its end first) or five seconds have passed.
  void HearOut(MiniGame& game) {
    for (float t = 0.0f; t < 5.0f && game.GetResult() == "wait"; t += kFrame) {
      cSoundManager::GetInstance()->Tick(kFrame);
      audio::headless::RenderMilliseconds(20);
      Frame();
    }
  }
};

std::vector<int> MusicBoxBench::Listen(MiniGame& game, float most) {
  std::vector<int> tune;
  std::array<bool, 4> was_lit{};
  for (float t = 0.0f; t < most; t += kFrame) {
    Frame();
    bool any_big = false;
    for (int k = 0; k < 4; ++k) {
      const bool lit = PlayBench::IsShown(game.FindChild(kColourLamps[k]));
      const GUIWindow* big = game.FindChild(kBigLamps[k]);
      if (lit && !was_lit[k] && PlayBench::IsShown(big)) tune.push_back(Picture(big));
      was_lit[k] = lit;
      any_big = any_big || PlayBench::IsShown(big);
    }
    if (!tune.empty() && !any_big) return tune;
  }
  return tune;
}

class MusicBox : public MusicBoxBench, public testing::WithParamInterface<uint32_t> {};

TEST_P(MusicBox, WatchingTheTuneAndAnsweringItWinsEveryStage) {
  SetRandState(GetParam());
  auto* game = static_cast<MiniGameMusicBox*>(Make("musicbox"));
  ASSERT_NE(game, nullptr);
  const std::vector<MiniGameMusicBox::Stage> stages = game->GetStages();
  ASSERT_EQ(stages.size(), 3u);
  Play(game);
  for (const auto& stage : stages) EXPECT_FALSE(Found(PieceModel(stage.success)).IsVisible()) << "no result drawn yet";
  ClickPiece(*game, "red");  // during the demonstration: ignored
  EXPECT_NE(game->GetPhase(), MiniGameMusicBox::kStageLost);
  bool lost_once = false;
  for (std::size_t stage = 0; stage < stages.size(); ++stage) {
    std::vector<int> tune = Listen(*game);
    ASSERT_EQ(tune.size(), static_cast<std::size_t>(stages[stage].count)) << "stage " << stage;
    EXPECT_EQ(tune, game->GetExpectedNotes());
    if (!lost_once) {
      // A wrong note: the failure picture, then the same stage with a new tune of as many notes.
      lost_once = true;
      ClickPiece(*game, kColours[(tune[0] + 1) % 4]);
      ASSERT_TRUE(IsShown(stages[stage].success));
      EXPECT_EQ(Picture(stages[stage].success), 1);
      RunFor(5.0f);
      EXPECT_FALSE(IsShown(stages[stage].success));
      tune = Listen(*game);
      ASSERT_EQ(tune.size(), static_cast<std::size_t>(stages[stage].count));
    }
    for (int note : tune) ClickPiece(*game, kColours[note]);
    ASSERT_TRUE(IsShown(stages[stage].success)) << "stage " << stage;
    EXPECT_EQ(Picture(stages[stage].success), 0);
    RunFor(5.0f);
  }
  HearOut(*game);
  EXPECT_EQ(game->GetResult(), "win");
  EXPECT_EQ(Stored("musicbox"), "win");
}

INSTANTIATE_TEST_SUITE_P(MiniGames, MusicBox, testing::Values(0u, 99u));

TEST_F(MusicBoxBench, StagesOfNoTimeOrNoNotesStillEnd) {
  XmlDocument document;
  const std::string xml =
      "<music_box><stages><stage/><stage time=\"0\" count=\"0\"/>"
      "<stage time=\"-2\" count=\"-5\" success=\"result_1\"/><stage time=\"nan\" count=\"x\" success=\"nothing\"/>"
      "<stage time=\"0.5\" count=\"2\"/></stages></music_box>";
  cMemoryStream text = StreamOf(xml);
  ASSERT_TRUE(document.Load(text));
  auto* game = static_cast<MiniGameMusicBox*>(Make("musicbox"));
  ASSERT_NE(game, nullptr);
  const auto find = [game](const std::string& name) { return game->FindChild(name); };
  std::vector<MiniGameMusicBox::Stage> stages = MiniGameMusicBox::ReadStages(document.GetRoot(), find);
  ASSERT_EQ(stages.size(), 5u);
  const float times[] = {1.0f, 1.0f, 1.0f, 1.0f, 0.5f};
  const int32_t counts[] = {1, 1, 1, 1, 2};
  for (std::size_t i = 0; i < stages.size(); ++i) {
    EXPECT_FLOAT_EQ(stages[i].time, times[i]) << i;
    EXPECT_EQ(stages[i].count, counts[i]) << i;
  }
  EXPECT_EQ(stages[2].success, game->FindChild("result_1"));
  EXPECT_EQ(stages[3].success, nullptr);
  // Played, such stages end: a one-note tune each, answered, then the win.
  stages.resize(2);
  game->SetStages(stages);
  Play(game);
  for (int stage = 0; stage < 2; ++stage) {
    const std::vector<int> tune = Listen(*game, 10.0f);
    ASSERT_EQ(tune.size(), 1u);
    ClickPiece(*game, kColours[tune[0]]);
    RunFor(5.0f);
  }
  HearOut(*game);
  EXPECT_EQ(game->GetResult(), "win");
  EXPECT_TRUE(MiniGameMusicBox::ReadStages(XmlDocument().GetRoot(), find).empty()) << "no <stages>";
  // Cut anywhere, the stages read are whole ones, each of some time and notes.
  for (std::size_t cut = 0; cut < xml.size(); cut += 5) {
    cMemoryStream part = StreamOf(xml.substr(0, cut));
    XmlDocument damaged;
    damaged.Load(part);
    for (const MiniGameMusicBox::Stage& stage : MiniGameMusicBox::ReadStages(damaged.GetRoot(), find)) {
      EXPECT_GT(stage.time, 0.0f) << cut;
      EXPECT_GE(stage.count, 1) << cut;
    }
  }
}

}  // namespace
