// The GUI frame: mouse_taken, skip_mouse, the window manager's names, windows deleted from their
// own handlers, models leaving the map, the cursor window's mapping of the mouse, and clicks
// offered where they were made.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "gui/include/DialogWindow.h"
#include "gui/include/GUIButton.h"
#include "gui/include/GUICursor.h"
#include "platform/input/headless/HeadlessInput.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "source/input/cInput.h"
#include "source/render/RenderObject.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

using GuiSystemTest = GuiTest;

// Runs `action` when offered the mouse, once.
class Handler : public GUIWindow {
 public:
  Handler(GUIWindow* parent, std::function<void(Handler*)> action) : GUIWindow(parent, "handler"), m_action(std::move(action)) {}
  bool HandleMouse(const Vector2&, bool) override {
    ++offers;
    if (m_action) std::exchange(m_action, nullptr)(this);
    return false;
  }
  int offers = 0;

 private:
  std::function<void(Handler*)> m_action;
};

TEST_F(GuiSystemTest, MouseIsTakenInAFrameThatStartsOrEndsWithAModalWindowAndSkippedOnce) {
  struct Case {
    const char* what;
    bool open_before;
    bool open_in_handler;
    bool close_in_handler;
    bool taken;
  };
  const Case cases[] = {
      {"no modal window", false, false, false, false},
      {"a dialog opened by a click", false, true, false, true},
      {"the last dialog closed by a click", true, false, true, true},
      {"a dialog open all frame", true, false, false, true},
  };
  for (const Case& c : cases) {
    auto* modal = new GUIWindow(user, "modal");
    if (c.open_before) modal->Activate();
    new Handler(user, [&](Handler*) {
      if (c.open_in_handler) modal->Activate();
      if (c.close_in_handler) GUIWindow::SetActiveChild(user, nullptr);
    });
    // Last among the children, drawn on top: offered first (it must be the active one or the only taker).
    user->GetChildren().back()->MoveToFront(false);
    if (c.open_before) GUIWindow::SetActiveChild(user, user->GetChildren().back());
    Frame();
    EXPECT_EQ(gui->IsMouseTaken(), c.taken) << c.what;
    user->DeleteChildren();
    GUIWindow::SetActiveChild(user, nullptr);
  }
  // Skipping the mouse leaves out exactly one dispatch.
  auto* handler = new Handler(user, nullptr);
  gui->SetSkipMouse(true);
  Frame();
  EXPECT_EQ(handler->offers, 0);
  EXPECT_FALSE(gui->GetSkipMouse());
  Frame();
  EXPECT_EQ(handler->offers, 1);
}

TEST_F(GuiSystemTest, ADeletedWindowIsForgottenByNameAndByTheGuiSystem) {
  GUIWindowManager* manager = GUIWindowManager::GetInstance();
  auto* window = new GUIWindow(user, "named");
  manager->RegisterWindow("named", window);
  manager->RegisterWindow("alias", window);
  gui->AdoptWindow(window);
  gui->AdoptNamedWindow("named", window);
  gui->SetTop(window);
  delete window;
  EXPECT_EQ(manager->GetWindow("named"), nullptr);
  EXPECT_EQ(manager->GetWindow("alias"), nullptr);
  EXPECT_EQ(gui->GetTop(), nullptr);
  EXPECT_TRUE(LogHas("GUIWindowManager: window named not found "));
  EXPECT_EQ(manager->GetWindow("root"), gui->GetRoot());
  // Handed over under both lists and still there at shut-down: deleted once.
  auto* kept = new GUIWindow(user, "kept");
  gui->AdoptWindow(kept);
  gui->AdoptNamedWindow("kept", kept);
  DestroySingletons();
}

TEST_F(GuiSystemTest, AWindowDeletedFromItsOwnHandlerGoesAfterTheFrame) {
  GUIWindowManager* manager = GUIWindowManager::GetInstance();
  auto* sibling = new Handler(user, nullptr);
  bool deleted_during = false;
  auto* self = new Handler(user, [&](Handler* me) {
    manager->DeleteWindow(me);
    deleted_during = me->GetParent() == nullptr;
    me->SetValue("still", "here");  // the window is still there while its handler runs
  });
  self->MoveToFront(false);  // on top: offered the mouse before its sibling
  manager->RegisterWindow("self", self);
  Frame();
  EXPECT_TRUE(deleted_during);
  EXPECT_EQ(sibling->offers, 0);  // the dispatch stopped when the children changed
  EXPECT_EQ(user->GetChildren().size(), 1u);
  EXPECT_EQ(manager->GetWindows().count("self"), 0u);
  // Outside a frame a window is deleted at once.
  manager->DeleteWindow(sibling);
  EXPECT_TRUE(user->GetChildren().empty());
}

