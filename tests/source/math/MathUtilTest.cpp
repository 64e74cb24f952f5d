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

TEST(PackColorARGB, PacksChannelsRoundedToTheNearestStepAndHoldsThoseOutsideAtTheEnds) {
  EXPECT_EQ(PackColorARGB(1.0f, 0.5f, 0.0f, 1.0f), 0xFFFF8000u);
  EXPECT_EQ(PackColorARGB(0.0f, 0.0f, 0.0f, 0.0f), 0x00000000u);
  EXPECT_EQ(PackColorARGB(0.2f, 0.2f, 0.2f, 0.2f), 0x33333333u);  // 0.2 x 255 = 51
  EXPECT_EQ(PackColorARGB(2.0f, -1.0f, 1.0f, 0.5f), 0x80FF00FFu);
  EXPECT_EQ(PackColorARGB(NAN, 1.0f, 1.0f, 1.0f), 0xFF00FFFFu);
}

TEST(PowersOfTwo, OnlyZeroAndPowersUpTo65536Qualify) {
  for (uint32_t n : {0u, 1u, 2u, 4u, 256u, 1024u, 65536u}) EXPECT_TRUE(IsPowerOfTwo(n)) << n;
  for (uint32_t n : {3u, 6u, 1000u, 65535u, 131072u, 0x80000000u}) EXPECT_FALSE(IsPowerOfTwo(n)) << n;
}

// The larger wins a tie; huge values stay within 32 bits.
TEST(PowersOfTwo, NearestPrefersTheLargerOnATieAndStaysWithin32Bits) {
  const uint32_t cases[][2] = {{0, 0},     {1, 1},      {2, 2},          {3, 4},          {5, 4},
                               {6, 8},     {7, 8},      {12, 16},        {700, 512},      {1000, 1024},
                               {0x80000000u, 0x80000000u}, {0x80000001u, 0x80000000u}, {UINT32_MAX, 0x80000000u}};
  for (const auto& c : cases) EXPECT_EQ(NearestPowerOfTwo(c[0]), c[1]) << c[0];
}
