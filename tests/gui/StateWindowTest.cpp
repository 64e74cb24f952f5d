// State windows and dialogs: the state timings with and without animations, what a state lets
// the mouse reach, modal dialogs shown twice and hidden in any order, remembered windows that are
// destroyed, and the dimming of a dialog under another.

#include <gtest/gtest.h>

#include <vector>

#include "gui/include/DialogWindow.h"
#include "gui/include/GUIStateWindow.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

using StateWindowTest = GuiTest;
using S = GUIStateWindow::State;

TEST_F(StateWindowTest, WithoutAnimationsAShownWindowWorksAfterTwoUpdatesAndAHiddenOneHidesAfterTwo) {
  auto* window = new GUIStateWindow("screen");
  EXPECT_EQ(window->GetParent(), user);
  EXPECT_EQ(window->GetState(), S::kNoForm);
  window->SetForm(cResourcePtr<cFormResource>());
  EXPECT_EQ(window->GetState(), S::kHidden);
  EXPECT_FALSE(window->IsVisible());
  window->Show();
  // Shown again while appearing: the state stays, the next state goes.
  int marker = 0;
  window->SetNextState(reinterpret_cast<cGameState*>(&marker));
  window->Show();
  EXPECT_EQ(window->GetState(), S::kAppear);
  EXPECT_TRUE(window->IsStateEntered());
  EXPECT_EQ(window->GetNextState(), nullptr);
  std::vector<int> states;
  for (int i = 0; i < 4; ++i) {
    Frame();
    states.push_back(window->GetState());
  }
  EXPECT_EQ(states, (std::vector<int>{S::kAppear, S::kWorking, S::kWorking, S::kWorking}));
  window->Hide();
  EXPECT_TRUE(window->IsVisible());  // shown until hidden
  states.clear();
  for (int i = 0; i < 3; ++i) {
    Frame();
    states.push_back(window->GetState());
  }
  EXPECT_EQ(states, (std::vector<int>{S::kDisappear, S::kHidden, S::kHidden}));
  EXPECT_FALSE(window->IsVisible());
  EXPECT_FALSE(window->IsOpen());
}

// A child that cannot update yet, as a text whose font is missing.
class Stuck : public GUIWindow {
 public:
  using GUIWindow::GUIWindow;
  bool Update() override { return ++updates, false; }
  int updates = 0;
};

TEST_F(StateWindowTest, AChildThatCannotUpdateNeitherHoldsTheStateNorStarvesItsSiblings) {
  for (const bool dialog : {false, true}) {
    GUIStateWindow* window = dialog ? new DialogWindow("form") : new GUIStateWindow("form");
    auto* stuck = new Stuck(window, "stuck");
    auto* after = new Stuck(window, "after");
    window->SetForm(cResourcePtr<cFormResource>());
    window->Show();
    std::vector<int> states;
    for (int i = 0; i < 3; ++i) {
      Frame();
      states.push_back(window->GetState());
    }
    EXPECT_EQ(states, (std::vector<int>{S::kAppear, S::kWorking, S::kWorking})) << dialog;
    EXPECT_EQ(stuck->updates, 3) << dialog;
    EXPECT_EQ(after->updates, 3) << dialog;
    EXPECT_FALSE(window->Update()) << dialog;  // the caller still learns that a child failed
    window->Hide();
    Frame();
    Frame();
    EXPECT_EQ(window->GetState(), S::kHidden) << dialog;
    user->DeleteChildren();
  }
}

// A child that records whether the mouse reached it.
class Counter : public GUIWindow {
 public:
  using GUIWindow::GUIWindow;
  bool HandleMouse(const Vector2&, bool) override { return ++reached, false; }
  int reached = 0;
};

TEST_F(StateWindowTest, TheMouseReachesTheChildrenOnlyWhileWorkingAndIsSwallowedInBetween) {
  struct Case {
    int state;
    bool taken;
    int reached;
  };
  const Case cases[] = {{S::kNoForm, true, 0}, {S::kHidden, false, 0}, {S::kAppear, true, 0},
                        {S::kWorking, false, 1}, {S::kDisappear, true, 0}, {5, true, 0}};
  for (const Case& c : cases) {
    GUIStateWindow window("screen");
    auto* child = new Counter(&window, "child");
    window.SetState(c.state);
    if (c.state != S::kHidden) window.GUIWindow::Show(true);
    EXPECT_EQ(window.HandleMouse(Vector2(1, 1), true), c.taken) << c.state;
    EXPECT_EQ(child->reached, c.reached) << c.state;
  }
}

