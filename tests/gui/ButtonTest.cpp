// Buttons, check boxes and radio buttons: what makes a click, the look each state shows, the
// sounds of entering and pressing, and radio groups.

#include <gtest/gtest.h>

#include "gui/include/GUICheckBox.h"
#include "gui/include/GUIRadioButton.h"
#include "tests/gui/WidgetTestSupport.h"
#include "tests/support/Found.h"

namespace {

using ButtonTest = WidgetTest;

const Vector2 kOn(150, 120);    // inside the button placed below
const Vector2 kOff(400, 400);

TEST_F(ButtonTest, AClickIsAPressAndAReleaseBothOnTheButton) {
  struct Step {
    Vector2 point;
    bool down;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    std::vector<int32_t> states;
    int clicks;
  };
  const Case cases[] = {
      {"press, release", {{kOn, true}, {kOn, false}}, {2, 1}, 1},
      {"press, hold, release", {{kOn, true}, {kOn, true}, {kOn, false}}, {2, 2, 1}, 1},
      {"press, move off, release", {{kOn, true}, {kOff, true}, {kOff, false}}, {2, 0, 0}, 0},
      {"press, off, back on, release", {{kOn, true}, {kOff, true}, {kOn, true}, {kOn, false}}, {2, 0, 2, 1}, 0},
      {"press outside, move on, release", {{kOff, true}, {kOn, true}, {kOn, false}}, {0, 2, 1}, 0},
      {"hover only", {{kOn, false}, {kOn, false}}, {1, 1}, 0},
  };
  for (const Case& c : cases) {
    GUIButton button(user, "b");
    PlaceQuad(button, 100, 100, 100, 40);
    int& clicks = Count(button, "on_click");
    std::vector<int32_t> states;
    for (const Step& step : c.steps) {
      Mouse(button, step.point, step.down);
      states.push_back(button.GetState());
    }
    EXPECT_EQ(states, c.states) << c.what;
    EXPECT_EQ(clicks, c.clicks) << c.what;
  }
}

TEST_F(ButtonTest, AClickWhereSiblingsOverlapGoesToTheOneDrawnOnTop) {
  struct Case {
    const char* what;
    int move;   // -1: none; else the index of the button moved
    bool front;
    Vector2 point;
    int top;    // the button that gets the click; -1: none
    bool overlap;
  };
  const Case cases[] = {
      {"the later sibling is on top", -1, true, Vector2(175, 120), 1, true},
      {"the earlier one moved to the back comes on top", 0, false, Vector2(175, 120), 0, true},
      {"the later one moved to the front goes beneath", 1, true, Vector2(175, 120), 0, true},
      {"outside the overlap the one under the point", -1, true, Vector2(120, 120), 0, false},
      {"outside both", -1, true, Vector2(400, 400), -1, false},
  };
  for (const Case& c : cases) {
    GUIWindow parent(user, "p");
    auto* below = new GUIButton(&parent, "a");
    auto* above = new GUIButton(&parent, "b");
    GUIButton* buttons[] = {below, above};
    PlaceQuad(*below, 100, 100, 100, 40);
    PlaceQuad(*above, 150, 100, 100, 40);
    if (c.move >= 0) buttons[c.move]->MoveToFront(c.front);
    int& clicks_a = Count(*below, "on_click");
    int& clicks_b = Count(*above, "on_click");
    Click(parent, c.point);
    EXPECT_EQ(clicks_a, c.top == 0 ? 1 : 0) << c.what;
    EXPECT_EQ(clicks_b, c.top == 1 ? 1 : 0) << c.what;
    // The one that took the click is the one drawn over the other.
    gui->GetRoot()->GetLayer().AssignDepth(0.0f);
    if (c.overlap) {
      EXPECT_LT(Found(buttons[c.top]->GetVisual().GetModel()).GetViewDepth(),
                Found(buttons[1 - c.top]->GetVisual().GetModel()).GetViewDepth()) << c.what;
    }
  }
}

TEST_F(ButtonTest, LooksFollowStateAndCheckedFlag) {
  struct Case {
    int32_t state;
    bool checked;
    uint32_t look;
  };
  const Case cases[] = {{0, false, 0}, {1, false, 1}, {2, false, 2}, {3, false, 6},
                        {0, true, 3},  {1, true, 8},  {2, true, 9},  {3, true, 8}};
  for (const Case& c : cases) EXPECT_EQ(CheckedLook(c.state, c.checked), c.look) << c.state << c.checked;

  GUICheckBox box(user, "c");
  PlaceQuad(box, 100, 100, 100, 40);
  int& clicks = Count(box, "on_click");
  bool seen = false;
  OnEvent(box, "on_click", [&](GUIWindow*) { seen = box.IsChecked(); ++clicks; });
  Click(box, kOn);
  EXPECT_TRUE(box.IsChecked());
  EXPECT_TRUE(seen) << "on_click reads the new value";
  Mouse(box, kOn, true);
  Mouse(box, kOff, false);
  EXPECT_TRUE(box.IsChecked()) << "an unfinished click leaves it";
  box.SetValue("checked", "false");
  EXPECT_EQ(clicks, 1) << "setting the value fires nothing";
  box.SetEnabled(false);
  EXPECT_EQ(box.GetVisualState(), 6u);
  EXPECT_FALSE(Mouse(box, kOn, true));
  EXPECT_EQ(box.GetState(), GUIButton::kDisabled);
  box.SetEnabled(true);
  EXPECT_EQ(box.GetState(), GUIButton::kNormal);
}

TEST_F(ButtonTest, ARadioButtonUnchecksEverySibling) {
  GUIWindow group(user, "group");
  GUIRadioButton first(&group, "first"), second(&group, "second");
  GUIWindow other(&group, "label");
  PlaceQuad(first, 100, 100, 100, 40);
  PlaceQuad(second, 100, 200, 100, 40);
  first.SetValue("radio", "true");
  EXPECT_EQ(other.GetValue("radio"), "false") << "windows that are no radio buttons get the value as text";
  bool checked_in_handler = true;
  OnEvent(second, "on_click", [&](GUIWindow*) { checked_in_handler = second.IsChecked(); });
  Click(second, Vector2(150, 220));
  EXPECT_FALSE(checked_in_handler) << "on_click reads the old value";
  EXPECT_TRUE(second.IsChecked());
  EXPECT_FALSE(first.IsChecked());
  Click(second, Vector2(150, 220));
  EXPECT_TRUE(second.IsChecked()) << "a click on a checked box changes nothing";
}

TEST_F(ButtonTest, SoundsPlayOnEnteringAndOnAFreshPress) {
  MountSounds({"audio\\game\\button03", "enter"});
  GUIButton button(user, "b");
  PlaceQuad(button, 100, 100, 100, 40);
  button.SetValue("select_sound", "enter");
  button.SetValue("select_sound", "enter");
  ASSERT_TRUE(button.GetClickSound()) << "the default click sound";
  struct Step {
    Vector2 point;
    bool down;
    std::size_t started;  // sounds started so far
  };
  const Step steps[] = {
      {kOn, false, 0},   // the first frame after creation: no select sound even under the mouse
      {kOff, false, 0},  {kOn, false, 1},  {kOn, false, 1},  // once per entry
      {kOn, true, 2},                                       // the press clicks
      {kOn, false, 2},                                      // the completed click is silent
      {kOff, false, 2},  {kOn, true, 4},                    // entering with a press: both
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    Mouse(button, steps[i].point, steps[i].down);
    EXPECT_EQ(SoundsStarted(), steps[i].started) << i;
  }
  button.SetValue("click_sound", "no such sound");
  EXPECT_FALSE(button.GetClickSound()) << "an unknown name leaves the button silent";
}

}  // namespace
