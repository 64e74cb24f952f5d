// The shell's small dialogs and start-up windows, headless with a frame clock: the message boxes,
// the name entry, the logo window's pictures and the loading screen's fade.

#include "Sources/shell/AdventureGame.h"
#include "Sources/shell/cScreenState.h"
#include "Sources/shell/screens/FadeWindow.h"
#include "Sources/shell/screens/GameEnterName.h"
#include "Sources/shell/screens/ImageOverlay.h"
#include "Sources/shell/screens/LogoWindow.h"
#include "Sources/shell/screens/MessageBoxes.h"
#include "gui/include/GUIEditBox.h"
#include "platform/gfx/headless/Headless.h"
#include "source/Resources/cResourcePtr.h"
#include "source/camera/CameraManager.h"
#include "source/properties/cProperties.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderManager.h"
#include "source/text/TextConversion.h"
#include "source/texture/TextureResource.h"
#include "tests/Sources/shell/ScreenTestSupport.h"

namespace {

class ScreenDialogsTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    pictures = {{"splash1", GreyTga(40)}, {"splash2", GreyTga(200)}};
    std::vector<std::pair<std::string, std::string>> forms = SmallDialogForms();
    forms.push_back({"gui\\windows\\main_menu", "<static name=\"profile\"/>"});  // a menu that can be built
    MountForms(forms);
  }
};

TEST_F(ScreenDialogsTest, AYesNoQuestionKeepsItsCallbacksUntilAnsweredAndGivesTheMouseBack) {
  EXPECT_FALSE(IsMessageBoxShown());  // before either box was ever made
  auto* below = new DialogWindow("below");
  below->Show();
  std::vector<std::string> answers;
  bool open_in_callback = true;
  const auto answer = [&](const char* word) {
    return MakeCallableDelegate([&answers, &open_in_callback, word](DelegateArg) {
      answers.push_back(word);
      open_in_callback = Found(GetYesNoBox()).IsOpen();
    });
  };
  ShowYesNoBox(u"First question, long enough to flow on", u"Title", answer("first yes"), answer("first no"));
  ShowYesNoBox(u"Second", u"Ignored", answer("second yes"), DelegatePtr());  // the first stays
  GameYesNoBox& box = Found(GetYesNoBox());
  EXPECT_EQ(Text(box, "main_text_0"), "First question, long enough to flow on");
  EXPECT_EQ(user->GetActiveChild(), &box);
  EXPECT_TRUE(IsMessageBoxShown());
  Frames(3);
  ClickChild(box, "no");
  EXPECT_EQ(answers, std::vector<std::string>{"first no"});
  EXPECT_FALSE(open_in_callback) << "the box hides before its callback runs";
  EXPECT_EQ(user->GetActiveChild(), below) << "the window modal before the box is modal again";

  // The next, shorter question leaves nothing of the longer one in the linked statics; an empty
  // "no" only hides the box.
  Found(box.FindChild("main_text_1")).SetValue("text", "rest of the first");
  ShowYesNoBox(u"Short", u"Title", answer("yes"), DelegatePtr());
  EXPECT_EQ(Text(box, "main_text_1"), "");
  box.OnNo(0);
  EXPECT_FALSE(IsMessageBoxShown());
  EXPECT_EQ(answers.size(), 1u);

  ShowMessageBox(u"Note", u"Text");
  ShowMessageBox(u"Second", u"Dropped");
  EXPECT_EQ(Text(Found(GetMessageBox()), "title_text_0"), "Note");
  Found(GetMessageBox()).OnOk(0);
  EXPECT_FALSE(IsMessageBoxShown());
}

