#include <gtest/gtest.h>

#include <memory>

#include "source/timer/cTimerManager.h"
#include "tests/source/timer/FakeClock.h"

namespace {

class FrameClock : public testing::Test {
 protected:
  void SetUp() override {
    DestroySingletons();
    m_clock = std::make_shared<FakeClock>();
    m_manager = cTimerManager::GetInstance();
    m_manager->SetClock(m_clock);
  }
  void TearDown() override { DestroySingletons(); }

  // One frame that took `seconds`; answers the delta the manager hands out.
  float Frame(double seconds) {
    m_clock->Advance(seconds);
    m_manager->UpdateFrameTime();
    return m_manager->GetFrameDelta();
  }

  std::shared_ptr<FakeClock> m_clock;
  cTimerManager* m_manager = nullptr;
};

TEST_F(FrameClock, StartsAtZero) {
  EXPECT_EQ(m_manager->GetFrameDelta(), 0.0f);
  EXPECT_EQ(m_manager->GetFramesPerSecond(), 0u);
  EXPECT_FALSE(m_manager->IsSmoothing());
}

// A frame gives its own time, kept between a millisecond (never zero) and a tenth of a second.
TEST_F(FrameClock, AFrameGivesItsOwnTimeKeptBetweenAMillisecondAndATenth) {
  EXPECT_NEAR(Frame(0.02), 0.02f, 1e-6f);
  EXPECT_NEAR(Frame(0.033), 0.033f, 1e-6f);
  EXPECT_EQ(Frame(0.0004), 0.001f);
  EXPECT_EQ(Frame(0.0), 0.001f);
  EXPECT_EQ(Frame(2.0), 0.1f);
  EXPECT_NEAR(Frame(0.02), 0.02f, 1e-6f);  // the frame after the stall is measured afresh
}

TEST_F(FrameClock, NoTimeIsLostBetweenFrames) {
  // Every microsecond that passes belongs to exactly one frame.
  double total = 0.0;
  for (int i = 0; i < 1000; ++i) {
    total += Frame(0.016667);
  }
  EXPECT_NEAR(total, 16.667, 1e-3);
}

TEST_F(FrameClock, FramesStayExactAfterALongRun) {
  // After a day of play a float count of seconds would resolve only 8 ms.
  m_clock->Advance(86400.0);
  Frame(0.0);
  EXPECT_NEAR(Frame(0.0167), 0.0167f, 1e-6f);
  EXPECT_NEAR(Frame(0.0013), 0.0013f, 1e-6f);
}

TEST_F(FrameClock, SmoothingFollowsSlowlyButASuddenFastFrameLowersTheDeltaAtOnce) {
  m_manager->SetSmoothing(true);
  EXPECT_NEAR(Frame(0.05), 0.05f, 1e-6f);  // the average starts at the first frame
  for (int i = 0; i < 20; ++i) Frame(0.05);
  EXPECT_NEAR(m_manager->GetFrameDelta(), 0.05f, 1e-6f);
  EXPECT_NEAR(Frame(0.01), 1.25f * 0.01f, 1e-6f);  // the average (0.046) is capped
  // A slow frame after fast ones raises the delta only a tenth of the way.
  for (int i = 0; i < 120; ++i) Frame(0.01);
  EXPECT_NEAR(Frame(0.09), 0.1f * (9 * 0.01f + 0.09f), 1e-5f);
}

TEST_F(FrameClock, SmoothingUsesTheClampedDelta) {
  m_manager->SetSmoothing(true);
  Frame(0.05);
  EXPECT_NEAR(Frame(3.0), 0.1f * (9 * 0.05f + 0.1f), 1e-6f);
}

TEST_F(FrameClock, FramesPerSecondChangeOncePerSecondOfFrameTime) {
  // Frame times that are exact in binary, so the second ends on a known frame.
  for (int i = 0; i < 63; ++i) Frame(1.0 / 64);
  EXPECT_EQ(m_manager->GetFramesPerSecond(), 0u);
  Frame(1.0 / 64);
  EXPECT_EQ(m_manager->GetFramesPerSecond(), 64u);
  for (int i = 0; i < 31; ++i) Frame(1.0 / 32);  // the next second runs at 32 frames a second
  EXPECT_EQ(m_manager->GetFramesPerSecond(), 64u);
  Frame(1.0 / 32);
  EXPECT_EQ(m_manager->GetFramesPerSecond(), 32u);
}

TEST_F(FrameClock, FramesPerSecondCountUnclampedTime) {
  Frame(0.5);
  Frame(0.6);  // 1.1 s of real time in two frames, though each delta was clamped to 0.1
  EXPECT_EQ(m_manager->GetFramesPerSecond(), 2u);
}

TEST_F(FrameClock, ATimerPeriodIsNotRaisedHereSoTheFrameTimerIsHighResolution) {
  EXPECT_EQ(m_manager->GetTimerPeriod(), 0u);
  Frame(0.0002);  // below a millisecond: only a high-resolution clock sees it
  EXPECT_EQ(m_manager->GetFrameDelta(), 0.001f);
  m_clock->Advance(0.0015);
  m_manager->UpdateFrameTime();
  EXPECT_NEAR(m_manager->GetFrameDelta(), 0.0015f, 1e-6f);
}

}  // namespace
