// The drag and turn games played on the bench through input alone, as a player would: the
// picture put together from the centre outward, the clock's hands and the stone rings turned with
// the mouse about their pivot, the gridlock solved by a search over its board and drags; and each
// game left by a click beside it.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <iterator>
#include <map>
#include <optional>
#include <vector>

#include "Sources/minigames/MiniGameCircles.h"
#include "Sources/minigames/MiniGameClock.h"
#include "Sources/minigames/MiniGameCollectDetails.h"
#include "Sources/minigames/MiniGameGridlock.h"
#include "Sources/minigames/MiniGamePose.h"
#include "gui/include/GUISystem.h"
#include "platform/input/headless/HeadlessInput.h"
#include "source/model/AnimationController.h"
#include "source/render/RenderObject.h"
#include "tests/Sources/minigames/PlayBench.h"

namespace {

constexpr float kTwoPi = 6.2831855f;
const Vector2 kDialCentre(512.0f, 400.0f);  // the clock's pivot and the rings' centre

Vector2 Centre(const GUIWindow& piece) {
  const Vector3 c = GetPieceCentre(&piece);
  return Vector2(c.x, c.y);
}

// A point on `window` that `other` does not cover (whole GUI units).
std::optional<Vector2> PointOnlyOn(const GUIWindow& window, const GUIWindow& other) {
  const cBoundingBox& box = Found(window.GetVisual().GetModel()).GetBoundingBox();
  for (float y = std::ceil(box.m_world_min.y); y <= box.m_world_max.y; y += 2.0f) {
    for (float x = std::ceil(box.m_world_min.x); x <= box.m_world_max.x; x += 2.0f) {
      if (PlayBench::Picks(window, Vector2(x, y)) && !PlayBench::Picks(other, Vector2(x, y))) return Vector2(x, y);
    }
  }
  return std::nullopt;
}

class DragGames : public PlayBench {
 protected:
  // Angle of `p` about `c`, clockwise from straight up, in turns.
  static float TurnOf(const Vector2& c, const Vector2& p) { return std::atan2(p.x - c.x, p.y - c.y) / kTwoPi; }
  static Vector2 AtTurn(const Vector2& c, float turn, float radius) {
    return Vector2(std::round(c.x + radius * std::sin(turn * kTwoPi)), std::round(c.y + radius * std::cos(turn * kTwoPi)));
  }

  // With the button held, the pointer goes out to `radius` and round `c` by `turns` (clockwise
  // positive) in steps of at most 2 degrees, as a hand turning a knob.
  void TurnPointer(const Vector2& c, float turns, float radius) {
    const float start = TurnOf(c, m_pointer);
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(turns) * 180.0f)));
    MoveTo(m_pointer = AtTurn(c, start, radius));
    for (int i = 1; i <= steps; ++i) MoveTo(m_pointer = AtTurn(c, start + turns * static_cast<float>(i) / steps, radius));
    Frame();  // the game takes the pointer's last move
  }
  void Grab(const Vector2& point) { Press(m_pointer = point); }
  void LetGo() { Release(m_pointer); }

  // How few frames see a drag (a slow machine's): a frame after the press or not, after each move
  // or not, and the pointer moved on after the release, before a frame, or not.
  struct FewFrames {
    const char* name;
    bool press_framed, moves_framed, moved_on;
  };
  static constexpr FewFrames kFewFrames[] = {{"a frame each", true, true, false},
                                             {"pressed and moved in one frame", false, true, false},
                                             {"moved and released in one frame", true, false, false},
                                             {"all in one frame", false, false, false},
                                             {"all in one frame, moved on after", false, false, true}};
  // The button goes down at `from`, the pointer along `path`, the button up at its end.
  void DragSeenBy(const FewFrames& c, const Vector2& from, const std::vector<Vector2>& path) {
    MoveTo(from);
    input::headless::SetMouseButton(input::kButtonLeft, true);
    if (c.press_framed) Frame();
    for (const Vector2& p : path) {
      SetPointer(p);
      if (c.moves_framed) Frame();
    }
    input::headless::SetMouseButton(input::kButtonLeft, false);
    if (c.moved_on) SetPointer(from);
    RunFor(0.1f);
  }

  Vector2 m_pointer;
};

// ---- the clock --------------------------------------------------------------------------------------

