#include <gtest/gtest.h>

#include <climits>

#include "source/math/Rand.h"

namespace {

// Every test starts from the program's start state and leaves the state as it found it.
class RandTest : public testing::Test {
 protected:
  void SetUp() override {
    m_saved = g_rand_state;
    g_rand_state = 0;
  }
  void TearDown() override { g_rand_state = m_saved; }

 private:
  uint32_t m_saved = 0;
};

// The state whose next step gives `next` (the step is invertible: the multiplier is odd).
uint32_t StateBefore(uint32_t next) {
  uint32_t inverse = 1664525u;
  for (int i = 0; i < 5; ++i) inverse *= 2u - 1664525u * inverse;  // Newton's step modulo 2^32
  return (next - 1013904223u) * inverse;
}

}  // namespace

TEST_F(RandTest, TheSequenceIsTheSameEveryRun) {
  EXPECT_EQ(Rand(), 15470u);
  EXPECT_EQ(Rand(), 18256u);
  EXPECT_EQ(Rand(), 20940u);
  EXPECT_EQ(Rand(), 11001u);
  EXPECT_EQ(Rand(), 25170u);
}

TEST_F(RandTest, ValuesStayWithin15Bits) {
  for (int i = 0; i < 100000; ++i) ASSERT_LE(Rand(), 32767u);
  g_rand_state = StateBefore(0xFFFF0000u);
  EXPECT_EQ(Rand(), 32767u);  // bit 31 is dropped
}

TEST_F(RandTest, RandIntCoversZeroToNWithoutDividingByZero) {
  EXPECT_EQ(RandInt(0), 0u);
  EXPECT_EQ(g_rand_state, 1013904223u);  // it still drew a number
  g_rand_state = 0;
  EXPECT_EQ(RandInt(9), 15470u % 10);
  EXPECT_EQ(RandInt(100000), 18256u);
  // n + 1 wraps to 0 for the largest count: every draw is already within 0..n.
  g_rand_state = 0;
  EXPECT_EQ(RandInt(UINT_MAX), 15470u);
  EXPECT_EQ(RandInt(UINT_MAX - 1), 18256u);
}

TEST_F(RandTest, RandFloatIsBelowOne) {
  EXPECT_FLOAT_EQ(RandFloat(), 15470.0f / 32768.0f);
  g_rand_state = StateBefore(0x7FFF0000u);
  const float highest = RandFloat();
  EXPECT_EQ(highest, 0.999969482421875f);
  EXPECT_LT(highest, 1.0f);
}

TEST_F(RandTest, RandChanceTakesThePercentageModulo100) {
  EXPECT_FALSE(RandChance(0));
  EXPECT_FALSE(RandChance(100));
  EXPECT_FALSE(RandChance(200));
  EXPECT_EQ(g_rand_state, 0u);  // none of them drew

  // 15470 mod 100 = 70; 18256 mod 100 = 56; 20940 mod 100 = 40.
  EXPECT_FALSE(RandChance(150));
  EXPECT_FALSE(RandChance(56));
  EXPECT_TRUE(RandChance(41));
  g_rand_state = 0;
  EXPECT_TRUE(RandChance(71));
}

TEST_F(RandTest, FloatHelpersDrawOneNumberEach) {
  const float f0 = 15470.0f / 32768.0f, f1 = 18256.0f / 32768.0f, f2 = 20940.0f / 32768.0f;
  EXPECT_FLOAT_EQ(RandRange(2, 4), 2 + 2 * f0);
  EXPECT_FLOAT_EQ(RandSigned(), 2 * f1 - 1);
  EXPECT_FLOAT_EQ(RandAround(10, 3), 10 + (2 * f2 - 1) * 3);
  EXPECT_EQ(Rand(), 11001u);
}

TEST_F(RandTest, RandSignedStaysWithinMinusOneAndOne) {
  for (int i = 0; i < 10000; ++i) {
    const float s = RandSigned();
    ASSERT_GE(s, -1.0f);
    ASSERT_LT(s, 1.0f);
  }
}
