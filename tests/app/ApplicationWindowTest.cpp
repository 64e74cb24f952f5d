// Creating the application window: the single-instance lock, a window that cannot be made, and
// the placement that ResizeWindow gives it.

#include <gtest/gtest.h>

#include "app/sources/cApplication.h"
#include "platform/os/os.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "source/core/Singleton.h"
#include "tests/support/TempDir.h"
#include "tests/support/Found.h"

namespace {

namespace headless = window::headless;

class ApplicationWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { DestroySingletons(); }
  void TearDown() override { DestroySingletons(); }
  // The application, its lock kept in the test's folder.
  cApplication* App() {
    cApplication* application = cApplication::GetInstance();
    application->SetInstanceLockFolder(folder.Path());
    return application;
  }
  TempDir folder{"velmaris-lock"};
};

TEST_F(ApplicationWindowTest, WindowIsCreatedHiddenWithTheTitleAndShownByResize) {
  cApplication* application = App();
  ASSERT_TRUE(application->Create("Velmaris"));
  headless::Placement placement = headless::GetPlacement();
  EXPECT_TRUE(placement.exists);
  EXPECT_EQ(placement.title, "Velmaris");
  EXPECT_FALSE(placement.shown);

  EXPECT_TRUE(application->ResizeWindow(40, 30, 800, 600, false));
  placement = headless::GetPlacement();
  EXPECT_TRUE(placement.shown);
  EXPECT_FALSE(placement.full_screen);
  EXPECT_EQ(placement.x, 40);
  EXPECT_EQ(placement.y, 30);
  EXPECT_EQ(placement.client.width, 800);
  EXPECT_EQ(placement.client.height, 600);
  EXPECT_EQ(application->GetClientRect().right, 800);
  EXPECT_EQ(application->GetClientRect().bottom, 600);
  EXPECT_FALSE(application->IsFullScreen());

  EXPECT_TRUE(application->ResizeWindow(0, 0, 1024, 768, true));
  placement = headless::GetPlacement();
  EXPECT_TRUE(placement.full_screen);
  EXPECT_TRUE(application->IsFullScreen());
  EXPECT_EQ(application->GetClientRect().right, 1024);
}

// The lock is named after the title and freed with the application; a second instance is refused
// silently, and a lock folder that cannot be used does not stop the game.
TEST_F(ApplicationWindowTest, TheLockKeepsOneInstanceOfATitleAndNeverStopsTheGame) {
  ASSERT_TRUE(App()->LockInstance("Velmaris"));
  EXPECT_TRUE(os::FileExists(folder / "my_projectVelmaris.lock"));
  DestroySingletons();
  bool held = false;
  auto first = os::InstanceLock::Acquire("my_projectVelmaris", folder.Path(), &held);
  ASSERT_NE(first, nullptr);
  cApplication* application = App();
  EXPECT_FALSE(application->LockInstance("Velmaris"));
  EXPECT_FALSE(application->Create("Velmaris"));
  EXPECT_FALSE(headless::GetPlacement().exists);
  EXPECT_TRUE(application->LockInstance("Other")) << "another title is another program";

  DestroySingletons();
  TempDir file_holder;
  file_holder.WriteFile("not_a_folder", "x");
  cApplication::GetInstance()->SetInstanceLockFolder(file_holder / "not_a_folder");
  EXPECT_TRUE(cApplication::GetInstance()->LockInstance("Velmaris"));
}

TEST_F(ApplicationWindowTest, WindowThatCannotBeMadeIsLogged) {
  headless::FailNextCreate("no display here");
  cApplication* application = App();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(application->Create("Velmaris"));
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_NE(printed.find("Creation window failed"), std::string::npos) << printed;
  EXPECT_NE(printed.find("no display here"), std::string::npos) << printed;
  EXPECT_EQ(application->GetWindow(), nullptr);
}

TEST_F(ApplicationWindowTest, CursorIsMadeCurrent) {
  cApplication* application = App();
  ASSERT_TRUE(application->Create("Velmaris"));
  const uint8_t pixels[4 * 4 * 4] = {};
  window::Cursor* cursor = &Found(window::CreateCursor(pixels, 4, 4, 0, 0));
  application->SetCursor(cursor);
  EXPECT_EQ(headless::GetPlacement().cursor, cursor);
}

TEST_F(ApplicationWindowTest, QuitApplicationMakesTheApplicationWhenAbsent) {
  EXPECT_EQ(cApplication::PeekInstance(), nullptr);
  QuitApplication(12345);
  ASSERT_NE(cApplication::PeekInstance(), nullptr);
  EXPECT_TRUE(cApplication::PeekInstance()->IsQuitting());
}

}  // namespace
