// The shell's screens behind the main menu, headless: the options dialog's volumes and video
// mode, the profile screen's list with and without a scroll and its delete sequence, the main
// menu's sub-screens, welcome line, credits laps and logo.

#include "Sources/shell/cGame.h"
#include "Sources/shell/cScreenState.h"
#include "Sources/adventure/ComicsWindow.h"
#include "Sources/shell/screens/GameEnterName.h"
#include "Sources/shell/screens/GameOptions.h"
#include "Sources/shell/screens/GameProfile.h"
#include "Sources/shell/screens/MainMenuWindow.h"
#include "Sources/shell/screens/MessageBoxes.h"
#include "Sources/shell/userdata/cProfile.h"
#include "gui/include/GUIMenuItem.h"
#include "platform/os/os.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "source/properties/cProperties.h"
#include "source/text/TextConversion.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderManager.h"
#include "source/sound/cSoundManager.h"
#include "tests/Sources/shell/ScreenTestSupport.h"

namespace {

// A plain state that records nothing; screens return to it.
class PlainState : public cGameState {
 public:
  void Enter() override {}
  void Leave() override {}
};

std::string FrameList(int count, bool scroll) {
  std::string frames;
  for (int i = 0; i < count; ++i) frames += QuadButton("frame_" + std::to_string(i), 100, 600 - 50 * i, "menuitem");
  if (scroll) frames += "<scroll name=\"scroll\"/>";
  return frames + QuadButton("new", 600, 500) + QuadButton("rename", 600, 440) + QuadButton("delete", 600, 380) +
         QuadButton("back_to_game", 600, 100);
}

class ScreenMenusTest : public ScreenTest {
 protected:
  void Mount(int frames = 4, bool scroll = false) {
    auto forms = SmallDialogForms();
    forms.push_back({"gui\\windows\\users_menu", FrameList(frames, scroll)});
    forms.push_back({"gui\\windows\\options",
                     "<slider name=\"sound_volume\"/><slider name=\"music_volume\"/><checkbox name=\"relax_mode\"/>"
                     "<checkbox name=\"full_screen\"/>" + QuadButton("ok_btn", 100, 100) +
                         QuadButton("defaults_btn", 300, 100) + QuadButton("cancel_btn", 500, 100)});
    forms.push_back({"gui\\windows\\records", QuadButton("ok_btn", 100, 100)});
    forms.push_back({"gui\\windows\\help", QuadButton("return_btn", 100, 100)});
    std::string menu = "<static name=\"profile\"/><window name=\"eyes\"/>";
    for (const char* b : {"start_game_btn", "profile_btn", "options_btn", "records_btn", "help_btn", "exit_btn"}) {
      menu += QuadButton(b, 20, 20);
    }
    menu += QuadButton("start_game", 400, 500, "window") + QuadButton("options", 400, 400, "window") +
            QuadButton("exit", 400, 300, "window") + QuadButton("logo_a", 700, 600, "window") +
            QuadButton("logo_na", 700, 600, "window");
    forms.push_back({"gui\\windows\\main_menu", menu});
    forms.push_back({"gui\\credits\\credits", "<static name=\"page\"/>"});  // a page that can be built
    MountForms(forms);
  }
  // The windows placed and drawn once, as the game's frame does: their models' boxes lie where
  // they are drawn.
  void DrawnFrame() {
    gui->UpdateLayout();
    RenderManager::GetInstance()->GetModelManager()->Render();
  }
  // The frames' names, "-" for a disabled one, "*" after the marked one.
  static std::string Shown(const GameProfile& screen) {
    std::string shown;
    for (std::size_t i = 0; i < screen.GetFrames().size(); ++i) {
      const auto* frame = static_cast<const GUIMenuItem*>(screen.GetFrames()[i]);
      if (i > 0) shown += ' ';
      shown += frame->IsEnabled() ? WideToUtf8(screen.GetShownNames()[i]) : "-";
      if (frame->IsSelected()) shown += '*';
    }
    return shown;
  }

  // The players named, `current` chosen among them.
  void Players(std::initializer_list<const char16_t*> names, const char16_t* current) {
    AddProfiles(names);
    Profiles().Select(current);
  }
  GameProfile* ShownProfileScreen() {
    auto* screen = new GameProfile(&menu_state);
    screen->Show();
    return screen;
  }
  // A name typed into the open name prompt and taken with OK.
  void EnterName(const std::string& name) {
    Found(Found(GetEnterNameDialog()).FindChild("edit_box_name")).SetValue("text", name);
    Found(GetEnterNameDialog()).OnOk(0);
  }
  // The pointer at a point of the form (GUI y grows upward, the window's downward), then a frame.
  void PointAt(int x, int y) {
    window::headless::SetMousePosition(x, 767 - y);
    cInput::GetInstance()->UpdateInput();
    DrawnFrame();
    Frames(2);
  }

