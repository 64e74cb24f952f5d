// The arcade games played on the bench through input alone, as a player would: the food machine by
// holding the bat where the coins bounce into the slot, the slingshot by a calibration shot and
// aimed pulls, the break window by aiming and charging throws; and their ways out.

#include <cmath>
#include <functional>

#include "Sources/minigames/MiniGameArcade.h"
#include "Sources/minigames/MiniGameBreakWindow.h"
#include "Sources/minigames/MiniGameFoodMachine.h"
#include "Sources/minigames/MiniGameSlingshot.h"
#include "platform/input/headless/HeadlessInput.h"
#include "platform/input/KeyCodes.h"
#include "platform/window/window.h"
#include "source/model/AnimationController.h"
#include "source/render/RenderObject.h"
#include "tests/Sources/minigames/PlayBench.h"

namespace {

Vector3 Centre(const GUIWindow* piece) { return BoxOf(piece).m_centre; }

// ---- the food machine ------------------------------------------------------------------------------

// Frames of this length on the clock; the game's steps take at most the clamped timer delta.
class FoodMachine : public PlayBench, public testing::WithParamInterface<float> {};

TEST_P(FoodMachine, IsWonByHoldingTheBatWhereTheCoinsBounceIntoTheSlot) {
  const float dt = GetParam();
  auto* machine = Start<MiniGameFoodMachine>("foodmachine");
  Frame();
  EXPECT_FALSE(window::IsPointerShown()) << "hidden while the bat follows the mouse";
  EXPECT_FALSE(Found(ModelOf(machine->FindChild("helper"))).IsVisible()) << "the travel marker is not drawn";
  // Left in the middle, the bat lets the first coin fall past: watch where it crosses the bat's top.
  const float bat_top = BoxOf(machine->FindChild("bat")).m_world_max.y;
  float landing = -1.0f;
  for (float t = 0.0f; t < 6.0f && landing < 0.0f; t += kFrame) {
    Frame();
    if (machine->IsCoinActive(0) && BoxOf(machine->GetCoin(0)).m_world_min.y < bat_top) landing = Centre(machine->GetCoin(0)).x;
  }
  ASSERT_GT(landing, 0.0f) << "no coin came down";
  RunFor(1.5f);
  EXPECT_EQ(machine->GetDoughnutsServed(), 0);
  EXPECT_FALSE(machine->IsCoinActive(0)) << "a coin below the floor is lost";
  // The bat moved (by the mouse, relative) so that the coins strike its right part.
  MoveTo(Vector2(700, 300));
  const float bat_left = BoxOf(machine->FindChild("bat")).m_world_min.x;
  MoveTo(Vector2(700 + std::round(landing - 90.0f - bat_left), 300));
  int served = 0;
  bool paused = false;
  for (int frame = 0; frame < 2000 && machine->GetResult() == "wait"; ++frame) {
    Frame(dt);
    EXPECT_GE(machine->GetDoughnutsServed(), served);
    served = machine->GetDoughnutsServed();
    if (served == 2 && !paused) {
      // The hero speaks in the middle of the game: it pauses and goes on where it stood.
      host.speaking = paused = true;
      RunFor(0.1f);
      host.speaking = false;
      Frame();
      EXPECT_EQ(machine->GetDoughnutsServed(), 2);
    }
  }
  EXPECT_EQ(machine->GetResult(), "win");
  EXPECT_EQ(served, MiniGameFoodMachine::kDoughnuts);
  EXPECT_EQ(Stored("foodmachine"), "win");
  EXPECT_TRUE(window::IsPointerShown());
}

// A slow machine's frames (clamped to a tenth of a second) still bounce every coin off the bat.
INSTANTIATE_TEST_SUITE_P(MiniGames, FoodMachine, testing::Values(0.02f, 0.25f));

TEST_F(PlayBench, FoodMachineShowsThePointerOnEveryWayOut) {
  struct Way {
    const char* name;
    std::function<void(MiniGame*)> leave;
    const char* result;
  };
  GUIWindow* box = nullptr;
  const Way ways[] = {
      {"escape", [&](MiniGame*) { TapKey(input::kKeyEscape); }, "close"},
      {"a click beside", [&](MiniGame* game) { ClickBeside(*game); }, "close"},
      {"skipped", [&](MiniGame*) { ClickExitButton(); host.Answer(true); Frame(); }, "win"},
      {"a box over it",
       [&](MiniGame* game) {
         box = new GUIWindow(user, "box");
         box->Activate();
         RunFor(4.0f);
         EXPECT_FALSE(static_cast<MiniGameFoodMachine*>(game)->IsCoinActive(0)) << "no coin while it has no mouse";
       },
       "wait"},
      {"paused while the hero speaks", [&](MiniGame*) { host.speaking = true; Frame(); Frame(); }, "wait"},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    MiniGame* machine = Start("foodmachine");
    RunFor(0.1f);
    ASSERT_FALSE(window::IsPointerShown());
    way.leave(machine);
    EXPECT_EQ(machine->GetResult(), way.result);
    EXPECT_TRUE(window::IsPointerShown());
    delete box;
    box = nullptr;
    host.speaking = false;
    Frame();
    Destroy(machine);
    EXPECT_TRUE(window::IsPointerShown());
  }
  // Deleted while it runs (the player leaves for the menu).
  MiniGame* machine = Start("foodmachine");
  RunFor(0.1f);
  Destroy(machine);
  EXPECT_TRUE(window::IsPointerShown());
}

TEST(FoodMachineBat, SendsTheCoinByWhereItStrikes) {
  struct Case {
    float a, b, vx, vy;
  } cases[] = {
      {0.0f, 0.1f, -104.0f, 306.0f},  // the left edge: up and to the left
      {0.2f, 0.3f, 0.0f, 170.0f},     // a + b = 0.5: straight up
      {0.4f, 0.6f, 130.0f, 340.0f},   // the middle: to the right at full speed
      {0.9f, 1.4f, 130.0f, 340.0f},   // past the right edge: the same
  };
  for (const Case& c : cases) {
    const Vector2 v = MiniGameFoodMachine::BatBounce(c.a, c.b);
    EXPECT_NEAR(v.x, c.vx, 0.01f) << c.a << " " << c.b;
    EXPECT_NEAR(v.y, c.vy, 0.01f) << c.a << " " << c.b;
  }
}

TEST(ArcadeAnimation, AnEndedAnimationIsAtItsEndDespiteRounding) {
  // Rate x length gives the last frame back only up to rounding; some speeds miss it.
  int missed = 0;
  for (float speed : {1.3f, 5.9f, 10.4f, 24.0f}) {
    AnimationController animation(13, 0);
    animation.AddAnimation("donut", AnimationEntry::FromSpeed("donut", 0, 12, false, speed));
    animation.SetAnimation("donut");
    animation.Play();
    for (int i = 0; i < 1000; ++i) animation.Update(0.02f);
    if (animation.GetTime() != animation.GetFramesPerSecond() * animation.GetLength()) ++missed;
    EXPECT_TRUE(AnimationAtEnd(animation)) << speed;
    animation.SetTime(5.0f);
    EXPECT_FALSE(AnimationAtEnd(animation)) << speed;
  }
  EXPECT_GT(missed, 0) << "no speed shows the rounding";
}

// ---- the slingshot ----------------------------------------------------------------------------------

class Slingshot : public PlayBench {
 protected:
  // A pull from the slingshot, the mouse moved by (dx, dy) while it is held, and the shot: where the
  // stone came down (its centre as last drawn before the hit test).
  Vector3 Shoot(MiniGameSlingshot& sling, int32_t dx, int32_t dy) {
    const Vector2 grip = Found(PointOn(Found(sling.FindChild("slingshot"))));
    Press(grip);
    EXPECT_TRUE(sling.IsPulling());
    if (dx != 0 || dy != 0) MoveBy(dx, dy);
    Release(grip);
    Vector3 landing = Centre(sling.GetStone());
    for (float t = 0.0f; t < 2.0f && sling.IsFired(); t += kFrame) {
      landing = Centre(sling.GetStone());
      Frame();
    }
    EXPECT_FALSE(sling.IsFired());
    return landing;
  }
};

TEST_F(Slingshot, IsWonByACalibrationShotAndAimedPulls) {
  auto* sling = Start<MiniGameSlingshot>("slingshot");
  ASSERT_EQ(sling->GetTargetCount(), 4u);
  // Unaimed, the stone flies straight away from the pouch and misses every target.
  const Vector3 rest = Centre(sling->GetStone());
  const Vector3 straight = Shoot(*sling, 0, 0);
  EXPECT_NEAR(straight.x, rest.x, 2.0f);
  EXPECT_EQ(sling->GetHits(), 0u);
  // The calibration shot: how far the landing moves for each count of the mouse.
  const Vector3 calibration = Shoot(*sling, 40, 40);
  const float gain_x = (calibration.x - rest.x) / 40.0f, gain_y = (calibration.y - rest.y) / 40.0f;
  ASSERT_GT(std::fabs(gain_x), 0.5f);
  ASSERT_GT(std::fabs(gain_y), 0.5f);
  float aim_x = 40.0f, aim_y = 40.0f;  // the counts aimed so far
  for (GUIWindow* target : sling->GetTargets()) {
    const Vector3 goal = Centre(target);
    Vector3 landing = calibration;
    float want_x = (goal.x - rest.x) / gain_x, want_y = (goal.y - rest.y) / gain_y;
    const uint32_t hits = sling->GetHits();
    for (int shot = 0; shot < 5 && sling->GetHits() == hits; ++shot) {
      landing = Shoot(*sling, static_cast<int32_t>(std::lround(want_x - aim_x)),
                      static_cast<int32_t>(std::lround(want_y - aim_y)));
      aim_x += std::round(want_x - aim_x);
      aim_y += std::round(want_y - aim_y);
      want_x += (goal.x - landing.x) / gain_x;
      want_y += (goal.y - landing.y) / gain_y;
    }
    EXPECT_EQ(sling->GetHits(), hits + 1) << target->GetName();
    EXPECT_EQ(ShaderFrame(target), 1.0f) << target->GetName();
    if (sling->GetHits() == sling->GetTargetCount()) break;
    // The same target again counts nothing.
    Shoot(*sling, 0, 0);
    EXPECT_EQ(sling->GetHits(), hits + 1);
  }
  ExpectWonAfter(*sling, 0.0f, 0.6f);  // won half a second after the last hit
}

TEST_F(Slingshot, AimStopsAtThirtyDegreesAndAFlightTakesNoNewPull) {
  auto* sling = Start<MiniGameSlingshot>("slingshot");
  const Vector2 grip = Found(PointOn(Found(sling->FindChild("slingshot"))));
  Press(grip);
  MoveBy(1000, -1000);
  EXPECT_FLOAT_EQ(sling->GetTurn(), MiniGameSlingshot::kMaxAim);
  EXPECT_FLOAT_EQ(sling->GetTilt(), -MiniGameSlingshot::kMaxAim);
  Release(grip);
  ASSERT_TRUE(sling->IsFired());
  Press(grip);
  EXPECT_FALSE(sling->IsPulling()) << "the stone is still flying";
  Release(grip);
  EXPECT_EQ(sling->GetResult(), "wait");
  ClickBeside(*sling);
  EXPECT_EQ(sling->GetResult(), "close");
}

// However few frames see a pull (a slow machine's), it is aimed by all the movement from the
// press to the release.
TEST_F(Slingshot, APullSeenInFewFramesIsAimedByAllOfIt) {
  for (const bool press_framed : {false, true}) {
    auto* sling = Start<MiniGameSlingshot>("slingshot");
    const Vector2 grip = Found(PointOn(Found(sling->FindChild("slingshot"))));
    MoveTo(grip);
    input::headless::SetMouseButton(input::kButtonLeft, true);
    if (press_framed) Frame();
    input::headless::MoveMouse(40, -30);
    input::headless::SetMouseButton(input::kButtonLeft, false);
    input::headless::MoveMouse(25, 25);  // after the release, before the frame
    Frame();
    if (!press_framed) Frame();  // the press is seen first, the release at the next poll
    ASSERT_TRUE(sling->IsFired()) << press_framed;
    EXPECT_FLOAT_EQ(sling->GetTurn(), 40.0f * MiniGameSlingshot::kMouseToAim) << press_framed;
    EXPECT_FLOAT_EQ(sling->GetTilt(), -30.0f * MiniGameSlingshot::kMouseToAim) << press_framed;
    Destroy(sling);
  }
}

// ---- the break window -----------------------------------------------------------------------------

class BreakWindow : public PlayBench {
 protected:
  // Aims at `angle` by pointing, holds the button for `frames` frames and lets go; then frames until
  // the stone has landed and the game takes aim again (or is won).
  void Throw(MiniGameBreakWindow& game, float angle, int frames) {
    const Vector3 start = game.GetStartPosition();
    const Vector2 point(std::round(start.x + 160.0f * std::cos(angle)), std::round(start.y + 160.0f * std::sin(angle)));
    Press(point);
    EXPECT_NEAR(game.GetAngle(), angle, 0.01f);
    RunFor(static_cast<float>(frames) * kFrame);
    Release(point);
    for (float t = 0.0f; t < 4.0f && game.GetPhase() != MiniGameBreakWindow::kAiming &&
                         game.GetPhase() != MiniGameBreakWindow::kWon;
         t += kFrame) {
      Frame();
    }
  }
};

TEST_F(BreakWindow, IsWonByAimingAndChargingThrows) {
  auto* game = Start<MiniGameBreakWindow>("break_window");
  ASSERT_EQ(game->GetLooks().size(), 4u);
  // The frames of charge a throw at 50 degrees needs to reach the window, from the arc's equation.
  const float angle = 0.8726646f, g = MiniGameBreakWindow::kGravity;
  const Vector3 start = game->GetStartPosition(), goal = Centre(game->GetLooks()[0]);
  const float dx = goal.x - start.x, dy = goal.y - start.y, c = std::cos(angle);
  const float speed = std::sqrt(g * dx * dx / (2.0f * c * c * (dx * std::tan(angle) - dy)));
  const AnimationController& fill = Found(ModelOf(game->FindChild("indicator_full"))).GetAnimation();
  const float charge = fill.GetAnimations().at("main").length * speed / MiniGameBreakWindow::kThrowSpeed;
  int frames = static_cast<int>(std::lround(charge / kFrame)) - 2;  // pressing and letting go take a frame each
  // A weak throw drops short, never reaches the window and is thrown again.
  Throw(*game, angle, 0);
  EXPECT_EQ(game->GetCurrentLook(), 0);
  EXPECT_EQ(game->GetPhase(), MiniGameBreakWindow::kAiming);
  for (int look = 1; look <= 3; ++look) {
    for (int tries = 0, step = 0; tries < 9 && game->GetCurrentLook() < look; ++tries) {
      Throw(*game, angle, frames + step);
      step = step > 0 ? -step : 1 - step;  // 0, 1, -1, 2, -2 ... around the computed charge
    }
    EXPECT_EQ(game->GetCurrentLook(), look);
    EXPECT_TRUE(IsShown(game->GetLooks()[look]));
  }
  EXPECT_EQ(game->GetPhase(), MiniGameBreakWindow::kWon);
  ExpectWonAfter(*game, 0.0f, 2.1f);  // two seconds to see the glass go
}

TEST_F(BreakWindow, AimsBetweenLevelAndStraightUp) {
  auto* game = &Found(static_cast<MiniGameBreakWindow*>(Make("break_window")));
  const Vector3 s = game->GetStartPosition();
  struct Case {
    Vector2 point;
    float angle;
  } cases[] = {
      {{s.x + 100, s.y}, 0.0f},
      {{s.x + 100, s.y + 100}, 0.7853982f},
      {{s.x, s.y + 100}, 1.5707964f},
      {{s.x - 100, s.y + 100}, 1.5707964f},  // behind: no further than straight up
      {{s.x + 100, s.y - 50}, 0.0f},         // below the start
      {{s.x, s.y}, 0.0f},                    // on the start: no direction at all
  };
  for (const Case& c : cases) EXPECT_NEAR(game->AngleTo(c.point), c.angle, 1e-5f) << c.point.x << "," << c.point.y;
}

}  // namespace
