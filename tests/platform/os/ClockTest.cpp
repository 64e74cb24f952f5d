// Clocks and debug output.

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/os/os.h"

namespace {

TEST(Clock, CountersAdvanceWithSleep) {
  EXPECT_EQ(os::PerformanceFrequency(), 1000000000u);
  const uint64_t before = os::PerformanceCounter();
  const uint32_t ticks = os::TickCount();
  os::SleepMilliseconds(15);
  EXPECT_GE(os::PerformanceCounter() - before, 15000000u);
  EXPECT_GE(static_cast<uint32_t>(os::TickCount() - ticks), 14u);
  os::SleepMilliseconds(0);
}

TEST(DebugOutput, WritesToStderrOnlyWhenAskedFor) {
  testing::internal::CaptureStderr();
  os::DebugOutput("quiet\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  setenv("VELMARIS_DEBUG_OUTPUT", "1", 1);
  testing::internal::CaptureStderr();
  os::DebugOutput("loud\n");
  os::DebugOutput(nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "loud\n");
  unsetenv("VELMARIS_DEBUG_OUTPUT");
}

}  // namespace
