#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "source/math/MathUtil.h"

TEST(Scalars, ClampHoldsTheValueBetweenTheBounds) {
  EXPECT_EQ(Clamp(-1.0f, 0.0f, 1.0f), 0.0f);
  EXPECT_EQ(Clamp(2.0f, 0.0f, 1.0f), 1.0f);
  EXPECT_EQ(Clamp(0.25f, 0.0f, 1.0f), 0.25f);
  EXPECT_EQ(Abs(-3.5f), 3.5f);
  EXPECT_EQ(Sqrt(16.0f), 4.0f);
}

TEST(PackColorARGB, PacksChannelsRoundedToTheNearestStep) {
  EXPECT_EQ(PackColorARGB(1.0f, 0.5f, 0.0f, 1.0f), 0xFFFF8000u);
  EXPECT_EQ(PackColorARGB(0.0f, 0.0f, 0.0f, 0.0f), 0x00000000u);
  // 0.2 x 255 = 51.
  EXPECT_EQ(PackColorARGB(0.2f, 0.2f, 0.2f, 0.2f), 0x33333333u);
}

TEST(PackColorARGB, HoldsChannelsOutsideTheRangeAtTheEnds) {
  EXPECT_EQ(PackColorARGB(2.0f, -1.0f, 1.0f, 0.5f), 0x80FF00FFu);
  EXPECT_EQ(PackColorARGB(NAN, 1.0f, 1.0f, 1.0f), 0xFF00FFFFu);
}

TEST(PowersOfTwo, OnlyZeroAndPowersUpTo65536Qualify) {
  for (uint32_t n : {0u, 1u, 2u, 4u, 256u, 1024u, 65536u}) EXPECT_TRUE(IsPowerOfTwo(n)) << n;
  for (uint32_t n : {3u, 6u, 1000u, 65535u, 131072u, 0x80000000u}) EXPECT_FALSE(IsPowerOfTwo(n)) << n;
}

TEST(PowersOfTwo, NearestPrefersTheLargerOnATie) {
  EXPECT_EQ(NearestPowerOfTwo(0), 0u);
  EXPECT_EQ(NearestPowerOfTwo(1), 1u);
  EXPECT_EQ(NearestPowerOfTwo(2), 2u);
  EXPECT_EQ(NearestPowerOfTwo(3), 4u);
  EXPECT_EQ(NearestPowerOfTwo(5), 4u);
  EXPECT_EQ(NearestPowerOfTwo(6), 8u);
  EXPECT_EQ(NearestPowerOfTwo(7), 8u);
  EXPECT_EQ(NearestPowerOfTwo(12), 16u);
  EXPECT_EQ(NearestPowerOfTwo(700), 512u);
  EXPECT_EQ(NearestPowerOfTwo(1000), 1024u);
}

TEST(PowersOfTwo, NearestStaysWithin32BitsForHugeValues) {
  EXPECT_EQ(NearestPowerOfTwo(0x80000000u), 0x80000000u);
  EXPECT_EQ(NearestPowerOfTwo(0x80000001u), 0x80000000u);
  EXPECT_EQ(NearestPowerOfTwo(UINT32_MAX), 0x80000000u);
}
