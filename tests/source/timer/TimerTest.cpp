#include <gtest/gtest.h>

#include <memory>

#include "source/timer/cTimerManager.h"
#include "tests/source/timer/FakeClock.h"

namespace {

TEST(Timers, AHighResolutionTimerCountsSecondsFromItsStart) {
  auto clock = std::make_shared<FakeClock>();
  cTimer timer(true, clock);
  timer.Start(2.5f);
  EXPECT_FLOAT_EQ(timer.GetElapsed(), 2.5f);
  clock->Advance(0.25);
  EXPECT_FLOAT_EQ(timer.GetElapsed(), 2.75f);
  EXPECT_DOUBLE_EQ(timer.GetElapsedSeconds(), 2.75);
}

TEST(Timers, ALowResolutionTimerCountsMilliseconds) {
  auto clock = std::make_shared<FakeClock>();
  cTimer timer(false, clock);
  timer.Start(0.0f);
  clock->Advance(0.0004);
  EXPECT_EQ(timer.GetElapsed(), 0.0f);  // below one tick
  clock->Advance(1.2496);
  EXPECT_FLOAT_EQ(timer.GetElapsed(), 1.25f);
}

TEST(Timers, ALowResolutionTimerSurvivesTheTickCountWrapping) {
  auto clock = std::make_shared<FakeClock>();
  clock->SetTickBase(0xFFFFFFFFu - 5000u);  // 5 s before the 32-bit millisecond count wraps
  cTimer timer(false, clock);
  timer.Start(1.0f);
  clock->Advance(8.0);
  EXPECT_FLOAT_EQ(timer.GetElapsed(), 9.0f);
}

TEST(Timers, APausedTimerReadsTheTimeItWasPausedAt) {
  auto clock = std::make_shared<FakeClock>();
  cTimer timer(true, clock);
  timer.Start(0.0f);
  clock->Advance(1.0);
  timer.Pause();
  EXPECT_TRUE(timer.IsPaused());
  clock->Advance(5.0);
  EXPECT_FLOAT_EQ(timer.GetElapsed(), 1.0f);
  timer.Resume();
  clock->Advance(0.5);
  EXPECT_FLOAT_EQ(timer.GetElapsed(), 1.5f);
  timer.Start(0.0f);
  EXPECT_FALSE(timer.IsPaused());
  EXPECT_EQ(timer.GetElapsed(), 0.0f);
}

TEST(Timers, TheManagerOwnsTheTimersItCreates) {
  DestroySingletons();
  auto clock = std::make_shared<FakeClock>();
  cTimerManager* manager = cTimerManager::GetInstance();
  manager->SetClock(clock);
  cTimer* high = manager->CreateTimer(true, 3.0f);
  cTimer* low = manager->CreateTimer(false, 0.0f);
  EXPECT_TRUE(high->IsHighResolution());
  EXPECT_FALSE(low->IsHighResolution());
  clock->Advance(1.0);
  EXPECT_FLOAT_EQ(high->GetElapsed(), 4.0f);
  EXPECT_FLOAT_EQ(low->GetElapsed(), 1.0f);
  DestroySingletons();  // frees both (ASan reports a leak otherwise)
}

TEST(Timers, TheSystemClockMovesForward) {
  const std::shared_ptr<TimerClock> clock = SystemTimerClock();
  EXPECT_GT(clock->Frequency(), 0u);
  const uint64_t before = clock->Counter();
  EXPECT_GE(clock->Counter(), before);
}

}  // namespace
