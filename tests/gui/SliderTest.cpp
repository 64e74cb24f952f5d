// Sliders and scroll bars: the value kept within its bounds, dragging in proportion to the track,
// paging toward the press along the slider's own axis, and the scroll's step buttons.

#include <gtest/gtest.h>

#include <cmath>

#include "gui/include/GUIButton.h"
#include "gui/include/GUIScroll.h"
#include "tests/gui/WidgetTestSupport.h"
#include "tests/support/Found.h"

namespace {

class SliderTest : public WidgetTest {
 protected:
  // A horizontal track from x 100 to 300 (y 100..120) with a 20 x 10 toddler at its start.
  void Build(GUISlider& slider, bool vertical = false) {
    if (vertical) {
      AddRectModel("track", 100, 100, 20, 200);
      AddRectModel("knob", 105, 280, 10, 20);
      slider.SetValue("orientation", "GUI_ORIENTATION_VERTICAL");
      slider.SetValue("toddler_size", "10 20");
    } else {
      AddRectModel("track", 100, 100, 200, 20);
      AddRectModel("knob", 100, 105, 20, 10);
      slider.SetValue("orientation", "GUI_ORIENTATION_HORIZONTAL");
      slider.SetValue("toddler_size", "20 10");
    }
    slider.SetValue("model", "track");
    slider.SetValue("toddler_model", "knob");
    slider.UpdateWorldMatrix();
    slider.ApplyTransform();
  }
};

TEST_F(SliderTest, TheValueStaysWithinItsBoundsAndChangesFireOnce) {
  GUISlider slider(user, "s");
  int& changes = Count(slider, "on_change");
  struct Step {
    const char* name;
    const char* value;
    float cur;
    int changes;
  };
  const Step steps[] = {
      {"cur", "150", 100, 1}, {"cur", "100", 100, 1}, {"max", "40", 40, 2},  {"cur", "-3", 0, 3},
      {"min", "10", 10, 4},   {"cur", "nan", 10, 4},  {"cur", "25", 25, 5},  {"min", "10", 25, 5},
  };
  for (const Step& step : steps) {
    slider.SetValue(step.name, step.value);
    EXPECT_FLOAT_EQ(slider.GetCur(), step.cur) << step.name << " " << step.value;
    EXPECT_EQ(changes, step.changes) << step.name << " " << step.value;
  }
  slider.SetValue("orientation", "GUI_ORIENTATION_HORIZONTAL ");
  EXPECT_EQ(slider.GetValue("orientation"), "GUI_ORIENTATION_VERTICAL") << "anything else is vertical";
}

// A label that cannot update yet, as a text whose font is missing.
class StuckLabel : public GUIWindow {
 public:
  using GUIWindow::GUIWindow;
  bool Update() override { return false; }
};

// The toddler follows the value even while a label cannot update.
TEST_F(SliderTest, DraggingTheToddlerMovesTheValueInProportionToTheTrack) {
  GUISlider slider(user, "s");
  Build(slider);
  new StuckLabel(&slider, "label");
  Mouse(slider, Vector2(110, 110), true);
  ASSERT_TRUE(slider.IsDragging());
  Mouse(slider, Vector2(160, 110), true);
  EXPECT_FLOAT_EQ(slider.GetCur(), 25.0f) << "a quarter of the track";
  Mouse(slider, Vector2(160, 500), true);
  EXPECT_FLOAT_EQ(slider.GetCur(), 25.0f) << "the drag goes on off the slider; only x counts";
  Mouse(slider, Vector2(360, 500), true);
  EXPECT_FLOAT_EQ(slider.GetCur(), 100.0f) << "the whole track is the whole range";
  EXPECT_FALSE(slider.Update()) << "the label's failure still reaches the caller";
  EXPECT_FLOAT_EQ(Found(Found(slider.GetToddler()).GetVisual().GetModel()).GetWorldMatrix().m[12], 180.0f)
      << "at the end of its travel (track minus toddler)";
  Mouse(slider, Vector2(360, 500), false);
  EXPECT_FALSE(slider.IsDragging());
}

TEST_F(SliderTest, ARangeOfNoWidthOrAFlatTrackKeepsTheToddlerAndValueFinite) {
  struct Case {
    const char* what;
    float track_width;
    float min, max;
  };
  const Case cases[] = {{"min equal to max", 200, 40, 40}, {"a track of no width", 0, 0, 100}};
  for (const Case& c : cases) {
    GUISlider slider(user, "s");
    AddRectModel("track", 100, 100, c.track_width, 20);
    AddRectModel("knob", 100, 105, 20, 10);
    slider.SetValue("model", "track");
    slider.SetValue("toddler_model", "knob");
    slider.SetValue("min", std::to_string(c.min));
    slider.SetValue("max", std::to_string(c.max));
    slider.UpdateWorldMatrix();
    slider.ApplyTransform();
    slider.Update();
    Mouse(slider, Vector2(105, 110), true);
    Mouse(slider, Vector2(150, 110), true);
    slider.Update();
    EXPECT_TRUE(std::isfinite(slider.GetCur())) << c.what;
    const RenderObject& toddler = Found(Found(slider.GetToddler()).GetVisual().GetModel());
    EXPECT_TRUE(std::isfinite(toddler.GetWorldMatrix().m[12])) << c.what;
  }
}

TEST_F(SliderTest, APressOnTheTrackPagesTowardItAlongTheSlidersAxis) {
  struct Case {
    bool vertical;
    Vector2 press;
    float start;
    float after_two_frames;
  };
  const Case cases[] = {
      {false, {250, 102}, 50, 60},  // right of the toddler, below its bottom edge: still right
      {false, {105, 118}, 50, 40},  // left of it (with cur 50 the toddler stands at 190..210)
      {true, {110, 110}, 0, 10},    // below the toddler of a vertical slider: down, the value grows
      {true, {110, 290}, 50, 40},   // above it
  };
  for (const Case& c : cases) {
    GUISlider slider(user, "s");
    Build(slider, c.vertical);
    slider.SetValue("cur", std::to_string(c.start));
    slider.Update();
    Mouse(slider, c.press, true);
    Mouse(slider, c.press, true);
    EXPECT_FLOAT_EQ(slider.GetCur(), c.after_two_frames) << c.vertical << " " << c.press.x << "," << c.press.y;
    Mouse(slider, c.press, false);
  }
}

TEST_F(SliderTest, AScrollStepsByOneForEachCompletedClickAtMostEveryFifthOfASecond) {
  MountSounds({"GUI_SOUND_SCROLL_NAVIGATION_CLICK"});
  GUIScroll scroll(user, "list");
  scroll.SetValue("cur", "50");
  PlaceQuad(Found(scroll.GetIncrease()), 400, 100, 30, 30);
  PlaceQuad(Found(scroll.GetDecrease()), 400, 300, 30, 30);
  EXPECT_TRUE(Found(scroll.GetIncrease()).GetClickSound()) << "the step buttons sound by their GUI sound name";
  const Vector2 inc(415, 115), dec(415, 315);
  // Frames of 0.05 s with the pointer away; the repeat time runs down only in mouse steps.
  const auto idle = [&](float seconds) {
    for (float t = 0; t < seconds; t += 0.05f) {
      Tick(0.05f);
      Mouse(scroll, Vector2(900, 900), false);
    }
  };
  const auto click = [&](const Vector2& point) {
    Tick(0.02f);
    Mouse(scroll, point, true);
    Tick(0.02f);
    Mouse(scroll, point, false);
  };
  struct Step {
    Vector2 point;
    float wait;
    float cur;
  };
  const Step steps[] = {
      {inc, 0.0f, 49},   // one click on "_inc": down by exactly one
      {inc, 0.0f, 49},   // another within 0.2 s is not taken
      {dec, 0.25f, 50},  // "_dec" after the pause: up by one
      {dec, 0.25f, 51},
  };
  for (const Step& step : steps) {
    idle(step.wait);
    click(step.point);
    EXPECT_FLOAT_EQ(scroll.GetCur(), step.cur);
  }
  idle(0.5f);
  Tick(0.02f);
  Mouse(scroll, inc, true);
  Tick(0.02f);
  Mouse(scroll, inc, true);  // held: no click completes
  EXPECT_FLOAT_EQ(scroll.GetCur(), 51.0f);
}

}  // namespace
