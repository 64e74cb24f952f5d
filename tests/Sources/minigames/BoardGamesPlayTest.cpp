// The round puzzle, the lock and remember pictures played on the bench through input alone: the
// puzzle solved by a search over the arrangements the bench sees, the lock opened by trial, the
// pictures remembered while the cover is open; and the ways each is lost.

#include <array>
#include <cmath>
#include <map>
#include <queue>

#include "Sources/minigames/MiniGameLock.h"
#include "Sources/minigames/MiniGameRememberPictures.h"
#include "Sources/minigames/MiniGameRoundPuzzle.h"
#include "source/render/RenderObject.h"
#include "tests/Sources/minigames/PlayBench.h"

namespace {

// ---- the round puzzle ------------------------------------------------------------------------------
// A board as the player sees it: the chip on each spot, spot 0 the centre and spot k the point
// carved for chip k.
using Board = std::array<int, 7>;

Board SeeBoard(MiniGame& game) {
  Board board{};
  board.fill(-1);
  for (int chip = 0; chip < 7; ++chip) {
    const Vector3 at = PlayBench::Pose(Found(game.FindChild("chip_" + std::to_string(chip))));
    for (int spot = 0; spot < 7; ++spot) {
      const Vector3 point = PlayBench::Pose(Found(game.FindChild("point_" + std::to_string(spot))));
      if (std::fabs(at.x - point.x) < 1.0f && std::fabs(at.y - point.y) < 1.0f) board[spot] = chip;
    }
  }
  return board;
}

// The spots a turn button carries round, read off the board: the centre and the two ring spots
// nearest the button.
std::array<int, 3> SpotsOf(MiniGame& game, int button) {
  const Vector3 b = PlayBench::Pose(Found(game.FindChild("button_turn_" + std::to_string(button))));
  std::multimap<float, int> by_distance;
  for (int spot = 1; spot < 7; ++spot) {
    const Vector3 p = PlayBench::Pose(Found(game.FindChild("point_" + std::to_string(spot))));
    by_distance.emplace(std::hypot(p.x - b.x, p.y - b.y), spot);
  }
  auto nearest = by_distance.begin();
  const int first = nearest->second, second = std::next(nearest)->second;
  // Turns run the way the ring is numbered: the centre chip goes to the lower of the two.
  const bool wraps = (first == 1 && second == 6) || (first == 6 && second == 1);
  const int from = wraps ? 6 : std::min(first, second), to = wraps ? 1 : std::max(first, second);
  return {0, from, to};
}

Board Turned(Board board, const std::array<int, 3>& spots) {
  const int last = board[spots[2]];
  board[spots[2]] = board[spots[1]];
  board[spots[1]] = board[spots[0]];
  board[spots[0]] = last;
  return board;
}

// The shortest list of buttons from the board to the solved one (every chip on its own spot).
std::vector<int> Solve(const Board& start, const std::vector<std::array<int, 3>>& turns, std::size_t* seen) {
  const Board solved = {0, 1, 2, 3, 4, 5, 6};
  std::map<Board, std::pair<Board, int>> from{{start, {start, -1}}};
  std::queue<Board> open;
  open.push(start);
  while (!open.empty()) {
    const Board board = open.front();
    open.pop();
    for (int button = 0; button < static_cast<int>(turns.size()); ++button) {
      const Board next = Turned(board, turns[static_cast<std::size_t>(button)]);
      if (from.emplace(next, std::pair{board, button}).second) open.push(next);
    }
  }
  *seen = from.size();
  std::vector<int> buttons;
  for (Board at = solved; from.count(at) != 0 && at != start; at = from[at].first) buttons.insert(buttons.begin(), from[at].second);
  return buttons;
}

int LitSymbols(MiniGame& game) {
  int lit = 0;
  for (int k = 1; k < 7; ++k) lit += PlayBench::IsShown(game.FindChild("symbol_" + std::to_string(k))) ? 1 : 0;
  return lit;
}

class RoundPuzzle : public PlayBench, public testing::WithParamInterface<uint32_t> {};

TEST_P(RoundPuzzle, ASearchOverWhatTheBoardShowsSolvesItAndTheWinFollowsTwoSecondsLater) {
  SetRandState(GetParam());
  auto* puzzle = Start<MiniGameRoundPuzzle>("round_puzzle");
  const Board start = SeeBoard(*puzzle);
  ASSERT_EQ(std::count(start.begin(), start.end(), -1), 0) << "every chip stands on a spot";
  EXPECT_LT(LitSymbols(*puzzle), 6) << "never handed over solved";
  std::vector<std::array<int, 3>> turns;
  for (int button = 0; button < 6; ++button) turns.push_back(SpotsOf(*puzzle, button));
  std::size_t seen = 0;
  const std::vector<int> buttons = Solve(start, turns, &seen);
  EXPECT_EQ(seen, 2520u) << "the turns reach every even arrangement";
  for (int button : buttons) {
    ClickPiece(*puzzle, "button_turn_" + std::to_string(button));
    ClickPiece(*puzzle, "button_turn_" + std::to_string((button + 1) % 6));  // ignored: it still turns
    RunFor(0.9f);
  }
  EXPECT_EQ(SeeBoard(*puzzle), (Board{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(LitSymbols(*puzzle), 6);
  ClickPiece(*puzzle, "button_turn_0");  // solved: turns no more
  ExpectWonAfter(*puzzle, 1.5f, 0.6f);
  EXPECT_EQ(SeeBoard(*puzzle), (Board{0, 1, 2, 3, 4, 5, 6}));
}

INSTANTIATE_TEST_SUITE_P(MiniGames, RoundPuzzle, testing::Values(0u, 12345u, 0xDEADBEEFu));

TEST_F(PlayBench, RoundPuzzleTurnsComeBackAfterThreeAndAClickBesideLeavesIt) {
  auto* puzzle = Start<MiniGameRoundPuzzle>("round_puzzle");
  const Board start = SeeBoard(*puzzle);
  for (int i = 0; i < 3; ++i) {
    ClickPiece(*puzzle, "button_turn_2");
    RunFor(0.9f);
    if (i < 2) {
      EXPECT_NE(SeeBoard(*puzzle), start);
    }
  }
  EXPECT_EQ(SeeBoard(*puzzle), start);
  ClickBeside(*puzzle);
  EXPECT_EQ(puzzle->GetResult(), "close");
}

TEST_F(PlayBench, RoundPuzzleShuffleNeverLeavesItSolved) {
  auto* puzzle = &Found(static_cast<MiniGameRoundPuzzle*>(Make("round_puzzle")));
  // A random state whose next three draws name one button: those turns bring every chip home.
  uint32_t state = 1;
  for (;; ++state) {
    SetRandState(state);
    const uint32_t a = Rand() % 6, b = Rand() % 6, c = Rand() % 6;
    if (a == b && b == c) break;
  }
  SetRandState(state);
  EXPECT_EQ(puzzle->Shuffle(3, false), 3);
  EXPECT_LT(puzzle->CountHome(), 6);
}

// ---- the lock ----------------------------------------------------------------------------------------
bool MarkLit(MiniGame& game, int rod) { return PlayBench::IsShown(game.FindChild("mark" + std::to_string(rod + 1))); }

class LockBench : public PlayBench {
 public:
  // Clicks the rod and waits until it has come to rest (and a wrong attempt has sprung back).
  void Push(MiniGame& game, int rod) {
    ClickPiece(game, "rod" + std::to_string(rod + 1));
    RunFor(1.6f);
  }
};

TEST_F(LockBench, TrialFindsTheOrderAndFourRightRodsOpenIt) {
  SetRandState(777);
  auto* lock = Start<MiniGameLock>("lock");
  std::vector<int> known;  // the right rods found so far, in order
  int attempts = 0;
  while (lock->GetResult() == "wait" && attempts++ < 10) {
    for (int rod = 0; rod < 4; ++rod) {
      if (std::find(known.begin(), known.end(), rod) != known.end()) continue;
      Push(*lock, rod);
      if (lock->GetResult() == "win" || MarkLit(*lock, rod)) {
        known.push_back(rod);
        break;
      }
      for (int again : known) Push(*lock, again);  // sprung back: the right ones once more
    }
  }
  EXPECT_EQ(lock->GetResult(), "win");
  EXPECT_EQ(known, std::vector<int>(lock->GetRightOrder().begin(), lock->GetRightOrder().end()));
}

// Clicks name places in the right order; a place named again is a rod already at its middle, which
// does not move but is a mistake all the same: the lock springs back when the next rod stops.
TEST_F(LockBench, OnlyFourRightRodsWithNoMistakeBetweenOpenIt) {
  const struct {
    const char* what;
    std::vector<int> clicks;
    int moves_before_last;
    bool wins;
  } cases[] = {
      {"four right rods", {0, 1, 2, 3}, 3, true},
      {"the first rod at its middle clicked as the fourth, then the right one", {0, 1, 2, 0, 3}, 3, false},
      {"the third rod at its middle clicked as the fourth, then the right one", {0, 1, 2, 2, 3}, 3, false},
      {"a rod at its middle clicked as the third, then the right ones", {0, 1, 0, 2}, 2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto* lock = Start<MiniGameLock>("lock");
    const auto order = lock->GetRightOrder();
    for (std::size_t i = 0; i + 1 < c.clicks.size(); ++i) Push(*lock, order[c.clicks[i]]);
    EXPECT_EQ(lock->GetMoves(), c.moves_before_last) << "a rod at its middle does not move";
    for (int place = 0; place < c.moves_before_last; ++place) EXPECT_TRUE(MarkLit(*lock, order[place]));
    Push(*lock, order[c.clicks.back()]);
    EXPECT_EQ(lock->GetResult(), c.wins ? "win" : "wait");
    if (!c.wins) {
      for (int rod = 0; rod < 4; ++rod) EXPECT_FALSE(MarkLit(*lock, rod)) << "sprung back: rod " << rod;
      EXPECT_EQ(lock->GetMoves(), 0);
    }
    Destroy(lock);
  }
}

TEST_F(LockBench, AWrongRodStillMovesThenTheLockSpringsBackAndClicksWhileBusyAreIgnored) {
  auto* lock = Start<MiniGameLock>("lock");
  const auto order = lock->GetRightOrder();
  Push(*lock, order[0]);
  Push(*lock, order[1]);
  ClickPiece(*lock, "rod" + std::to_string(order[3] + 1));  // wrong as the third
  ClickPiece(*lock, "rod" + std::to_string(order[2] + 1));  // while it moves: ignored
  EXPECT_EQ(lock->GetMoves(), 3);
  RunFor(0.6f);
  EXPECT_TRUE(MarkLit(*lock, order[3])) << "the wrong rod still comes to its middle";
  RunFor(1.2f);
  for (int rod = 0; rod < 4; ++rod) EXPECT_FALSE(MarkLit(*lock, rod)) << "sprung back";
  EXPECT_EQ(lock->GetMoves(), 0);
  EXPECT_EQ(lock->GetResult(), "wait");
  // Paused while the hero speaks and resumed, the rods stay where the player put them.
  Push(*lock, order[0]);
  host.speaking = true;
  RunFor(0.2f);
  host.speaking = false;
  RunFor(0.2f);
  EXPECT_TRUE(MarkLit(*lock, order[0]));
  const RenderObject* rod = Found(lock->FindChild("rod" + std::to_string(order[0] + 1))).GetVisual().GetModel();
  EXPECT_FLOAT_EQ(rod->GetAnimation().GetTime(), 10.0f) << "still in its middle";
  EXPECT_EQ(lock->GetMoves(), 1);
}

// ---- remember pictures -----------------------------------------------------------------------------
class Remember : public PlayBench {
 public:
  // Frames until the cover has come to rest open (true) or shut (false).
  bool WaitForCover(MiniGame& game, bool open) {
    const AnimationController& cover = Found(Found(game.FindChild("cover")).GetVisual().GetModel()).GetAnimation();
    for (float t = 0.0f; t < 6.0f; t += kFrame) {
      if (!cover.IsPlaying() && (cover.GetTime() == 0.0f) == open && cover.GetTime() >= 0.0f) return true;
      Frame();
    }
    return false;
  }
  std::vector<int> Watch(MiniGame& game) {
    std::vector<int> seen;
    if (!WaitForCover(game, true)) return seen;
    for (int k = 0; k < 3; ++k) seen.push_back(static_cast<int>(ShaderFrame(game.FindChild("picture_" + std::to_string(k)))));
    return seen;
  }
  void Answer(MiniGame& game, const std::vector<int>& icons) {
    ASSERT_TRUE(WaitForCover(game, false));
    RunFor(0.1f);
    for (int icon : icons) ClickPiece(game, "icon_" + std::to_string(icon) + "_off");
  }
};

TEST_F(Remember, WatchedPicturesAreFoundTurnByTurnAndTheLastIconLightsByItself) {
  SetRandState(4242);
  auto* game = Start<MiniGameRememberPictures>("remember_pictures");
  ASSERT_EQ(game->CountIcons(), 10);
  for (int turn = 0; turn < 3; ++turn) {
    const std::vector<int> seen = Watch(*game);
    ASSERT_EQ(seen.size(), 3u);
    ASSERT_NO_FATAL_FAILURE(Answer(*game, seen));
    RunFor(0.6f);
    for (int icon : seen) EXPECT_TRUE(IsShown(game->FindChild("icon_" + std::to_string(icon) + "_on"))) << icon;
  }
  RunFor(1.0f);  // the last icon lights; the win follows two seconds after the turn began
  EXPECT_EQ(game->GetPhase(), MiniGameRememberPictures::kEnding);
  RunFor(1.2f);
  EXPECT_EQ(game->GetResult(), "win");
}

TEST_F(Remember, ClicksBeforeTheCoverShutsAreIgnoredAndAWrongIconStartsANewTurn) {
  auto* game = Start<MiniGameRememberPictures>("remember_pictures");
  const std::vector<int> seen = Watch(*game);
  ASSERT_EQ(seen.size(), 3u);
  ClickPiece(*game, "icon_" + std::to_string(seen[0]) + "_off");  // the cover is still open
  EXPECT_EQ(game->GetPool().size(), 7u);
  ASSERT_NO_FATAL_FAILURE(Answer(*game, {seen[0]}));
  ClickPiece(*game, "icon_" + std::to_string(seen[0]) + "_off");  // lit already: ignored
  int wrong = 0;
  while (std::find(seen.begin(), seen.end(), wrong) != seen.end()) ++wrong;
  ClickPiece(*game, "icon_" + std::to_string(wrong) + "_off");
  EXPECT_EQ(game->GetPhase(), MiniGameRememberPictures::kOpening) << "a new turn at once";
  EXPECT_EQ(game->GetPool().size(), 7u) << "the turn's icons went back before three were drawn again";
  RunFor(1.5f);
  EXPECT_EQ(game->GetResult(), "wait");
  EXPECT_FALSE(game->IsIconSolved(seen[0]));
  ClickBeside(*game);
  EXPECT_EQ(game->GetResult(), "close");
}

}  // namespace
