// Forms and dialogs opened, closed and opened again many times and deleted in every state, each
// holding the last reference to its form: run under the address sanitizer, nothing freed is
// touched and nothing is lost.

#include <gtest/gtest.h>

#include "gui/include/DialogWindow.h"
#include "gui/include/GUIStateWindow.h"
#include "source/Resources/cResourceLocation.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderObject.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

class OpenCloseTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    FixtureTree(root.Path(), "data")
        .AddResourceList("gui/forms.resource",
                         {{"gui\\dialogs\\ask", "form",
                           "<form><window name=\"back\" shader=\"gui\\back\" size=\"300 200 1\">"
                           "<window name=\"yes\" shader=\"gui\\button\" size=\"80 30 1\"/>"
                           "<window name=\"no\" shader=\"gui\\button\" size=\"80 30 1\"/></window></form>"}});
    location = std::make_unique<cResourceLocation>("data", root.Path());
    ASSERT_TRUE(location->Mount());
  }
  void TearDown() override {
    user->DeleteChildren();
    location.reset();
    GuiTest::TearDown();
  }

  TempDir root{"velmaris-open-close"};
  std::unique_ptr<cResourceLocation> location;
};

TEST_F(OpenCloseTest, DialogsOpenedClosedAndDeletedManyTimesLeaveNothingBehind) {
  ModelManager* draw_list = RenderManager::GetInstance()->GetModelManager();
  for (int round = 0; round < 40; ++round) {
    auto* lower = new DialogWindow("lower");
    ASSERT_TRUE(lower->SetFormByName("gui\\dialogs\\ask"));
    auto* upper = new DialogWindow("upper");
    ASSERT_TRUE(upper->SetFormByName("gui\\dialogs\\ask"));
    lower->Show();
    upper->Show();
    upper->Show();
    for (int frame = 0; frame < round % 5; ++frame) Frame();
    (round % 2 == 0 ? lower : upper)->Hide();
    Frame();
    RenderManager::GetInstance()->RenderFrame();
    // Deleted in every state and order: open, closing, hidden.
    if (round % 3 == 0) {
      delete lower;
      delete upper;
    } else {
      delete upper;
      lower->Hide();
      delete lower;
    }
    EXPECT_EQ(gui->GetRoot()->GetActiveChild(), nullptr) << round;
    EXPECT_TRUE(draw_list->GetObjects().empty()) << round;
  }
}

}  // namespace