TEST_F(DragGames, ClockHandsTurnAboutTheDialCentreClockwiseAsTheirPoseGrows) {
  auto* clock = Start<MiniGameClock>("clock");
  for (const char* name : {"minute_hand", "hour_hand"}) {
    GUIWindow* hand = &Found(clock->FindChild(name));
    for (float pose : {0.0f, 12.5f, 37.0f, 61.0f, 99.0f}) {
      SetPose(hand, pose);
      Frame();
      const Vector2 c = Centre(*hand);
      EXPECT_NEAR(c.x, kDialCentre.x, 0.5f) << name << " at " << pose;
      EXPECT_NEAR(c.y, kDialCentre.y, 0.5f) << name << " at " << pose;
      // The hand points where a clock's hand at that share of a turn points, and not behind.
      EXPECT_TRUE(Picks(*hand, AtTurn(kDialCentre, pose / 100.0f, 100.0f))) << name << " at " << pose;
      EXPECT_FALSE(Picks(*hand, AtTurn(kDialCentre, pose / 100.0f + 0.5f, 100.0f))) << name << " at " << pose;
    }
    SetPose(hand, 0.0f);
  }
  Frame();
  // Turned backwards past twelve, a hand stands just below a whole turn.
  Grab(Found(PointOnlyOn(Found(clock->FindChild("minute_hand")), Found(clock->FindChild("hour_hand")))));
  TurnPointer(kDialCentre, -0.02f, 300.0f);
  LetGo();
  EXPECT_GT(clock->GetMinuteValue(), 94.0f);
  EXPECT_LT(clock->GetMinuteValue(), 99.9f);
}

// However few frames see a drag, the hand under the press follows all of it: each way a drag
// turns the minute hand as far as one seen a frame each.
TEST_F(DragGames, ClockHandsFollowTheWholeDragHoweverFewFramesSeeIt) {
  auto* clock = Start<MiniGameClock>("clock");
  float way = 1.0f;
  std::optional<float> seen_each_frame;
  for (const FewFrames& c : kFewFrames) {
    const Vector2 tip = Found(PointOnlyOn(Found(clock->FindChild("minute_hand")), Found(clock->FindChild("hour_hand"))));
    // Out along the hand, then a twentieth of a turn one way or the other.
    const float start = TurnOf(kDialCentre, tip);
    std::vector<Vector2> path = {AtTurn(kDialCentre, start, 300.0f)};
    for (int i = 1; i <= 10; ++i) path.push_back(AtTurn(kDialCentre, start + way * 0.005f * static_cast<float>(i), 300.0f));
    const float before = clock->GetMinuteValue();
    DragSeenBy(c, tip, path);
    const float turned = way * (clock->GetMinuteValue() - before);
    if (!seen_each_frame) seen_each_frame = turned;
    EXPECT_GT(turned, 5.0f) << c.name;
    EXPECT_NEAR(turned, *seen_each_frame, 0.1f) << c.name;
    way = -way;
  }
  EXPECT_EQ(clock->GetResult(), "wait");
}

