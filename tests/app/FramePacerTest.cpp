// The main loop's pacing: how long it waits after a frame, at which refresh rates, and what a
// message arriving during the wait or a display that holds every frame back does to the next one.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/sources/FramePacer.h"

namespace {

constexpr uint64_t kMs = 1000000;  // nanoseconds

TEST(FramePacer, WaitsWhatIsLeftOfOneRefreshPeriodInWholeMilliseconds) {
  const struct {
    uint64_t frame_start, now;
    int refresh_rate;
    uint32_t wait;
  } cases[] = {
      {0, 0, 60, 16},                 // 16.7 ms a frame
      {0, 5 * kMs, 60, 11},
      {0, 16 * kMs, 60, 0},           // less than a millisecond left
      {0, 40 * kMs, 60, 0},           // a slow frame waits nothing
      {100 * kMs, 102 * kMs, 144, 4},
      {0, 0, 0, 16},                  // a display that does not tell: 60
      {0, 0, 1, 16},                  // nor one that tells nonsense
      {0, 0, 100000, 16},
      {0, 0, 24, 41},
      {50 * kMs, 10 * kMs, 60, 16},   // a clock gone back: never more than one period
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cFramePacer::WaitMilliseconds(c.frame_start, c.now, c.refresh_rate), c.wait)
        << c.frame_start << " " << c.now << " at " << c.refresh_rate;
  }
}

// A pacer on a clock the test moves: each frame takes `frame_ms`, a wait takes what it was asked
// for unless a message cuts it to `message_after_ms`.
struct PacedLoop {
  uint64_t now = 0;
  std::vector<uint32_t> waits;
  int message_after_ms = -1;  // -1: no message comes
  cFramePacer pacer{[this] { return now; },
                    [this](uint32_t ms) {
                      waits.push_back(ms);
                      const bool message = message_after_ms >= 0 && static_cast<uint32_t>(message_after_ms) < ms;
                      now += (message ? static_cast<uint32_t>(message_after_ms) : ms) * kMs;
                      return message;
                    },
                    [] { return 50; }};  // 20 ms a frame

  void Frames(int count, uint64_t frame_ms) {
    for (int i = 0; i < count; ++i) {
      now += frame_ms * kMs;
      pacer.WaitForNextFrame();
    }
  }
};

TEST(FramePacer, AQuickFrameWaitsForTheNextFrameTimeAndTheFirstNeverWaits) {
  PacedLoop loop;
  loop.Frames(4, 5);
  EXPECT_EQ(loop.waits, (std::vector<uint32_t>{15, 15, 15}));
  EXPECT_EQ(loop.now, 4 * 5 * kMs + 3 * 15 * kMs) << "one frame every 20 ms";
}

TEST(FramePacer, FramesThatTakeTheirPeriodAlreadyAreNeverHeldBack) {
  PacedLoop loop;  // vertical sync, or a heavy scene
  loop.Frames(5, 20);
  loop.Frames(5, 35);
  EXPECT_TRUE(loop.waits.empty());
}

TEST(FramePacer, AMessageEndsTheWaitAndTheNextFrameIsNotHurriedToCatchUp) {
  PacedLoop loop;
  loop.message_after_ms = 3;
  loop.Frames(2, 5);  // the second frame's wait is cut after 3 ms by a message
  loop.message_after_ms = -1;
  loop.Frames(1, 5);
  EXPECT_EQ(loop.waits, (std::vector<uint32_t>{15, 15})) << "a full period from the frame the message began";
}

}  // namespace