TEST_F(ScreenDialogsTest, NameEntryEnablesOkOnTheTrimmedTextAndHandsOverTheTrimmedName) {
  std::u16string accepted;
  int cancelled = 0;
  const DelegatePtr on_accept = MakeCallableDelegate([&accepted](DelegateArg sender) { accepted = NameFromSender(sender); });
  ShowEnterNameDialog(u"New player", u"Your name:", u"", on_accept,
                      MakeCallableDelegate([&cancelled](DelegateArg) { ++cancelled; }));
  GameEnterName& dialog = Found(GetEnterNameDialog());
  EXPECT_EQ(user->FindChild("GameEnterName"), &dialog) << "found by its own name among the screens";
  auto& box = *static_cast<GUIEditBox*>(dialog.FindChild("edit_box_name"));
  GUIWindow& ok = Found(dialog.FindChild("ok_btn"));
  const struct {
    std::u16string text;
    bool enabled;
  } cases[] = {
      {u"", false},          {u"   ", false},         {u"\t\x01 \x1f", false},     {u" Ann ", true},
      {u"Жанна", true},      {u"\u05D0\u05D1\u05D2", true}, {u"\U0001F600", true}, {u"a", true},
  };
  for (const auto& c : cases) {
    box.SetText(c.text);
    EXPECT_EQ(ok.IsEnabled(), c.enabled) << WideToUtf8(c.text);
  }
  dialog.Hide();
  // Cyrillic and Hebrew reach the caller as typed; the blanks around a name do not (the menu's
  // welcome would show them before its "!"), those inside it do.
  const struct {
    std::u16string typed, name;
  } names[] = {{u"Жанна", u"Жанна"}, {u"\u05D3\u05E0\u05D4", u"\u05D3\u05E0\u05D4"}, {u" Ann ", u"Ann"},
               {u"Maximiliana ", u"Maximiliana"}, {u"Ann Lee\t", u"Ann Lee"}};
  for (const auto& n : names) {
    ShowEnterNameDialog(u"t", u"p", n.typed, on_accept, DelegatePtr());
    dialog.OnOk(0);
    EXPECT_EQ(accepted, n.name) << WideToUtf8(n.typed);
    EXPECT_FALSE(dialog.IsOpen());
  }
  // A second request while open changes nothing; Cancel without a handler only hides.
  ShowEnterNameDialog(u"t", u"p", u"first", on_accept, DelegatePtr());
  ShowEnterNameDialog(u"t", u"p", u"second", DelegatePtr(), DelegatePtr());
  EXPECT_EQ(Text(dialog, "edit_box_name"), "first");
  dialog.OnCancel(0);
  EXPECT_FALSE(dialog.IsOpen());
  EXPECT_EQ(cancelled, 0);
  // A spaces-only name never reaches the caller, even by a press on the disabled button.
  accepted = u"unchanged";
  ShowEnterNameDialog(u"t", u"p", u"   ", on_accept, DelegatePtr());
  dialog.OnOk(0);
  EXPECT_EQ(accepted, u"unchanged");
}

using DamagedDataTest = ScreenTest;

TEST_F(DamagedDataTest, ADialogWhoseFormIsMissingIsNeverAnInvisibleWindowHoldingTheMouse) {
  auto* menu = new DialogWindow("menu");
  menu->Show();
  ShowYesNoBox(u"q", u"t", DelegatePtr(), DelegatePtr());
  ShowMessageBox(u"t", u"q");
  ShowEnterNameDialog(u"t", u"p", u"", DelegatePtr(), DelegatePtr());
  EXPECT_FALSE(IsMessageBoxShown());
  EXPECT_FALSE(Found(GetEnterNameDialog()).IsOpen());
  EXPECT_EQ(user->GetActiveChild(), menu);
  EXPECT_TRUE(LogHas("its form is missing or damaged"));
}

TEST_F(ScreenDialogsTest, APictureOverTheScreenLiesWithinItsCamerasDepth) {
  ImageOverlay picture;
  ASSERT_TRUE(picture.SetTexture("splash1"));
  ASSERT_NE(picture.GetCamera(), nullptr);
  // The quad lies at depth 0: a camera whose near plane is in front of it would cut it away.
  EXPECT_LT(Found(picture.GetCamera())->m_near, 0.0f);
  EXPECT_GT(Found(picture.GetCamera())->m_far, 0.0f);
  EXPECT_FALSE(picture.SetTexture("missing"));
  EXPECT_TRUE(picture.HasTexture()) << "the picture before stays";
  EXPECT_FALSE(picture.HidesWhatIsBeneath()) << "a picture may have see-through parts";
  picture.SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.0f));
  const uint64_t draws = gfx::headless::DrawCount();
  picture.Draw();
  EXPECT_EQ(gfx::headless::DrawCount(), draws) << "no opacity, nothing drawn";
}

TEST(LogoOpacityTest, FadesInHoldsAndFadesOut) {
  const struct {
    float elapsed, opacity;
  } cases[] = {{0.0f, 0.0f}, {0.8f, 0.5f}, {1.6f, 1.0f}, {2.0f, 1.0f}, {2.4f, 1.0f}, {3.2f, 0.5f}, {4.0f, 0.0f}};
  for (const auto& c : cases) EXPECT_NEAR(LogoWindow::Opacity(c.elapsed, 4.0f), c.opacity, 1e-5f) << c.elapsed;
  EXPECT_EQ(LogoWindow::Opacity(1.0f, 0.0f), 0.0f);
}

TEST_F(ScreenDialogsTest, LogoPicturesTakeFourSecondsEachAndAClickSkipsOnlyOne) {
  auto* menu = new DialogWindow("menu");
  menu->Show();
  auto* logos = new LogoWindow("logo_window");
  for (const char* name : {"splash1", "missing", "splash2", "splash1"}) logos->Enqueue(name);
  logos->Show();
  EXPECT_EQ(logos->GetImageName(), "splash1");  // the first shows at once
  Frames(2);
  const struct {
    float seconds;
    float opacity;
  } fades[] = {{0.8f, 0.5f}, {1.2f, 1.0f}, {1.2f, 0.5f}};
  for (const auto& f : fades) {
    const float start = logos->GetElapsed();
    while (logos->GetElapsed() < start + f.seconds - 1e-3f) MouseFrame(false, 0.02f);
    EXPECT_NEAR(logos->GetImageOpacity(), f.opacity, 0.03f) << logos->GetElapsed();
  }
  Frames(45);  // past 4 s: the missing picture is skipped
  EXPECT_EQ(logos->GetImageName(), "splash2");
  // The button held down for many frames skips one picture only.
  MouseFrame(true);
  for (int i = 0; i < 10; ++i) MouseFrame(true);
  EXPECT_EQ(logos->GetImageName(), "splash1");
  EXPECT_EQ(logos->GetQueue().size(), 0u);
  MouseFrame(false);
  MouseFrame(true);  // a click on the last picture ends the sequence at once
  Frames(3);
  EXPECT_FALSE(logos->IsOpen());
  EXPECT_FALSE(logos->IsVisible());
  EXPECT_EQ(user->GetActiveChild(), menu);
  cResourcePtr<TextureResource> last;
  ASSERT_TRUE(last.Assign("splash1"));
  EXPECT_EQ(last->GetRefCount(), 1) << "the hidden logo window still holds its last picture";
}