// The clock cannot be skipped. Whether the hour hand is turned slowly (58 units of a hand are
// 58 / 150 of a turn of the pointer) or swept past seven in one quick step, the clock is won,
// and the hand stops at seven.
TEST_F(DragGames, AHourHandTurnedOrSweptPastSevenWins) {
  struct Case {
    const char* name;
    float before;    // units turned slowly first
    float jump_deg;  // then one step of the pointer of this many degrees
  } const cases[] = {{"slowly", 58.0f, 0.0f}, {"one quick step", 50.0f, 30.0f}, {"a near quarter turn", 30.0f, 80.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* clock = Start<MiniGameClock>("clock");
    EXPECT_FALSE(host.exit_shown);
    Grab(Found(PointOnlyOn(Found(clock->FindChild("hour_hand")), Found(clock->FindChild("minute_hand")))));
    TurnPointer(kDialCentre, c.before / 150.0f, 300.0f);
    if (c.jump_deg > 0.0f) {
      ASSERT_EQ(clock->GetResult(), "wait");
      MoveTo(m_pointer = AtTurn(kDialCentre, TurnOf(kDialCentre, m_pointer) + c.jump_deg / 360.0f, 300.0f));
      Frame();
    }
    LetGo();
    EXPECT_EQ(clock->GetResult(), "win");
    EXPECT_GE(clock->GetHourValue(), 56.8f);
    EXPECT_LE(clock->GetHourValue(), 59.0f);
    EXPECT_EQ(Stored("clock"), "win");
    PlayOut(clock);
    Destroy(clock);
    Record().m_values.clear();
  }
  EXPECT_TRUE(MiniGameClock::ShowsTheTime(0.5f, 56.8f) && MiniGameClock::ShowsTheTime(99.5f, 59.0f));
  EXPECT_FALSE(MiniGameClock::ShowsTheTime(0.5f, 56.7f) || MiniGameClock::ShowsTheTime(0.6f, 58.0f));
}

// The pointer's turn about a centre: none while the pointer stays, exact for the smallest steps
// of a slow drag, at most a quarter a step, and on the side it went.
TEST(PointerTurn, IsExactAndNoneWithoutMovement) {
  const Vector3 centre(512.0f, 400.0f, 0.0f);
  const auto at = [&](double degrees, double radius) {
    const double r = degrees * 3.14159265358979 / 180.0;
    return Vector3(static_cast<float>(centre.x + radius * std::sin(r)), static_cast<float>(centre.y + radius * std::cos(r)), 0.0f);
  };
  struct Case {
    const char* name;
    double from, to, radius;  // degrees clockwise from straight up, GUI units
    double fraction;
    int side;
  } const cases[] = {
      {"held at twelve", 0, 0, 100, 0, 0},
      {"held at a slant", 37.3, 37.3, 291.7, 0, 0},
      {"held far out", 123.4, 123.4, 517.9, 0, 0},
      {"held near the pivot", 200.1, 200.1, 3.3, 0, 0},
      {"a hundredth of a degree", 10, 10.01, 300, 0.01 / 360, 1},
      {"a tenth of a degree back", 250, 249.9, 300, 0.1 / 360, -1},
      {"two degrees", 45, 47, 300, 2.0 / 360, 1},
      {"a quarter", 0, 90, 200, 0.25, 1},
      {"more than a quarter counts a quarter", 0, -135, 200, 0.25, -1},
  };
  for (const Case& c : cases) {
    const PointerTurn turn = MeasureTurn(centre, at(c.from, c.radius), at(c.to, c.radius));
    if (c.fraction == 0.0) {
      EXPECT_EQ(turn.fraction, 0.0f) << c.name;
    } else {
      EXPECT_NEAR(turn.fraction, c.fraction, c.fraction * 0.02) << c.name;
      EXPECT_EQ(turn.side > 0.0f ? 1 : -1, c.side) << c.name;
    }
  }
  // A thousand slow steps make the turn they add up to.
  float total = 0.0f;
  for (int i = 0; i < 1000; ++i) total += MeasureTurn(centre, at(i * 0.01, 300), at((i + 1) * 0.01, 300)).fraction;
  EXPECT_NEAR(total, 10.0 / 360.0, 10.0 / 360.0 * 0.02);
  EXPECT_EQ(MeasureTurn(centre, centre, at(10, 100)).fraction, 0.0f) << "from the pivot itself";
}

// ---- the circles ------------------------------------------------------------------------------------

// A point well inside the ring, off its centre (the pointer's turn about the centre is measured).
std::optional<Vector2> PointOnRing(const GUIWindow& ring) {
  for (float r = 8.0f; r < 320.0f; r += 2.0f) {
    const Vector2 inner(kDialCentre.x + r, kDialCentre.y), outer(kDialCentre.x + r + 6.0f, kDialCentre.y);
    if (PlayBench::Picks(ring, inner) && PlayBench::Picks(ring, outer)) return Vector2(kDialCentre.x + r + 3.0f, kDialCentre.y);
  }
  return std::nullopt;
}

// The signed distance from `pose` to home, the short way round.
float ToHome(float pose) { return pose > 50.0f ? 100.0f - pose : -pose; }

TEST_F(DragGames, CirclesAreTurnedHomeRingByRingAndWon) {
  SetRandState(12345);
  auto* circles = Start<MiniGameCircles>("circles");
  for (GUIWindow* ring : circles->GetRings()) {
    ASSERT_NE(ring, nullptr);
    EXPECT_GE(GetPose(ring), 20.0f);
    EXPECT_LE(GetPose(ring), 80.0f);
  }
  for (GUIWindow* ring : circles->GetRings()) {
    Grab(Found(PointOnRing(*ring)));
    // A clockwise turn of the pointer takes the pose down, 150 units a turn; then small corrections.
    for (int tries = 0; tries < 6 && !MiniGameCircles::IsHome(GetPose(ring), 100.0f) && !circles->IsRingSolved(); ++tries) {
      TurnPointer(kDialCentre, -ToHome(GetPose(ring)) / 150.0f, 330.0f);
    }
    LetGo();
    EXPECT_TRUE(MiniGameCircles::IsHome(GetPose(ring), 100.0f)) << ring->GetName() << " at " << GetPose(ring);
  }
  EXPECT_TRUE(circles->IsRingSolved());
  for (GUIWindow* ring : circles->GetRings()) EXPECT_EQ(GetPose(ring), 0.0f) << "set exactly home";
  ExpectWonAfter(*circles, 1.9f, 0.2f);
}

// However few frames see a drag (a slow machine's), the ring follows the pointer from where the
// button went down to where it came up; the turns go either way, so that no ring comes home.
TEST_F(DragGames, CirclesFollowTheWholeDragHoweverFewFramesSeeIt) {
  SetRandState(12345);
  auto* circles = Start<MiniGameCircles>("circles");
  ASSERT_FALSE(circles->GetRings().empty());
  GUIWindow& ring = Found(circles->GetRings().front());
  const Vector2 at = Found(PointOnRing(ring));
  float way = 1.0f;
  for (const FewFrames& c : kFewFrames) {
    const float before = GetPose(&ring);
    std::vector<Vector2> path;
    for (int i = 1; i <= 10; ++i) path.push_back(AtTurn(kDialCentre, 0.25f + way * 0.006f * static_cast<float>(i), 300.0f));
    DragSeenBy(c, at, path);
    const float turned = -150.0f * (TurnOf(kDialCentre, path.back()) - TurnOf(kDialCentre, at));
    EXPECT_NEAR(std::remainder(GetPose(&ring) - before - turned, 100.0f), 0.0f, 0.05f) << c.name;
    way = -way;
  }
}

// ---- gridlock ---------------------------------------------------------------------------------------

constexpr float kCell = 72.0f;  // one stop of a block's track

struct Track {
  cBoundingBox home;  // the box at pose 0
  Vector2 step;       // one stop on
  int end = 0;
};

std::vector<Track> Tracks(MiniGameGridlock& game) {
  std::vector<Track> tracks;
  for (GUIWindow* block : game.GetBlocks()) {
    Track t;
    t.step = game.IsVertical(block) ? Vector2(0.0f, -kCell) : Vector2(kCell, 0.0f);
    t.home = Found(block->GetVisual().GetModel()).GetBoundingBox();
    const float pose = GetPose(block);
    t.home.m_world_min = t.home.m_world_min - Vector3(t.step.x * pose, t.step.y * pose, 0.0f);
    t.home.m_world_max = t.home.m_world_max - Vector3(t.step.x * pose, t.step.y * pose, 0.0f);
    t.end = static_cast<int>(std::lround(GetPoseEnd(block)));
    tracks.push_back(t);
  }
  return tracks;
}

bool Collide(const std::vector<Track>& tracks, const std::vector<int>& poses, std::size_t moved) {
  const auto box = [&](std::size_t i) {
    cBoundingBox b = tracks[i].home;
    const Vector3 shift(tracks[i].step.x * poses[i], tracks[i].step.y * poses[i], 0.0f);
    b.m_world_min = b.m_world_min + shift;
    b.m_world_max = b.m_world_max + shift;
    return b;
  };
  for (std::size_t i = 0; i < tracks.size(); ++i) {
    if (i != moved && box(i).Overlaps(box(moved))) return true;
  }
  return false;
}

// The fewest single-stop moves that bring block 0 to the end of its track.
std::vector<std::pair<std::size_t, int>> Solve(const std::vector<Track>& tracks, const std::vector<int>& start) {
  std::map<std::vector<int>, std::vector<int>> came_from{{start, {}}};
  std::deque<std::vector<int>> open{start};
  while (!open.empty()) {
    std::vector<int> state = open.front();
    open.pop_front();
    if (state[0] == tracks[0].end) {
      std::vector<std::pair<std::size_t, int>> moves;
      for (std::vector<int> s = state; s != start; s = came_from[s]) {
        const std::vector<int>& before = came_from[s];
        for (std::size_t i = 0; i < s.size(); ++i) {
          if (s[i] != before[i]) moves.insert(moves.begin(), std::make_pair(i, s[i]));
        }
      }
      return moves;
    }
    for (std::size_t i = 0; i < tracks.size(); ++i) {
      for (int d : {-1, 1}) {
        std::vector<int> next = state;
        next[i] += d;
        if (next[i] < 0 || next[i] > tracks[i].end || came_from.count(next) || Collide(tracks, next, i)) continue;
        came_from[next] = state;
        open.push_back(next);
      }
    }
  }
  return {};
}

class Gridlock : public DragGames {
 protected:
  // Drags the block towards `target` until its pose is about there, then lets go (it snaps).
  void Slide(MiniGameGridlock& game, GUIWindow* block, int target) {
    Grab(Found(PointOn(*block)));
    const float direction = GetPose(block) < static_cast<float>(target) ? 1.0f : -1.0f;
    const Vector2 step = game.IsVertical(block) ? Vector2(0.0f, -2.0f * direction) : Vector2(2.0f * direction, 0.0f);
    for (int i = 0; i < 120 && (static_cast<float>(target) - GetPose(block)) * direction > 0.3f; ++i) {
      MoveTo(m_pointer = m_pointer + step);
    }
    LetGo();
  }
};

TEST_F(Gridlock, IsSolvedBySearchingTheBoardAndDraggingTheBlocks) {
  auto* game = Start<MiniGameGridlock>("gridlock");
  const std::vector<Track> tracks = Tracks(*game);
  std::vector<int> poses;
  for (GUIWindow* block : game->GetBlocks()) poses.push_back(static_cast<int>(std::lround(GetPose(block))));
  const auto moves = Solve(tracks, poses);
  ASSERT_FALSE(moves.empty()) << "the board has a way out";
  for (std::size_t m = 0; m < moves.size(); ++m) {
    // Runs of one block's moves go in one drag.
    if (m + 1 < moves.size() && moves[m + 1].first == moves[m].first) continue;
    GUIWindow* block = &Found(game->GetBlocks()[moves[m].first]);
    Slide(*game, block, moves[m].second);
    ASSERT_EQ(GetPose(block), static_cast<float>(moves[m].second)) << block->GetName() << " after move " << m;
  }
  EXPECT_TRUE(game->IsFreed());
  ExpectWonAfter(*game, 1.9f, 0.2f);
}

TEST_F(Gridlock, BlocksStopAtTheirNeighboursAndAtTheStartOfTheirTrack) {
  auto* game = Start<MiniGameGridlock>("gridlock");
  struct Case {
    int block;
    int target;    // dragged towards
    float stops;   // where it rests after the snap
  };
  // Block 0 is held by the upright block 1 next to it; block 1 goes down until the block under
  // it; nothing goes below 0.
  for (const Case& c : {Case{0, 4, 0.0f}, Case{1, 3, 2.0f}, Case{1, -2, 0.0f}, Case{2, -3, 0.0f}}) {
    GUIWindow* block = game->GetBlocks()[c.block];
    Slide(*game, block, c.target);
    EXPECT_EQ(GetPose(block), c.stops) << "board_" << c.block << " towards " << c.target;
  }
}

TEST(GridlockEnd, AnEndThatRateTimesLengthMissesByRoundingStillCounts) {
  int inexact = 0;
  for (float speed : {0.3f, 0.7f, 0.9f, 1.1f, 1.3f, 3.7f, 6.1f, 7.3f}) {
    for (uint32_t span : {3u, 5u, 6u, 7u}) {
      AnimationController animation(span + 1, 0);
      animation.AddAnimation("main", AnimationEntry::FromSpeed("main", 0, span, false, speed));
      animation.SetAnimation("main");
      animation.SetTime(static_cast<float>(span) + 1.0f);
      animation.Update(0.0f);  // held at its last frame
      const float end = animation.GetFramesPerSecond() * animation.GetLength();
      inexact += animation.GetTime() != end;
      EXPECT_GE(animation.GetTime(), end - MiniGameGridlock::kEndTolerance) << speed << " x " << span;
    }
  }
  EXPECT_GT(inexact, 0) << "some track ends are not hit exactly";
}

// ---- collect details -------------------------------------------------------------------------------

TEST_F(DragGames, CollectDetailsIsPutTogetherFromTheCentreOutward) {
  auto* puzzle = Start<MiniGameCollectDetails>("collect_details");
  const auto drop = [&](int k) {
    GUIWindow* piece = &Found(puzzle->GetPiece(k));
    const Vector2 point = Found(PointOn(*piece));
    const Vector2 shift = Centre(Found(puzzle->GetPlace(k))) - Centre(*piece);
    std::vector<Vector2> path;
    for (int i = 0; i <= 8; ++i) path.push_back(point + shift * (static_cast<float>(i) / 8.0f));
    Drag(path);
  };
  // The corner has no neighbour in place yet: refused, and the piece lies where it was dropped.
  drop(0);
  EXPECT_FALSE(puzzle->IsPlaced(0));
  EXPECT_EQ(puzzle->GetPlacedCount(), 1);
  std::vector<int> order;
  for (int k = 0; k < MiniGameCollectDetails::kPieces; ++k) order.push_back(k);
  const auto ring = [](int k) { return std::max(std::abs(k / 7 - 3), std::abs(k % 7 - 3)); };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return ring(a) < ring(b); });
  const std::vector<int> doors_at = {13, 25, 37, 49};
  for (int k : order) {
    if (k == MiniGameCollectDetails::kCentre) continue;
    drop(k);
    ASSERT_TRUE(puzzle->IsPlaced(k)) << Found(puzzle->GetPiece(k)).GetName();
    // Drawn over its empty cell and the board (which a state of the game may show), not lost under them.
    GUISystem::GetInstance()->UpdateLayout();
    const auto depth = [](const GUIWindow* w) { return Found(w->GetVisual().GetModel()).GetViewDepth(); };
    EXPECT_LT(depth(puzzle->GetPiece(k)), depth(puzzle->GetPlace(k)));
    EXPECT_LT(depth(puzzle->GetPiece(k)), depth(puzzle->FindChild("background")));
    const Vector2 off = Centre(Found(puzzle->GetPiece(k))) - Centre(Found(puzzle->GetPlace(k)));
    EXPECT_LT(std::fabs(off.x) + std::fabs(off.y), 0.01f);
    for (int d = 0; d < 4; ++d) EXPECT_EQ(puzzle->IsDoorOpen(d), puzzle->GetPlacedCount() >= doors_at[d]);
  }
  EXPECT_EQ(puzzle->GetPlacedCount(), 49);
  ExpectWonAfter(*puzzle, 1.9f, 0.2f);
}