TEST_F(StateWindowTest, ADialogTakesTheMouseAndGivesItBackToTheWindowActiveBeforeIt) {
  auto* panel = new GUIWindow(user, "panel");
  panel->Activate();
  auto* dialog = new DialogWindow("question");
  dialog->SetForm(cResourcePtr<cFormResource>());
  dialog->Show();
  EXPECT_EQ(user->GetActiveChild(), dialog);
  EXPECT_EQ(dialog->GetActiveChild(), dialog);
  EXPECT_EQ(dialog->GetPreviousActive(), panel);
  dialog->Show();  // shown twice: it must not remember itself
  EXPECT_EQ(dialog->GetPreviousActive(), panel);
  dialog->Hide();
  EXPECT_EQ(user->GetActiveChild(), panel);
  dialog->Hide();
  EXPECT_EQ(user->GetActiveChild(), panel);
  // Never shown: the active path is not touched.
  auto* idle = new DialogWindow("idle");
  idle->Hide();
  EXPECT_EQ(user->GetActiveChild(), panel);
}

TEST_F(StateWindowTest, DialogsHiddenInAnyOrderLeaveTheRightWindowModal) {
  struct Case {
    const char* what;
    std::vector<int> hide_order;  // of the dialogs 0, 1, 2 shown in that order
    std::vector<int> modal_after; // index of the modal dialog after each hide; -1: none
  };
  const Case cases[] = {
      {"last first", {2, 1, 0}, {1, 0, -1}},
      {"first first", {0, 1, 2}, {2, 2, -1}},
      {"middle first", {1, 2, 0}, {2, 0, -1}},
      {"middle then first", {1, 0, 2}, {2, 2, -1}},
  };
  for (const Case& c : cases) {
    std::vector<DialogWindow*> dialogs;
    for (int i = 0; i < 3; ++i) {
      dialogs.push_back(new DialogWindow(std::string(1, 'd').append(std::to_string(i))));
      dialogs.back()->SetForm(cResourcePtr<cFormResource>());
      dialogs.back()->Show();
    }
    for (std::size_t step = 0; step < c.hide_order.size(); ++step) {
      dialogs[c.hide_order[step]]->Hide();
      const int expected = c.modal_after[step];
      EXPECT_EQ(user->GetActiveChild(), expected < 0 ? nullptr : dialogs[expected]) << c.what << " step " << step;
    }
    EXPECT_EQ(gui->GetRoot()->GetActiveChild(), nullptr) << c.what;
    user->DeleteChildren();
  }
}

TEST_F(StateWindowTest, ARememberedWindowThatIsDestroyedIsForgotten) {
  auto* panel = new GUIWindow(user, "panel");
  panel->Activate();
  auto* lower = new DialogWindow("lower");
  lower->Show();
  auto* upper = new DialogWindow("upper");
  upper->Show();
  delete panel;  // what the lower dialog remembered
  EXPECT_EQ(lower->GetPreviousActive(), nullptr);
  delete lower;  // an open dialog under another: the upper one now remembers nothing
  EXPECT_EQ(upper->GetPreviousActive(), nullptr);
  EXPECT_EQ(user->GetActiveChild(), upper);
  delete upper;  // open and modal: it hands the mouse back, to nobody
  EXPECT_EQ(gui->GetRoot()->GetActiveChild(), nullptr);
  Frame();
}

TEST_F(StateWindowTest, ADialogUnderAnotherDimsToSevenTenthsAndBrightensBackWhenModalAgain) {
  auto* lower = new DialogWindow("lower");
  lower->SetForm(cResourcePtr<cFormResource>());
  lower->Show();
  auto* upper = new DialogWindow("upper");
  upper->SetForm(cResourcePtr<cFormResource>());
  upper->Show();
  std::vector<float> seen;
  for (int i = 0; i < 4; ++i) {
    Frame(0.05f);
    seen.push_back(lower->GetBrightness().x);
  }
  EXPECT_TRUE(lower->IsDimmed());
  EXPECT_FALSE(upper->IsDimmed());
  EXPECT_NEAR(seen[0], 0.9f, 1e-4);
  EXPECT_NEAR(seen[1], 0.8f, 1e-4);
  EXPECT_NEAR(seen[3], 0.7f, 1e-4);  // no lower than 0.7
  EXPECT_EQ(lower->GetBrightness().w, 1.0f);
  EXPECT_EQ(upper->GetBrightness().x, 1.0f);
  upper->Hide();
  for (int i = 0; i < 4; ++i) Frame(0.05f);
  EXPECT_FALSE(lower->IsDimmed());
  EXPECT_NEAR(lower->GetBrightness().x, 1.0f, 1e-4);
}

}  // namespace
