// The frame every mini-game shares, played on the bench through input alone: starting, the
// hold-off, leaving by a click beside the pieces, skipping for hints, the intro's pause, results
// kept in the stage's record, and a game deleted while it runs.

#include <functional>

#include "Sources/minigames/MiniGameBreakWindow.h"
#include "Sources/minigames/MiniGameDocument.h"
#include "Sources/minigames/MiniGameFactory.h"
#include "Sources/minigames/MiniGameMusicBox.h"
#include "Sources/minigames/MiniGameSafe.h"
#include "Sources/minigames/MiniGameSlingshot.h"
#include "gui/include/GUIWindowManager.h"
#include "tests/Sources/minigames/PlayBench.h"

namespace {

class MiniGameBase : public PlayBench {};

// A window that takes every mouse event offered to it, as the panel under a game does.
class Bystander : public GUIWindow {
 public:
  explicit Bystander(GUIWindow* parent) : GUIWindow(parent, "bystander") { MoveToFront(true); }
  bool HandleMouse(const Vector2&, bool) override { return true; }
};

TEST_F(MiniGameBase, APlainGameIsLeftByItsFirstClickOnceTheHoldOffHasRunOut) {
  MiniGame* game = &Found(Make("no_such_game"));
  EXPECT_EQ(game->GetState(), GUIStateWindow::kHidden);
  Begin(game);
  EXPECT_TRUE(host.exit_shown) << "the panel's exit button becomes the skip button";
  // Ten dispatches are ignored: a press and a release take two frames each, the first frame of
  // the start is not dispatched at all.
  for (int click = 0; click < 2; ++click) ClickBeside(*game);
  EXPECT_EQ(game->GetResult(), "wait");
  ClickBeside(*game);
  ClickBeside(*game);
  EXPECT_EQ(game->GetResult(), "close");
  EXPECT_EQ(Stored("no_such_game"), "close");
  EXPECT_FALSE(host.exit_shown);
  EXPECT_EQ(gui->GetRoot()->GetActiveChild(), nullptr) << "the mouse is let go";
  PlayOut(game);
  EXPECT_FALSE(IsShown(game));
}

// Each game is left by a click where none of its pieces is, and its stage keeps "close".
TEST_F(MiniGameBase, EachGameIsLeftByAClickBesideIt) {
  for (const char* name : {"clock", "circles", "gridlock", "collect_details", "round_puzzle", "lock",
                           "remember_pictures", "slingshot", "break_window", "safe", "foodmachine"}) {
    SCOPED_TRACE(name);
    MiniGame* game = Start(name);
    ClickBeside(*game);
    EXPECT_EQ(game->GetResult(), "close");
    EXPECT_EQ(Stored(name), "close");
    PlayOut(game);
    Destroy(game);
  }
}

TEST_F(MiniGameBase, ThePiecesTakeNoClickUntilTheHoldOffIsSpent) {
  auto* safe = &Found(static_cast<MiniGameSafe*>(Make("safe")));
  const Vector2 key = Found(PointOn(Found(safe->FindChild("safe_8"))));  // laid out while hidden
  Begin(safe);
  for (int frame = 0; frame < 3; ++frame) Frame();
  ASSERT_EQ(safe->GetState(), GUIStateWindow::kWorking);
  ASSERT_GT(safe->GetMouseHoldOff(), 4);
  Click(key);
  EXPECT_EQ(safe->GetNumber(), 0);
  Play(safe);
  Click(key);
  EXPECT_EQ(safe->GetNumber(), 8);
  EXPECT_EQ(safe->GetResult(), "wait");
  // Ten frames of a slow machine last seconds: a quarter of a second after the start, the player's
  // first click on the drawn game is taken.
  Destroy(safe);
  auto* slow = static_cast<MiniGameSafe*>(Make("safe"));
  ASSERT_NE(slow, nullptr);
  Begin(slow);
  for (int frame = 0; frame < 3; ++frame) Frame(0.4f);
  ASSERT_EQ(slow->GetState(), GUIStateWindow::kWorking);
  Click(key);
  EXPECT_EQ(slow->GetNumber(), 8);
}

struct SkipCase {
  int32_t hints;
  uint8_t cheat;
  const char* box;
  int32_t hints_after;
  const char* result;
  bool ended_under_the_question = false;  // the game ended by its own logic while the box was open
};

class Skip : public PlayBench, public testing::WithParamInterface<SkipCase> {};

TEST_P(Skip, CostsThreeHintsAndCountsAsWonUnlessTheGameEndedUnderTheQuestion) {
  const SkipCase& c = GetParam();
  profile.m_progress.m_hints = c.hints;
  profile.m_cheat_mode = c.cheat;
  MiniGame* game = &Found(Make("switches"));
  Play(game);
  ClickExitButton();
  EXPECT_EQ(host.box, c.box);
  if (c.ended_under_the_question) game->Finish("close");
  EXPECT_EQ(host.Answer(true), std::string(c.box) == "skip_minigame");
  EXPECT_EQ(profile.m_progress.m_hints, c.hints_after);
  EXPECT_EQ(game->GetResult(), c.result);
  EXPECT_EQ(host.hint_syncs, std::string(c.result) == "win" ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(MiniGameBase, Skip,
                         testing::Values(SkipCase{3, 0, "skip_minigame", 0, "win"},
                                         SkipCase{2, 0, "no_more_hints", 2, "wait"},
                                         SkipCase{5, 1, "skip_minigame", 2, "win"},
                                         SkipCase{1, 1, "skip_minigame", 0, "win"},
                                         SkipCase{3, 0, "skip_minigame", 3, "close", true}));

TEST_F(MiniGameBase, TheSafeOffersNoExitButtonAndIsStillLeftByAClickBeside) {
  MiniGame* safe = &Found(Make("safe"));
  Play(safe);
  EXPECT_FALSE(host.exit_shown);
  ClickExitButton();  // where the button would be: beside the safe
  EXPECT_TRUE(host.box.empty());
  EXPECT_EQ(safe->GetResult(), "close");
}

TEST_F(MiniGameBase, TheIntroPausesTheGameAndAClickBesideStillLeaves) {
  host.intro_key = "mini_game_safe";
  auto* safe = &Found(static_cast<MiniGameSafe*>(Make("safe")));
  const std::unique_ptr<Bystander> panel = std::make_unique<Bystander>(user);
  Begin(safe);
  EXPECT_EQ(host.intros_shown, 1);
  RunFor(1.0f);
  EXPECT_EQ(safe->GetState(), MiniGame::kPaused);
  ClickPiece(*safe, "safe_1");
  EXPECT_EQ(safe->GetNumber(), 0) << "a paused game's pieces take no clicks";
  // The hero stops speaking; the hint window had taken the mouse and lets it go.
  host.speaking = false;
  GUIWindow::SetActiveChild(user, nullptr);
  Frame();
  EXPECT_EQ(safe->GetState(), GUIStateWindow::kWorking);
  ClickPiece(*safe, "safe_1");
  EXPECT_EQ(safe->GetNumber(), 1);
  ClickBeside(*safe);
  EXPECT_EQ(safe->GetResult(), "close") << "the game holds the mouse again";
}

// A result is kept under the window's name and read back by the next game of that name. A won game
// played again and left, or lost, is still won: the profile and the hint search keep it solved,
// while the script waiting on the replay sees how the replay ended.
TEST_F(MiniGameBase, AWinIsKeptAndStaysHoweverAReplayEnds) {
  for (const char* replay_end : {"close", "lose"}) {
    SCOPED_TRACE(replay_end);
    Record().m_values.clear();
    MiniGame* phone = &Found(Make("phone"));
    EXPECT_EQ(phone->GetResult(), "");
    Play(phone);
    Type(*phone, "", "6042817");
    ASSERT_EQ(Stored("phone"), "win");
    MiniGame* next = &Found(Make("phone"));
    EXPECT_EQ(next->GetResult(), "win");
    EXPECT_TRUE(next->IsSolved());
    Destroy(next);
    PlayOut(phone);
    Play(phone);
    if (std::string(replay_end) == "close") {
      ClickBeside(*phone);
    } else {
      phone->Finish(replay_end);
    }
    EXPECT_EQ(phone->GetResult(), replay_end);
    EXPECT_EQ(Stored("phone"), "win");
    EXPECT_TRUE(phone->IsSolved());
    PlayOut(phone);
    Destroy(phone);
    EXPECT_TRUE(Found(Make("phone")).IsSolved()) << "read back from the profile";
  }
  // Without a record of the stage the word stays with the game alone.
  profile.m_stage = "location_9";
  MiniGame* elsewhere = &Found(Make("safe"));
  EXPECT_EQ(elsewhere->GetResult(), "");
  elsewhere->Finish("win");
  EXPECT_EQ(Record().m_values.count("safe"), 0u);
}

TEST_F(MiniGameBase, AClickWhileAWonGameDisappearsKeepsTheWin) {
  MiniGame* safe = &Found(Make("safe"));
  Play(safe);
  Type(*safe, "safe_", "8164");
  ClickPiece(*safe, "safe_enter");
  ASSERT_EQ(safe->GetResult(), "win");
  // A location that offers the mouse to its children still reaches the disappearing game.
  GUIWindow::SetActiveChild(user, safe);
  ClickBeside(*safe);
  EXPECT_EQ(safe->GetResult(), "win");
  EXPECT_EQ(Stored("safe"), "win");
}

TEST_F(MiniGameBase, AGameDeletedWhileItRunsLeavesNothingPointingAtIt) {
  MiniGame* game = Make("switches");
  Play(game);
  ClickExitButton();
  ASSERT_TRUE(host.yes_handler);
  host.intro_key.clear();
  Destroy(game);
  EXPECT_FALSE(host.exit_shown);
  EXPECT_FALSE(host.exit_handler);
  EXPECT_FALSE(host.yes_handler) << "the skip question no longer points at the game";
  EXPECT_EQ(gui->GetRoot()->GetActiveChild(), nullptr);
  Frame();
}

// Games on forms that lack what they need (or without any data at all) are logged, never read
// what is missing, and still end: left by a click beside them, or won where nothing is left to do.
TEST_F(MiniGameBase, GamesMissingPartsOfTheirFormsStillRunAndEnd) {
  struct Case {
    const char* name;
    std::function<MiniGame*()> make;  // checks what the made game shows before it starts
    float run;                        // seconds played, then
    bool leave;                       // a click beside it
    const char* result;               // nullptr: anything but "wait"
  };
  const auto unmounted = [this](const char* name) { return [this, name] { UnmountData(); return Make(name); }; };
  const Case cases[] = {
      {"a document without its form",
       [this] {
         MiniGame* game = Adopt(new MiniGameDocument("minigames\\location_99\\gone", "lawyer_letter", user));
         EXPECT_TRUE(LogHas("mini-game text: no form minigames\\location_99\\gone"));
         EXPECT_TRUE(LogHas("mini-game text has no piece text_0"));
         return game;
       }, 0.0f, true, "close"},
      {"a slingshot without targets",
       [this] {
         auto* game = new MiniGameSlingshot(user, "minigames\\location_6\\food_machine");
         EXPECT_EQ(game->GetTargetCount(), 0u);
         return Adopt(game);
       }, kFrame, false, "win"},
      {"a break window whose stone has no start",
       [this] {
         auto* game = new MiniGameBreakWindow(user, "minigames\\location_14\\slingshot\\slingshot");
         EXPECT_EQ(game->GetStartPosition().x, 0.0f);
         EXPECT_EQ(game->GetStartPosition().y, 0.0f);
         EXPECT_EQ(game->AngleTo(Vector2(0, 0)), 0.0f);
         return Adopt(game);
       }, 0.2f, true, "close"},
      {"a music box without stages",
       [this] {
         auto& game = static_cast<MiniGameMusicBox&>(Found(Make("musicbox")));
         game.SetStages({});
         return &game;
       }, 0.1f, false, "win"},
      // From here on the data is gone: these games find no form at all.
      {"a round puzzle without data", unmounted("round_puzzle"), 1.5f, true, nullptr},
      {"a lock without data", unmounted("lock"), 1.5f, true, nullptr},
      {"remember pictures without data", unmounted("remember_pictures"), 1.5f, true, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MiniGame* game = c.make();
    Play(game);
    RunFor(c.run);
    if (c.leave) ClickBeside(*game);
    if (c.result != nullptr) EXPECT_EQ(game->GetResult(), c.result);
    else EXPECT_NE(game->GetResult(), "wait");
    Destroy(game);
  }
}

TEST_F(MiniGameBase, TheFactoryKnowsEveryNameAndMakesAPlainGameForTheRest) {
  EXPECT_EQ(KnownMiniGameNames().size(), 25u);
  for (const std::string& name : KnownMiniGameNames()) {
    MiniGame* game = Make(name);
    ASSERT_NE(game, nullptr) << name;
    EXPECT_EQ(game->GetState(), GUIStateWindow::kHidden) << name;
  }
  EXPECT_FALSE(LogHas("has no piece")) << "every made game finds its pieces";
}

}  // namespace