// However few frames see a drag, the piece under the press is taken and lands where it was let go:
// each case puts another neighbour of the centre in its place.
TEST_F(DragGames, CollectDetailsPiecesFollowTheWholeDragHoweverFewFramesSeeIt) {
  auto* puzzle = Start<MiniGameCollectDetails>("collect_details");
  const int centre = MiniGameCollectDetails::kCentre;
  const int pieces[] = {centre + 1, centre - 1, centre + 7, centre - 7, centre + 8};
  static_assert(std::size(pieces) == std::size(kFewFrames));
  for (std::size_t i = 0; i < std::size(kFewFrames); ++i) {
    const int k = pieces[i];
    const Vector2 point = Found(PointOn(Found(puzzle->GetPiece(k))));
    const Vector2 shift = Centre(Found(puzzle->GetPlace(k))) - Centre(Found(puzzle->GetPiece(k)));
    std::vector<Vector2> path;
    for (int step = 1; step <= 8; ++step) path.push_back(point + shift * (static_cast<float>(step) / 8.0f));
    DragSeenBy(kFewFrames[i], point, path);
    EXPECT_TRUE(puzzle->IsPlaced(k)) << kFewFrames[i].name;
  }
}

TEST_F(DragGames, CollectDetailsLeftHalfDoneStartsAfresh) {
  auto* puzzle = Start<MiniGameCollectDetails>("collect_details");
  const int k = MiniGameCollectDetails::kCentre + 1;
  const Vector2 point = Found(PointOn(Found(puzzle->GetPiece(k))));
  Drag({point, point + (Centre(Found(puzzle->GetPlace(k))) - Centre(Found(puzzle->GetPiece(k))))});
  ASSERT_EQ(puzzle->GetPlacedCount(), 2);
  ClickBeside(*puzzle);
  PlayOut(puzzle);
  Play(puzzle);
  EXPECT_EQ(puzzle->GetPlacedCount(), 1);
  EXPECT_FALSE(puzzle->IsPlaced(k));
  EXPECT_NE(Centre(Found(puzzle->GetPiece(k))).x, Centre(Found(puzzle->GetPlace(k))).x) << "back in its heap";
}

}  // namespace
