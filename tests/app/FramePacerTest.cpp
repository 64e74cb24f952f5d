// The main loop's pacing: the refresh periods it keeps to, and the waits it makes after quick
// frames, after frames the display already held back, after a wait a message cut short or one that
// ended late, and after a long stall.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/sources/FramePacer.h"

namespace {

constexpr uint64_t kMs = 1000000;  // nanoseconds

TEST(FramePacer, KeepsToTheDisplaysRefreshRateOrSixtyWhenItTellsNoneThatMakesSense) {
  const struct {
    int refresh_rate;
    uint64_t period;
  } cases[] = {{60, 16666666}, {144, 6944444}, {24, 41666666}, {500, 2000000},
               {0, 16666666},  {1, 16666666},  {23, 16666666}, {100000, 16666666}};
  for (const auto& c : cases) EXPECT_EQ(cFramePacer::Period(c.refresh_rate), c.period) << c.refresh_rate;
}

// A pacer on a clock the test moves, at `refresh_rate` frames a second (50: 20 ms). A wait lasts
// what it asked for plus `oversleep_ms`, unless a message cuts it after `message_after_ms`.
struct PacedLoop {
  explicit PacedLoop(int rate = 50) : refresh_rate(rate) {}
  int refresh_rate;
  uint64_t now = 0;
  std::vector<uint32_t> waits;
  std::vector<uint64_t> frame_starts;  // ms
  uint32_t oversleep_ms = 0;
  int message_after_ms = -1;  // -1: no message comes
  cFramePacer pacer{[this] { return now; },
                    [this](uint32_t ms) {
                      waits.push_back(ms);
                      const bool message = message_after_ms >= 0 && static_cast<uint32_t>(message_after_ms) < ms;
                      now += (message ? static_cast<uint32_t>(message_after_ms) : ms + oversleep_ms) * kMs;
                      return message;
                    },
                    [this] { return refresh_rate; }};

  void Frames(int count, uint64_t frame_ms) {
    for (int i = 0; i < count; ++i) {
      frame_starts.push_back(now / kMs);
      now += frame_ms * kMs;
      pacer.WaitForNextFrame();
    }
  }
};

TEST(FramePacer, QuickFramesWaitForTheNextFrameTimeAndALateWakingIsMadeUpNextTime) {
  PacedLoop loop;
  loop.Frames(4, 5);
  EXPECT_EQ(loop.waits, (std::vector<uint32_t>{15, 15, 15}));
  EXPECT_EQ(loop.frame_starts, (std::vector<uint64_t>{0, 5, 25, 45}));
  PacedLoop late;
  late.oversleep_ms = 2;
  late.Frames(4, 5);
  EXPECT_EQ(late.waits, (std::vector<uint32_t>{15, 13, 13}));
  EXPECT_EQ(late.frame_starts, (std::vector<uint64_t>{0, 5, 27, 47})) << "one frame every 20 ms all the same";
  // At 60 a second the whole milliseconds of a wait end a little before the frame time.
  PacedLoop sixty(60);
  sixty.Frames(7, 0);
  EXPECT_EQ(sixty.waits, (std::vector<uint32_t>{16, 17, 16, 17, 17, 16}));  // the frame times at 16.7, 33.3, ...
}

TEST(FramePacer, FramesTheDisplayHeldBackAlreadyAreNeverHeldBackMore) {
  PacedLoop loop;  // vertical sync, or a heavy scene
  loop.Frames(5, 20);
  loop.Frames(5, 35);
  EXPECT_TRUE(loop.waits.empty());
}

TEST(FramePacer, AMessageEndsTheWaitAtOnceAndTheFramesThenKeepTheirTimes) {
  PacedLoop loop;
  loop.Frames(1, 5);
  loop.message_after_ms = 3;
  loop.Frames(1, 5);  // its wait is cut 3 ms in: the frame that takes the message starts at 13
  loop.message_after_ms = -1;
  loop.Frames(2, 5);
  EXPECT_EQ(loop.frame_starts, (std::vector<uint64_t>{0, 5, 13, 25})) << "then at the frame time that was waited for";
}

TEST(FramePacer, AfterALongStallTheNextFramesAreNotHurriedToCatchUp) {
  PacedLoop loop;
  loop.Frames(2, 5);
  loop.Frames(1, 100);  // a dragged window, a breakpoint
  loop.Frames(3, 5);
  EXPECT_EQ(loop.waits, (std::vector<uint32_t>{15, 15, 15, 15}));
  EXPECT_EQ(loop.frame_starts, (std::vector<uint64_t>{0, 5, 25, 125, 145, 165}));
}

}  // namespace