TEST_F(GuiSystemTest, AModelThatLeavesTheMapIsLetGoByEveryWindow) {
  RenderObject* model = new RenderObject();
  gui->AddModel("gui\\thing", model);
  auto* window = new GUIWindow(user, "w");
  window->SetValue("model", "gui\\thing");
  ASSERT_EQ(window->GetVisual().GetModel(), model);
  EXPECT_EQ(window->GetLayer().GetObjects().size(), 1u);
  GUISystem::RemoveModel(model);
  delete model;
  EXPECT_EQ(window->GetVisual().GetModel(), nullptr);
  EXPECT_TRUE(window->GetLayer().GetObjects().empty());
  EXPECT_EQ(gui->FindModel("gui\\thing"), nullptr);
  gui->UpdateLayout();  // walks the layers: nothing freed is touched
}

TEST(GuiCursorMapping, WideWindowsMapTheirCentredFourThirdsPart) {
  struct Case {
    float w, h, x, y;
    float gx, gy;
  };
  const Case cases[] = {
      {1024, 768, 0, 767, 0, 0},           // the bottom row is GUI y 0
      {1024, 768, 512, 0, 512, 767},
      {1920, 1080, 240, 540, 0, 383.28888f},
      {1920, 1080, 1680, 540, 1024, 383.28888f},
      {1440, 960, 720, 480, 512, 383.2f},  // exactly 3:2 has no margin
      {800, 600, 400, 300, 512, 382.72f},
  };
  for (const Case& c : cases) {
    const Vector2 mapped = GUICursor::MapMouse(c.x, c.y, c.w, c.h, 1024, 768);
    EXPECT_NEAR(mapped.x, c.gx, 1e-3) << c.w << "x" << c.h;
    EXPECT_NEAR(mapped.y, c.gy, 1e-3) << c.w << "x" << c.h;
  }
  EXPECT_EQ(GUICursor::MapMouse(5, 5, 0, 0, 1024, 768), Vector2());
}

TEST_F(GuiSystemTest, TheCursorWindowTakesTheMouseEveryFrameAndSelectsCursorsByName) {
  GUICursor* cursor = gui->GetCursor();
  ASSERT_NE(cursor, nullptr);
  EXPECT_FALSE(cursor->IsVisible());
  window::headless::SetClientSize(1024, 768);
  cInput::GetInstance()->InitInput();
  // Pressed at one point and let go at another before a slow frame, which finds the pointer at a
  // third: the frame offers the mouse, and makes the ray, at this poll's point, and keeps the others.
  window::headless::SetMousePosition(100, 68);
  input::headless::SetMouseButton(input::kButtonLeft, true);
  window::headless::SetMousePosition(200, 168);
  input::headless::SetMouseButton(input::kButtonLeft, false);
  window::headless::SetMousePosition(512, 384);
  cInput::GetInstance()->UpdateInput();
  Vector2 offered(-1.0f, -1.0f);
  new Handler(user, [&](Handler*) { offered = gui->GetMousePosition(); });
  Frame();
  EXPECT_NEAR(offered.x, 512.0f, 1e-3);
  EXPECT_NEAR(offered.y, 383.0f, 1e-3);
  EXPECT_NEAR(gui->GetRayOrigin().y, 383.0f, 1e-3);
  EXPECT_EQ(gui->GetRayOrigin().z, -100.0f);
  EXPECT_EQ(gui->GetRayDirection(), Vector3(0, 0, 1100));
  EXPECT_EQ(cursor->GetPressPosition(), Vector2(100.0f, 699.0f));
  EXPECT_EQ(cursor->GetReleasePosition(), Vector2(200.0f, 599.0f));
  EXPECT_TRUE(cInput::GetInstance()->Mouse().IsDown(cInput::kMouseLeft)) << "a click between polls is seen";
  user->DeleteChildren();

  cursor->AddCursor("lens", GUICursor::kCursorLens);
  window::Cursor* lens = cursor->GetCursors().at("lens");
  ASSERT_NE(lens, nullptr);
  cursor->AddCursor("lens", GUICursor::kCursorArrow);
  EXPECT_EQ(cursor->GetCursors().at("lens"), lens);  // loaded once
  cursor->SetCursor("lens");
  EXPECT_EQ(window::headless::GetPlacement().cursor, lens);
  cursor->SetCursor("nothing");
  EXPECT_EQ(cursor->GetCurrent(), nullptr);
  EXPECT_EQ(window::headless::GetPlacement().cursor, nullptr);
  EXPECT_EQ(cursor->GetCursors().count("nothing"), 0u) << "selecting a name adds no entry";
  cursor->AddCursor("nothing", GUICursor::kCursorEmpty);
  EXPECT_NE(cursor->GetCursors().at("nothing"), nullptr) << "a name once selected can still be added";
  cursor->AddCursor("arrow", GUICursor::kCursorArrow);
  cursor->SetCursor("arrow");
  EXPECT_EQ(window::headless::GetPlacement().cursors, 3);
  DestroySingletons();  // every cursor goes with the cursor window, the selected one first let go
  EXPECT_EQ(window::headless::GetPlacement().cursors, 0);
  EXPECT_EQ(window::headless::GetPlacement().cursor, nullptr);
}