// The loading screen runs its callback once and goes after the frame. The game behind it may take
// several frames to enter its place: then the screen keeps covering it (on top of whatever the
// callback showed) until it is ready, and goes.
TEST_F(ScreenDialogsTest, TheLoadingScreenRunsItsCallbackOnceAndCoversTheGameUntilItIsReady) {
  auto* menu = new DialogWindow("menu");
  menu->Show();
  int calls = 0;
  auto* fade = new FadeWindow("loading", "gui\\windows\\no_such_form", MakeCallableDelegate([&calls](DelegateArg) { ++calls; }));
  fade->Show();
  for (int i = 0; i < 12; ++i) Frame();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(user->FindChild("loading"), nullptr) << "deleted once it has gone";
  EXPECT_EQ(user->GetActiveChild(), menu);
  menu->Hide();  // remembers nothing of the deleted window
  Frames(2);
  EXPECT_EQ(user->GetActiveChild(), nullptr);

  bool ready = false;
  fade = new FadeWindow("loading", "gui\\windows\\no_such_form", MakeCallableDelegate([&](DelegateArg) {
    ++calls;
    (new DialogWindow("speech"))->Show();  // the place's first window, shown behind the screen's back
  }));
  fade->HoldUntil([&ready] { return ready; });
  fade->Show();
  for (int i = 0; i < 12; ++i) Frame();
  EXPECT_EQ(calls, 2);
  ASSERT_EQ(user->FindChild("loading"), fade) << "still covering the game";
  EXPECT_TRUE(fade->IsVisible());
  EXPECT_EQ(fade->GetState(), GUIStateWindow::kWorking);
  EXPECT_EQ(user->GetChildren().back(), fade) << "drawn over the window the callback showed";
  ready = true;
  for (int i = 0; i < 12; ++i) Frame();
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(user->FindChild("loading"), nullptr) << "gone once the game was ready";
}

// The program builds the shell after its first frame, which shows the logos' backdrop alone; the
// player then finds what a shell built at once gives: the logos in front holding the mouse, and
// beneath them the name prompt of a first start, or the menu.
class ShellStartTest : public ScreenDialogsTest, public ::testing::WithParamInterface<std::tuple<bool, bool>> {
 protected:
  void TearDown() override {
    AdventureGame::SetShellAfterFirstFrame(false);
    ScreenDialogsTest::TearDown();
  }
};

TEST_P(ShellStartTest, TheLogosCoverTheNamePromptOrTheMenuHowEverTheShellWasBuilt) {
  const auto [after_first_frame, has_player] = GetParam();
  cProperties::GetInstance()->SetUserFolder(players.Path());
  if (has_player) {
    AddProfiles({u"Ann"});
    ASSERT_TRUE(Profiles().Save());
  }
  AdventureGame::SetShellAfterFirstFrame(after_first_frame);
  AdventureGame& game = *GameInstance();
  ASSERT_NE(game.GetLogoWindow(), nullptr);
  if (after_first_frame) {
    EXPECT_EQ(game.GetCurrentState(), nullptr);
    const auto& overlays = RenderManager::GetInstance()->GetModelManager()->GetOverlays();
    ASSERT_FALSE(overlays.empty());
    EXPECT_TRUE(overlays.front()->HidesWhatIsBeneath()) << "the first frame shows the backdrop alone";
    Frame();
    game.FinishStart();
  }
  game.FinishStart();  // once only
  EXPECT_EQ(game.GetCurrentState(), game.GetMainMenuState());
  EXPECT_EQ(user->GetActiveChild(), game.GetLogoWindow());
  EXPECT_EQ(user->GetChildren().back(), game.GetLogoWindow()) << "in front of its siblings";
  Frames(3);
  Found(game.GetLogoWindow()).Hide();
  ASSERT_NE(user->GetActiveChild(), nullptr);
  EXPECT_EQ(Found(user->GetActiveChild()).GetName(), has_player ? "MainMenu" : "GameEnterName");
}

INSTANTIATE_TEST_SUITE_P(AtOnceOrAfterTheFirstFrame, ShellStartTest,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

}  // namespace