  PlainState menu_state;
};

TEST_F(ScreenMenusTest, OptionsCancelRestoresTheVolumesExactlyAndOkResetsTheModeOnlyOnAChange) {
  Mount();
  cSoundManager& sound = *cSoundManager::GetInstance();
  sound.GetDevice().StopThread();
  auto* options = new GameOptions("gui\\windows\\options", &menu_state);
  GUIWindow& music = Found(options->FindChild("music_volume"));
  const struct {
    int music, sound;
  } volumes[] = {{53, 29}, {7, 100}, {0, 1}, {57, 58}};
  for (const auto& v : volumes) {
    sound.SetMusicVolume(v.music);
    sound.SetSoundVolume(v.sound);
    const float music_before = sound.GetMusicVolume(), sound_before = sound.GetSoundVolume();
    options->Show();
    EXPECT_EQ(sound.GetMusicVolume(), music_before) << v.music << " changed by opening";
    music.SetValue("cur", "20");
    EXPECT_FLOAT_EQ(sound.GetMusicVolume(), 0.2f) << "heard at once";
    options->OnDefaults(0);
    options->OnCancel(0);
    EXPECT_EQ(sound.GetMusicVolume(), music_before) << v.music;
    EXPECT_EQ(sound.GetSoundVolume(), sound_before) << v.sound;
    EXPECT_EQ(options->GetNextState(), &menu_state);
  }
  // Relax mode is unchecked at every opening; OK with the box unchanged resets nothing.
  const auto resets = [this] {
    const std::string log = LogText();
    std::size_t count = 0;
    for (std::size_t at = log.find("Reseting"); at != std::string::npos; at = log.find("Reseting", at + 1)) ++count;
    return count;
  };
  Found(options->FindChild("relax_mode")).SetValue("checked", "true");
  options->Show();
  EXPECT_EQ(Found(options->FindChild("relax_mode")).GetValue("checked"), "false");
  EXPECT_EQ(Found(options->FindChild("full_screen")).GetValue("checked"), "false");
  ModelManager& models = *RenderManager::GetInstance()->GetModelManager();
  const std::size_t before = resets();
  options->OnOk(0);
  EXPECT_EQ(resets(), before);
  EXPECT_FALSE(models.IsModeChanged());
  options->Show();
  Found(options->FindChild("full_screen")).SetValue("checked", "true");
  options->OnOk(0);
  EXPECT_EQ(resets(), before + 1);
  EXPECT_TRUE(models.IsModeChanged()) << "told of the new mode";
  models.Render();
  EXPECT_FALSE(models.IsModeChanged()) << "until the first frame in it";
  EXPECT_EQ(cProperties::GetInstance()->GetValue("video_fullscreen"), "true");
  EXPECT_EQ(GameOptions::ToPercent(0.53f), 53);
  EXPECT_EQ(GameOptions::ToPercent(0.995f), 100);
}

TEST_F(ScreenMenusTest, WithoutAScrollTheFramesShowEveryNameAndEmptyOnesAreClearedAndDisabled) {
  Mount();
  Players({u"Cleo", u"Ann", u"Bob"}, u"Bob");
  GameProfile* screen = ShownProfileScreen();
  EXPECT_EQ(Shown(*screen), "Ann Bob* Cleo -");
  EXPECT_TRUE(Found(screen->FindChild("new")).IsEnabled());
  AddProfiles({u"Dan"});
  screen->FillList(true);
  EXPECT_EQ(Shown(*screen), "Ann Bob* Cleo Dan");
  EXPECT_FALSE(Found(screen->FindChild("new")).IsEnabled());
  // Players past the last frame stay listed, and the log names them.
  AddProfiles({u"Eve", u"Fay"});
  screen->FillList(true);
  EXPECT_EQ(Shown(*screen), "Ann Bob* Cleo Dan");
  EXPECT_TRUE(LogHas("shows 4 of 6 players; not shown, and kept with their files: \"Eve\", \"Fay\"")) << LogText();
  Profiles().Delete(u"Eve");
  Profiles().Delete(u"Fay");
  Profiles().Delete(u"Cleo");
  Profiles().Delete(u"Dan");
  screen->FillList(true);
  EXPECT_EQ(Shown(*screen), "Ann Bob* - -");
  // A click on a frame makes its player current.
  screen->OnFrame(reinterpret_cast<DelegateArg>(screen->GetFrames()[0]));
  EXPECT_EQ(Found(Profiles().GetCurrent()).m_name, u"Ann");
  screen->OnBack(0);
  EXPECT_EQ(screen->GetNextState(), &menu_state);
}

TEST_F(ScreenMenusTest, WithAScrollTheListPagesToTheCurrentPlayerAndScrollsWhenAsked) {
  Mount(4, true);
  Players({u"p0", u"p1", u"p2", u"p3", u"p4", u"p5", u"p6", u"p7", u"p8"}, u"p7");
  GameProfile* screen = ShownProfileScreen();
  GUIWindow& scroll = Found(screen->GetScroll());
  EXPECT_EQ(scroll.GetValue("max").substr(0, 1), "5");
  EXPECT_EQ(Shown(*screen), "p5 p6 p7* p8");
  EXPECT_TRUE(scroll.IsShown());
  scroll.SetValue("cur", "1");  // the player scrolls: the page follows, the scroll stays
  EXPECT_EQ(Shown(*screen), "p1 p2 p3 p4");
  screen->OnFrame(reinterpret_cast<DelegateArg>(screen->GetFrames()[2]));
  EXPECT_EQ(Found(Profiles().GetCurrent()).m_name, u"p3");
  screen->FillList(true);  // after a change the page goes to the current player again
  EXPECT_EQ(Shown(*screen), "p3* p4 p5 p6");
  for (const char16_t* name : {u"p0", u"p1", u"p2", u"p4", u"p5", u"p6"}) Profiles().Delete(name);
  screen->FillList(true);
  EXPECT_EQ(Shown(*screen), "p3* p7 p8 -");
  EXPECT_FALSE(scroll.IsShown()) << "every name fits: nothing to scroll";
}

TEST_F(ScreenMenusTest, DeletingTheLastPlayerAsksForANewOneAndOnlyQuittingRefuses) {
  Mount();
  Players({u"Ann"}, u"Ann");
  GameProfile* screen = ShownProfileScreen();
  screen->OnDelete(0);
  ASSERT_TRUE(IsMessageBoxShown());
  EXPECT_EQ(Text(Found(GetYesNoBox()), "main_text_0"), "All is lost. Delete \"Ann\"?");
  Found(GetYesNoBox()).OnYes(0);
  EXPECT_TRUE(Profiles().GetProfiles().empty());
  ASSERT_TRUE(Found(GetEnterNameDialog()).IsOpen()) << "the first-profile prompt";
  for (int round = 0; round < 2; ++round) {
    Found(GetEnterNameDialog()).OnCancel(0);
    ASSERT_TRUE(Found(GetYesNoBox()).IsOpen()) << "the exit question";
    EXPECT_EQ(Text(Found(GetYesNoBox()), "main_text_0"), "The sea will wait.");
    Found(GetYesNoBox()).OnNo(0);
    EXPECT_TRUE(Found(GetEnterNameDialog()).IsOpen()) << "the prompt again";
  }
  EnterName("Bea");
  ASSERT_NE(Profiles().GetCurrent(), nullptr);
  EXPECT_EQ(Found(Profiles().GetCurrent()).m_name, u"Bea");
  EXPECT_EQ(Shown(*screen), "Bea* - - -");
}

TEST_F(ScreenMenusTest, TheMenuOpensItsSubScreensAndWelcomesTheCurrentPlayerAtOnce) {
  Mount();
  auto* menu = new MainMenuWindow(&menu_state);
  menu->Show();
  ASSERT_TRUE(Found(GetEnterNameDialog()).IsOpen()) << "no player yet: the name prompt";
  EnterName(std::string(30, 'x'));
  EXPECT_TRUE(Found(GetEnterNameDialog()).IsOpen()) << "a name that cannot be given asks again";
  EnterName("Ann");
  Frames(3);
  EXPECT_EQ(Text(*menu, "profile"), "Welcome, Ann!");
  // The first player is listed and made current in one save: no saved list, the backup
  // included, names players with none current (a game played then would never be saved).
  EXPECT_EQ(players.ReadFile("usersdata/profiles.pmf.bak"), players.ReadFile("usersdata/profiles.pmf"))
      << "the backup is the list as saved";
  const struct {
    DelegateArg (MainMenu::*button)(DelegateArg);
    cScreenState* state;
  } screens[] = {{&MainMenu::OnProfile, menu->GetProfileState()},
                 {&MainMenu::OnOptions, menu->GetOptionsState()},
                 {&MainMenu::OnRecords, menu->GetRecordsState()},
                 {&MainMenu::OnHelp, menu->GetHelpState()}};
  for (const auto& s : screens) {
    (menu->*s.button)(0);
    EXPECT_EQ(menu_state.GetSubState(), s.state);
    EXPECT_EQ(user->GetActiveChild(), dynamic_cast<GUIWindow*>(s.state->GetWindow()));
    menu_state.ChangeSubState(&menu_state);
    EXPECT_EQ(user->GetActiveChild(), menu);
  }
  // A rename and a deletion reach the welcome line in the next frame.
  Profiles().Rename(u"Ann", u"Anna");
  Frames(1);
  EXPECT_EQ(Text(*menu, "profile"), "Welcome, Anna!");
  Profiles().Delete(u"Anna");
  Frames(1);
  EXPECT_EQ(Text(*menu, "profile"), "");
}

TEST_F(ScreenMenusTest, APlayersNameReadsTheSameInTheWelcomeTheListAndTheDeleteQuestion) {
  Mount();
  const struct {
    const char16_t* stored;
    const char16_t* shown;  // as it reads on the screen, left to right
    const char16_t* listed;  // as the players list shows it, when it is cut to its line
  } names[] = {
      {u"Ann", u"Ann", nullptr},
      {u"\u05D3\u05E0\u05D4", u"\u05D4\u05E0\u05D3", nullptr},
      {u"Ann \u05D0\u05D1", u"Ann \u05D1\u05D0", nullptr},
      // Saved by an older build, which took 24 characters: the list's line (100 wide) cuts it.
      {u"WWWWWWWWWWWWWWWWWWWWWWWW", u"WWWWWWWWWWWWWWWWWWWWWWWW", u"WWWWWWWWWWWWWWWWW..."},
  };
  auto* menu = new MainMenuWindow(&menu_state);
  auto* screen = new GameProfile(&menu_state);
  for (const auto& n : names) {
    ASSERT_NE(Profiles().Add(n.stored), nullptr);
    Profiles().Select(n.stored);
    const std::string shown = WideToUtf8(n.shown);
    menu->Show();
    Frames(1);
    EXPECT_EQ(Text(*menu, "profile"), "Welcome, " + shown + "!");
    screen->Show();
    EXPECT_EQ(WideToUtf8(static_cast<GUIMenuItem*>(screen->GetFrames()[0])->GetText()),
              n.listed != nullptr ? WideToUtf8(n.listed) : shown);
    screen->OnDelete(0);
    ASSERT_TRUE(IsMessageBoxShown());
    EXPECT_EQ(Text(Found(GetYesNoBox()), "main_text_0"), "All is lost. Delete \"" + shown + "\"?");
    Found(GetYesNoBox()).OnNo(0);
    Profiles().Delete(n.stored);
    menu->Hide();
    screen->Hide();
  }
}

TEST_F(ScreenMenusTest, ThreeHoverLapsInOrderMakeALapAndAnythingElseStartsOver) {
  Mount();
  Players({u"Ann"}, u"Ann");
  auto* menu = new MainMenuWindow(&menu_state);
  menu->Show();
  const struct {
    std::vector<int> hovers;
    int laps;
  } cases[] = {
      {{1, 2, 3}, 1},
      {{1, 2, 3, 1, 2, 3}, 2},
      {{1, 1, 0, 2, 2, 0, 3}, 1},  // the same target twice counts once; off all targets keeps on
      {{1, 2, 3, 2}, 0},           // a wrong target starts over
      {{2, 3}, 0},
      {{1, 3}, 0},
  };
  for (const auto& c : cases) {
    menu->HoverTarget(2);  // from a clean start: a wrong one resets
    menu->HoverTarget(3);
    menu->HoverTarget(2);
    ASSERT_EQ(menu->GetLaps(), 0);
    for (int h : c.hovers) menu->HoverTarget(h);
    EXPECT_EQ(menu->GetLaps(), c.laps);
  }
}

TEST_F(ScreenMenusTest, ANewPlayerWithATakenNameIsRefusedAndTheCurrentPlayerStays) {
  Mount();
  Players({u"Ann", u"Bob"}, u"Bob");
  GameProfile* screen = ShownProfileScreen();
  for (const std::string& name : {std::string("Ann"), std::string("Bob"), std::string(30, 'x')}) {  // another's, the current one's, too long
    screen->OnNew(0);
    EnterName(name);
    EXPECT_TRUE(IsMessageBoxShown()) << name << ": the name-conflict notice";
    HideMessageBoxes();
    ASSERT_NE(Profiles().GetCurrent(), nullptr);
    EXPECT_EQ(Found(Profiles().GetCurrent()).m_name, u"Bob") << name;
    EXPECT_EQ(Profiles().GetProfiles().size(), 2u);
  }
  screen->OnNew(0);
  EnterName("Cid");
  EXPECT_FALSE(IsMessageBoxShown());
  EXPECT_EQ(Found(Profiles().GetCurrent()).m_name, u"Cid");
}

// Hover laps count only while the menu is in front and open one credits page at a time; the logo
// lights and opens the website only with the menu in front, never behind the credits.
TEST_F(ScreenMenusTest, HoverLapsAndTheLogoAnswerOnlyWhileTheMenuIsInFront) {
  for (const char* name : {"logo_a", "logo_na", "logo_a_alpha", "logo_na_alpha"}) {
    pictures.push_back({name, GreyTga(90)});
  }
  Mount();
  Players({u"Ann"}, u"Ann");
  TempDir exe{"velmaris-exe"};
  exe.WriteFile("website.url", "[InternetShortcut]\nURL=https://example.org/velmaris\n");
  cProperties::GetInstance()->SetValue("exe_directory", exe.Path());
  os::ClearRecordedDesktopRequests();
  window::headless::SetClientSize(1024, 768);  // the pointer's pixels are the form's units
  cInput::GetInstance()->InitInput();
  const auto three_laps = [this] {
    for (int lap = 0; lap < MainMenuWindow::kLapsForCredits; ++lap) {
      for (int target : {1, 2, 3}) PointAt(450, 620 - 100 * target);  // over a target of the form
    }
    Frames(1);
  };
  const auto credits_pages = [](const GUIWindow& menu) {
    int pages = 0;
    for (const GUIWindow* child : menu.GetChildren()) pages += dynamic_cast<const ComicsWindow*>(child) != nullptr;
    return pages;
  };
  const auto over_logo = [this] { PointAt(750, 620); };
  auto* menu = new MainMenuWindow(&menu_state);
  menu->Show();
  DrawnFrame();  // the game draws the menu as it appears: the logo's quad is placed before it is picked
  Frames(3);
  GUIWindow& lit = Found(menu->FindChild("logo_a"));
  GUIWindow& unlit = Found(menu->FindChild("logo_na"));
  // Behind a sub-screen the targets are not the player's to hover.
  menu->OnOptions(0);
  ASSERT_NE(menu_state.GetSubState(), &menu_state);
  three_laps();
  EXPECT_EQ(menu->GetCredits(), nullptr) << "no credits behind the options";
  menu_state.ChangeSubState(&menu_state);
  Frames(3);
  PointAt(100, 700);
  ASSERT_FALSE(lit.IsShown());
  ASSERT_TRUE(unlit.IsShown());
  three_laps();
  ComicsWindow* credits = menu->GetCredits();
  ASSERT_NE(credits, nullptr) << "the laps in front of the player open the credits";
  EXPECT_EQ(menu->GetActiveChild(), credits);
  Frames(4);
  EXPECT_TRUE(credits->IsReady());
  // Three more laps over the open page neither open a second one nor lose the first.
  three_laps();
  EXPECT_EQ(menu->GetCredits(), credits);
  EXPECT_EQ(credits_pages(*menu), 1);
  // Over the credits page the logo behind it neither lights nor takes the click.
  over_logo();
  EXPECT_FALSE(lit.IsShown()) << "lit behind the credits";
  EXPECT_TRUE(unlit.IsShown());
  MouseFrame(true);
  MouseFrame(false);
  EXPECT_TRUE(os::RecordedDesktopRequests().empty()) << "the website opened behind the credits";
  Frames(6);
  ASSERT_EQ(menu->GetCredits(), nullptr) << "the click closed the credits, and it is deleted";
  EXPECT_EQ(menu->FindChild("comics"), nullptr);
  EXPECT_EQ(menu->GetActiveChild(), menu);
  EXPECT_EQ(menu->GetLaps(), 0);
  // In front of the player the logo lights and a click opens the website once.
  over_logo();
  EXPECT_TRUE(lit.IsShown());
  EXPECT_FALSE(unlit.IsShown());
  MouseFrame(true);
  MouseFrame(true);
  MouseFrame(false);
  EXPECT_EQ(os::RecordedDesktopRequests(), std::vector<std::string>{"open https://example.org/velmaris"});
}

}  // namespace