// A slow frame finds the pointer moved on from where the button went down or came up: the press
// and the release are offered where they were made, so a key of a keypad gets its click.
TEST_F(GuiSystemTest, APressAndAReleaseLandWhereTheyWereMadeNotWhereTheFrameFindsThePointer) {
  // Steps: 'a', 'b', 'o' move the pointer onto button a, button b or off both; 'd' and 'u' put
  // the left button down and up; 'f' is a frame (one poll of the input, then the GUI).
  struct Case {
    const char* what;
    const char* steps;
    int clicks_a;
    int clicks_b;
  };
  const Case cases[] = {
      {"a click on a, then the pointer on b before one slow frame", "adubff", 1, 0},
      {"a click on a, then the pointer off before one slow frame", "aduoff", 1, 0},
      {"pressed on a, the pointer on b before the frame, released there", "adbfuf", 0, 0},
      {"pressed on a, released on a, the pointer off before the frame", "adfuof", 1, 0},
      {"pressed on a, released on a with the pointer still there", "adfuf", 1, 0},
      {"a click on b, then the pointer on a", "bduaff", 0, 1},
  };
  window::headless::SetClientSize(1024, 768);
  cInput* input = cInput::GetInstance();
  input->InitInput();
  for (const Case& c : cases) {
    auto* a = new GUIButton(user, "a");
    auto* b = new GUIButton(user, "b");
    PlaceQuad(*a, 100, 100, 100, 40);
    PlaceQuad(*b, 300, 100, 100, 40);
    int clicks_a = 0;
    int clicks_b = 0;
    for (const char* step = c.steps; *step != '\0'; ++step) {
      // Client pixels of the buttons' middles (the GUI's y runs up) and of a point off both.
      switch (*step) {
        case 'a': window::headless::SetMousePosition(150, 647); break;
        case 'b': window::headless::SetMousePosition(350, 647); break;
        case 'o': window::headless::SetMousePosition(700, 100); break;
        case 'd': input::headless::SetMouseButton(input::kButtonLeft, true); break;
        case 'u': input::headless::SetMouseButton(input::kButtonLeft, false); break;
        case 'f':
          ASSERT_TRUE(input->UpdateInput()) << c.what;
          Frame();
          clicks_a += a->WasClicked() ? 1 : 0;
          clicks_b += b->WasClicked() ? 1 : 0;
          break;
        default: FAIL() << "unknown step " << *step;
      }
    }
    EXPECT_EQ(clicks_a, c.clicks_a) << c.what;
    EXPECT_EQ(clicks_b, c.clicks_b) << c.what;
    // The mouse at rest between cases.
    input->UpdateInput();
    Frame();
    user->DeleteChildren();
  }
}

}  // namespace
