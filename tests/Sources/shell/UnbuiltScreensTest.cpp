// Screens the game cannot build: one report a screen, a fatal one taking the place of a waiting
// one, the box's OK ending the game only for a fatal report, and an end at once without a box.

#include "Sources/shell/ApplicationFrame.h"
#include "Sources/shell/screens/MessageBoxes.h"
#include "Sources/shell/screens/UnbuiltScreens.h"
#include "tests/Sources/shell/ScreenTestSupport.h"

namespace {

// The application frame as the game sees it: it only counts the quits asked of it.
class CountingFrame : public ApplicationFrame {
 public:
  CountingFrame() { SetCurrent(this); }
  ~CountingFrame() { Withdraw(this); }
  void SetDeactivateHandler(const DelegatePtr& handler) override { m_handler = handler; }
  const DelegatePtr& GetDeactivateHandler() const override { return m_handler; }
  bool Quit() override {
    ++quits;
    return true;
  }
  int quits = 0;

 private:
  DelegatePtr m_handler;
};

class UnbuiltScreensTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    ResetUnbuiltScreens();
  }
  void TearDown() override {
    ResetUnbuiltScreens();
    ScreenTest::TearDown();
  }
  CountingFrame frame;
};

TEST_F(UnbuiltScreensTest, ASubScreenIsToldAndTheGameGoesOnAMenuIsToldAndItsOkEndsTheGame) {
  MountForms(SmallDialogForms());
  ReportUnbuiltScreen("GameOptions", false);
  ReportUnbuiltScreen("GameOptions", false);
  ShowUnbuiltScreenReports();
  ASSERT_TRUE(IsMessageBoxShown());
  GetMessageBox()->OnOk(0);
  ShowUnbuiltScreenReports();
  EXPECT_FALSE(IsMessageBoxShown()) << "one report a screen, however often it was asked for";
  EXPECT_EQ(frame.quits, 0);
  EXPECT_EQ(GetShellFailure(), "");

  // A fatal report waiting behind a plain one takes its place.
  ReportUnbuiltScreen("GameHelp", false);
  ReportUnbuiltScreen("MainMenu", true);
  ShowUnbuiltScreenReports();
  ASSERT_TRUE(IsMessageBoxShown());
  EXPECT_NE(GetShellFailure().find("MainMenu cannot be built"), std::string::npos)
      << "set at once: closing the window instead of OK ends the same way";
  EXPECT_EQ(frame.quits, 0) << "the player reads it first";
  GetMessageBox()->OnOk(0);
  EXPECT_EQ(frame.quits, 1);

  // The box's next message has a callback of its own, or none.
  ShowMessageBox(u"Note", u"Text");
  GetMessageBox()->OnOk(0);
  EXPECT_EQ(frame.quits, 1);
}

TEST_F(UnbuiltScreensTest, WithoutTheBoxTheGameEndsAtOnce) {
  MountForms({});  // no form at all: not even the message box can be built
  ReportUnbuiltScreen("GameEnterName", true);
  EXPECT_EQ(frame.quits, 0) << "nothing before the screen is the player's";
  ShowUnbuiltScreenReports();
  EXPECT_FALSE(IsMessageBoxShown());
  EXPECT_EQ(frame.quits, 1);
  EXPECT_NE(GetShellFailure().find("GameEnterName cannot be built"), std::string::npos);
}

}  // namespace
