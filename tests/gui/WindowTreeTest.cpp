// The window tree: layer depths, the active path, visibility through parents, alignment,
// attributes as text, building from XML, and mouse dispatch with its strict hover and its stop
// when the children change under it.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "gui/include/GUIWidgetFactory.h"
#include "source/render/RenderObject.h"
#include "source/xml/XmlDocument.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/Found.h"
#include "tests/support/MemoryBytes.h"

namespace {

using WindowTreeTest = GuiTest;

TEST_F(WindowTreeTest, DepthsFollowTheTreeWithGapsAndFrontMovesAWindowBeneathItsSiblings) {
  GUILayer root("r");
  GUILayer first("a"), second("b");
  first.SetParent(&root);
  second.SetParent(&root);
  RenderObject a, b;
  first.AddObject(&a);
  second.AddObject(&b);
  EXPECT_EQ(root.AssignDepth(0.0f), -7.0f);
  EXPECT_EQ(a.GetViewDepth(), -2.0f);
  EXPECT_EQ(b.GetViewDepth(), -5.0f);
  // GUI drawing goes from the greatest depth down, so the front window is drawn first: beneath.
  second.MoveToFront();
  root.AssignDepth(0.0f);
  EXPECT_GT(b.GetViewDepth(), a.GetViewDepth());
  EXPECT_TRUE(a.GetFlags() & kRenderObjectGuiGroup);
  EXPECT_FALSE(a.GetFlags() & kRenderObjectFirstGroup);
}

// The frame's layout step gives depths again only after a change; after every kind of change the
// windows must stand as a fresh walk of the whole tree puts them.
TEST_F(WindowTreeTest, EveryChangeOfTheTreeReachesTheDepthsOfTheNextFrame) {
  struct Case {
    const char* what;
    std::function<void(GUIWindow* windows[3], RenderObject& extra)> change;
  };
  const Case cases[] = {
      {"a window moved to the front", [](GUIWindow* w[3], RenderObject&) { w[2]->MoveToFront(true); }},
      {"a window moved to the back", [](GUIWindow* w[3], RenderObject&) { w[0]->MoveToFront(false); }},
      {"a window made", [](GUIWindow* w[3], RenderObject&) { PlaceQuad(*new GUIWindow(w[0], "late"), 0, 0, 5, 5); }},
      {"a window deleted", [](GUIWindow* w[3], RenderObject&) { delete std::exchange(w[0], nullptr); }},
      {"an object added", [](GUIWindow* w[3], RenderObject& extra) { w[0]->GetLayer().AddObject(&extra); }},
      {"an object brought to the front of its layer",
       [](GUIWindow* w[3], RenderObject& extra) {
         w[2]->GetLayer().AddObject(&extra);
         w[2]->GetLayer().MoveObjectToFront(&extra);
       }},
  };
  for (const Case& c : cases) {
    RenderObject extra;
    GUIWindow* windows[3] = {new GUIWindow(user, "a"), new GUIWindow(user, "b"), nullptr};
    windows[2] = new GUIWindow(windows[1], "c");
    for (GUIWindow* window : windows) PlaceQuad(*window, 0, 0, 10, 10);
    const auto depths = [&] {
      std::vector<float> all{extra.GetViewDepth()};
      for (GUIWindow* window : windows) {
        if (window != nullptr) all.push_back(Found(window->GetVisual().GetModel()).GetViewDepth());
      }
      return all;
    };
    gui->UpdateLayout();
    c.change(windows, extra);
    gui->UpdateLayout();
    const std::vector<float> given = depths();
    gui->GetRoot()->GetLayer().AssignDepth(0.0f);
    EXPECT_EQ(given, depths()) << c.what;
    for (GUIWindow*& window : windows) {
      if (window != nullptr) window->GetLayer().RemoveObject(&extra);
    }
    delete windows[1];  // and c, its child
    delete windows[0];
  }
}

TEST_F(WindowTreeTest, ActivePathIsSetUpwardAndClearedUpToTheFirstAncestorWithoutOne) {
  auto* a = new GUIWindow(user, "a");
  auto* b = new GUIWindow(a, "b");
  auto* c = new GUIWindow(b, "c");
  GUIWindow* root = gui->GetRoot();
  GUIWindow::SetActiveChild(c, c);
  EXPECT_EQ(root->GetActiveChild(), user);
  EXPECT_EQ(user->GetActiveChild(), a);
  EXPECT_EQ(a->GetActiveChild(), b);
  EXPECT_EQ(b->GetActiveChild(), c);
  EXPECT_EQ(c->GetActiveChild(), c);

  // A window between keeps its own path when an ancestor's is cut first.
  GUIWindow::SetActiveChild(user, nullptr);
  EXPECT_EQ(root->GetActiveChild(), nullptr);
  GUIWindow::SetActiveChild(c, nullptr);
  EXPECT_EQ(c->GetActiveChild(), nullptr);
  EXPECT_EQ(b->GetActiveChild(), nullptr);
  EXPECT_EQ(a->GetActiveChild(), nullptr);  // stops at user, which has none already

  // Removing the active child clears the path above it.
  GUIWindow::SetActiveChild(c, c);
  delete b;
  EXPECT_EQ(a->GetActiveChild(), nullptr);
  EXPECT_EQ(root->GetActiveChild(), nullptr);
  delete a;
}

TEST_F(WindowTreeTest, VisibilityNeedsTheParentAndAChildKeepsItsOwnWish) {
  auto* parent = new GUIWindow(user, "parent");
  auto* child = new GUIWindow(parent, "child");
  PlaceQuad(*child, 0, 0, 10, 10);
  parent->Show(false);
  EXPECT_TRUE(child->IsShown());
  EXPECT_FALSE(child->IsVisible());
  EXPECT_FALSE(Found(child->GetVisual().GetModel()).IsVisible());
  // A window made under a hidden parent is hidden with it.
  auto* late = new GUIWindow(parent, "late");
  PlaceQuad(*late, 0, 0, 10, 10);
  EXPECT_FALSE(late->IsVisible());
  EXPECT_FALSE(Found(late->GetVisual().GetModel()).IsVisible());
  parent->Show(true);
  EXPECT_TRUE(child->IsVisible());
  EXPECT_TRUE(Found(late->GetVisual().GetModel()).IsVisible());
  delete parent;
}

TEST_F(WindowTreeTest, AlignmentPlacesTheWindowInsideTheLayoutSize) {
  struct Case {
    const char* text;
    float x, y;
  };
  // Layout 100 x 50, window 20 x 10; GUI y grows upward, so "top" puts the bottom at 40.
  const Case cases[] = {{"lt", 0, 40}, {"cc", 40, 20}, {"rb", 80, 0}, {"xy", 80, 0}, {"c", 40, 0}, {"", 80, 0}};
  auto* holder = new GUIWindow(user, "holder");
  auto* box = new GUIWindow(holder, "box");
  user->SetSize(Vector3(100, 50, 7));
  EXPECT_EQ(user->GetSize().z, 1.0f);
  for (const Case& c : cases) {
    box->SetAlignment(c.text);
    box->SetSize(Vector3(20, 10, 1));
    EXPECT_EQ(box->GetAlignOffset(), Vector3(c.x, c.y, 0)) << c.text;
  }
  box->SetAlignment("rt");
  box->SetMatrix(Matrix4::MakeTranslation(1, 2, 0));
  holder->UpdateWorldMatrix();
  EXPECT_EQ(box->GetWorld().m[12], 81.0f);
  EXPECT_EQ(box->GetWorld().m[13], 42.0f);
  delete holder;
}

TEST_F(WindowTreeTest, AttributesReadBackAsTheyWereWrittenAndWriteOnlyOnesAnswerEmpty) {
  struct Case {
    const char* name;
    const char* written;
    const char* read;
  };
  const Case cases[] = {
      {"visible", "false", "false"},
      {"size", "4 5 6", "4.000000 5.000000 1.000000"},
      {"color", "0.5 0.25 1 0.75", "0.500000 0.250000 1.000000 0.750000"},
      {"enable", "false", "false"},
      {"alignment", "cc", "cc"},
      {"alignment", "lz", "lb"},
      {"matrix", "1 0 0 0 1 0 0 0 1 7 8 9",
       "1.000000 0.000000 0.000000 0.000000 1.000000 0.000000 0.000000 0.000000 1.000000 7.000000 8.000000 9.000000"},
      {"apply_placement_matrix", "false", "false"},
      {"model", "gui\\nothing", "gui\\nothing"},
      {"alpha", "0,50", ""},
      {"shader", "quad", ""},
      {"uv", "2 1", ""},
      {"link", "next", "next"},  // any other name keeps its text
  };
  for (const Case& c : cases) {
    GUIWindow window(user, "w");
    window.SetValue(c.name, c.written);
    EXPECT_EQ(window.GetValue(c.name), c.read) << c.name;
  }
  GUIWindow window(user, "w");
  EXPECT_EQ(window.GetValue("never_set"), "");
  EXPECT_EQ(window.GetProperties().count("never_set"), 1u);
}

TEST_F(WindowTreeTest, LoadChildrenMakesChildrenFirstInDocumentOrderAndSkipsUnknownTags) {
  const char* text =
      "<w size=\"3 4 1\">"
      "<window name=\"a\" visible=\"false\"><window name=\"a1\"/></window>"
      "<Window name=\"capital\"><window name=\"lost\"/></Window>"
      "<window/>"
      "</w>";
  cMemoryStream bytes = StreamOf(text);
  XmlDocument document;
  ASSERT_TRUE(document.Load(bytes));
  GUIWindow window(user, "w");
  window.LoadChildren(document.GetRoot());
  ASSERT_EQ(window.GetChildren().size(), 2u);
  EXPECT_EQ(window.GetChildren()[0]->GetName(), "a");
  EXPECT_FALSE(window.GetChildren()[0]->IsShown());
  EXPECT_EQ(window.GetChildren()[0]->GetChildren()[0]->GetName(), "a1");
  EXPECT_EQ(window.GetChildren()[1]->GetName(), "default");
  EXPECT_EQ(window.GetSize(), Vector3(3, 4, 1));
  EXPECT_EQ(GUIWidgetFactory::GetInstance()->Find("Window"), nullptr);
  EXPECT_STREQ(window.GetTypeName(), "window");
}

// A window that does something when offered the mouse.
class Probe : public GUIWindow {
 public:
  using GUIWindow::GUIWindow;
  bool HandleMouse(const Vector2& point, bool down) override {
    GUIWindow::HandleMouse(point, down);
    offered.push_back(GetName());
    if (on_offer) on_offer(this);
    return take;
  }
  bool take = false;
  std::function<void(Probe*)> on_offer;
  static inline std::vector<std::string> offered;
};

TEST_F(WindowTreeTest, DispatchGoesFromTheTopChildDownAndStopsAtATakerOrAChangeOfChildren) {
  struct Case {
    const char* what;
    int taker;         // -1: none takes it
    int mover;         // -1: none moves itself
    bool front;        // where the mover goes
    std::vector<std::string> offered;
  };
  const Case cases[] = {
      {"nobody takes it", -1, -1, true, {"p2", "p1", "p0"}},
      {"the second takes it", 1, -1, true, {"p2", "p1"}},
      {"the last moves to the front", -1, 2, true, {"p2"}},
      {"the second moves to the back", -1, 1, false, {"p2", "p1"}},
      {"the first moves to the front, where it is", -1, 0, true, {"p2", "p1", "p0"}},
      {"the last moves to the back, where it is", -1, 2, false, {"p2", "p1", "p0"}},
  };
  for (const Case& c : cases) {
    auto* parent = new GUIWindow(user, "parent");
    for (int i = 0; i < 3; ++i) {
      auto* probe = new Probe(parent, std::string(1, 'p').append(std::to_string(i)));
      probe->take = i == c.taker;
      if (i == c.mover) probe->on_offer = [front = c.front](Probe* p) { p->MoveToFront(front); };
    }
    Probe::offered.clear();
    parent->HandleMouse(Vector2(1, 1), false);
    EXPECT_EQ(Probe::offered, c.offered) << c.what;
    delete parent;
  }
}

TEST_F(WindowTreeTest, HoverIsStrictlyInsideAndDisabledOrHiddenChildrenAreSkipped) {
  auto* window = new GUIWindow(user, "w");
  PlaceQuad(*window, 100, 100, 50, 20);
  struct Case {
    float x, y;
    bool hover;
  };
  const Case cases[] = {{125, 110, true}, {100, 110, false}, {150, 110, false}, {125, 100, false},
                        {125, 120, false}, {100.01f, 100.01f, true}, {99, 110, false}};
  for (const Case& c : cases) {
    user->HandleMouse(Vector2(c.x, c.y), false);
    EXPECT_EQ(window->IsHover(), c.hover) << c.x << "," << c.y;
  }
  user->HandleMouse(Vector2(125, 110), false);
  window->SetEnabled(false);
  user->HandleMouse(Vector2(10, 10), false);
  EXPECT_TRUE(window->IsHover());  // not offered: the old hover stays
  window->SetEnabled(true);
  window->Show(false);
  user->HandleMouse(Vector2(10, 10), false);
  EXPECT_TRUE(window->IsHover());
  delete window;
}

}  // namespace
