#include <gtest/gtest.h>

#include <vector>

#include "source/math/FloatCurve.h"

namespace {

struct SentColour {
  GUIWindow* target;
  Vector4 colour;
};

std::vector<SentColour>& Sent() {
  static std::vector<SentColour> sent;
  return sent;
}

void RecordColour(GUIWindow* target, const Vector4& colour) { Sent().push_back({target, colour}); }

// Stands in for the GUI's hook; the windows themselves are only addresses here.
class FloatCurveTest : public testing::Test {
 protected:
  void SetUp() override {
    Sent().clear();
    FloatCurve::SetColorHook(&RecordColour);
  }
  void TearDown() override { FloatCurve::SetColorHook(nullptr); }

  float ValueAt(FloatCurve& curve, float t) {
    curve.Apply(t);
    return curve.GetColor().w;
  }

  int m_window_stand_in = 0;
  GUIWindow* m_window = reinterpret_cast<GUIWindow*>(&m_window_stand_in);
};

}  // namespace

TEST_F(FloatCurveTest, InterpolatesBetweenKeysAndHoldsTheEnds) {
  FloatCurve curve(m_window);
  curve.AddKey(0, 0);
  curve.AddKey(10, 1);
  EXPECT_FLOAT_EQ(ValueAt(curve, -5), 0.0f);
  EXPECT_FLOAT_EQ(ValueAt(curve, 0), 0.0f);
  EXPECT_FLOAT_EQ(ValueAt(curve, 5), 0.5f);
  EXPECT_FLOAT_EQ(ValueAt(curve, 2.5f), 0.25f);
  EXPECT_FLOAT_EQ(ValueAt(curve, 10), 1.0f);
  EXPECT_FLOAT_EQ(ValueAt(curve, 20), 1.0f);
}

TEST_F(FloatCurveTest, SendsWhiteWithTheValueAsAlphaToItsWindow) {
  FloatCurve curve(m_window);
  curve.AddKey(0, 0.2f);
  curve.AddKey(4, 0.6f);
  curve.Apply(2);
  ASSERT_EQ(Sent().size(), 1u);
  EXPECT_EQ(Sent()[0].target, m_window);
  EXPECT_EQ(Sent()[0].colour.x, 1.0f);
  EXPECT_EQ(Sent()[0].colour.y, 1.0f);
  EXPECT_EQ(Sent()[0].colour.z, 1.0f);
  EXPECT_FLOAT_EQ(Sent()[0].colour.w, 0.4f);
  EXPECT_EQ(curve.GetTarget(), m_window);
}

TEST_F(FloatCurveTest, ASingleKeyHoldsEverywhere) {
  FloatCurve curve(m_window);
  curve.AddKey(3, 0.7f);
  for (float t : {-100.0f, 0.0f, 3.0f, 3.5f, 1e9f}) EXPECT_FLOAT_EQ(ValueAt(curve, t), 0.7f) << t;
}

TEST_F(FloatCurveTest, KeysAreKeptInTimeOrderAndEqualTimesInArrivalOrder) {
  FloatCurve curve(m_window);
  curve.AddKey(10, 1);
  curve.AddKey(0, 0);
  curve.AddKey(5, 0.25f);
  curve.AddKey(5, 0.75f);
  const auto& keys = curve.GetKeys();
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0].time, 0.0f);
  EXPECT_EQ(keys[1].value, 0.25f);
  EXPECT_EQ(keys[2].value, 0.75f);
  EXPECT_EQ(keys[3].time, 10.0f);
  // At t = 5 the first of the equal keys answers.
  EXPECT_FLOAT_EQ(ValueAt(curve, 5), 0.25f);
  // Just after it the curve runs from the second one.
  EXPECT_NEAR(ValueAt(curve, 7.5f), 0.875f, 1e-6f);
}

TEST_F(FloatCurveTest, WorksWithoutAHookOrATargetAndAnEmptyCurveSendsNothing) {
  FloatCurve::SetColorHook(nullptr);
  FloatCurve curve(m_window);
  curve.AddKey(0, 0.5f);
  EXPECT_FLOAT_EQ(ValueAt(curve, 1), 0.5f);

  FloatCurve::SetColorHook(&RecordColour);
  FloatCurve orphan(nullptr);
  orphan.AddKey(0, 0.5f);
  orphan.Apply(0);
  FloatCurve empty(m_window);
  empty.Apply(1);
  EXPECT_TRUE(Sent().empty());
}
