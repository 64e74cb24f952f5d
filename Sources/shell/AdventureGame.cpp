#include "Sources/shell/AdventureGame.h"

#include <new>

#include "Sources/adventure/CharacterDatabase.h"
#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/PhraseDatabase.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/shell/cScreenState.h"
#include "Sources/shell/screens/FadeWindow.h"
#include "Sources/shell/screens/LogoWindow.h"
#include "Sources/shell/screens/MainMenuWindow.h"
#include "Sources/shell/screens/MessageBoxes.h"
#include "Sources/shell/screens/ScreenSupport.h"
#include "Sources/shell/screens/UnbuiltScreens.h"
#include "Sources/shell/userdata/UserFile.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "Sources/shell/userdata/ProfilesList.h"
#include "Sources/shell/userdata/UserDataHolder.h"
#include "Sources/shell/userdata/cUserDataFactory.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindowManager.h"
#include "source/log/cLog.h"

namespace {

constexpr const char* kSource = "Sources\\shell\\AdventureGame";

// The windows the game panel and the hint window find their parents by.
constexpr const char* kPlainWindows[] = {"game_logic", "game_panel", "hint_window"};

bool IsGuiRunning() {
  const GUISystem* gui = GUISystem::PeekInstance();
  return gui != nullptr && gui->IsInitialised();
}

}  // namespace

AdventureGame::AdventureGame() = default;

AdventureGame::~AdventureGame() {
  m_game_flow.Release();
  m_main_menu.Release();
}

void AdventureGame::InitOnce() {
  if (m_initialised) return;
  m_initialised = true;  // first: code run by Init may reach the game through its accessor
  Init();
}

void AdventureGame::Init() {
  if (s_shell_after_first_frame && IsGuiRunning()) {
    // Only the logos' backdrop is made now: the first frame shows it alone, and FinishStart
    // builds the rest in the same order as below once that frame is on the screen.
    m_logo_window = new LogoWindow("logo_window");
    m_shell_pending = true;
    return;
  }
  BuildShell();
  ShowLogos();
}

void AdventureGame::Update(float dt) {
  cGame::Update(dt);
  if (m_shell_pending || !IsGuiRunning() || (m_logo_window != nullptr && m_logo_window->IsVisible())) return;
  ShowUnbuiltScreenReports();
  // In a game the flow shows it; on the menu (the game left for it) it is shown here.
  if (GetCurrentState() == m_main_menu.Get() && !IsMessageBoxShown() && UserFile::TakeSaveFailureNotice()) {
    ShowMessageBox(ShellText("progress_not_saved_title"), ShellText("progress_not_saved"));
  }
}

void AdventureGame::FinishStart() {
  if (!m_shell_pending) return;
  m_shell_pending = false;
  BuildShell();
  ShowLogos();
}

void AdventureGame::BuildShell() {
  cGame::Init();
  UserDataHolder::GetInstance()->Install(std::make_unique<GameUserDataFactory>(GetUserFolder()));
  const bool gui = IsGuiRunning();
  if (gui) {
    BuildWindows();
  } else {
    LogReport(kLogWarning, kSource, __LINE__, "the GUI is not running: the game starts without its screens");
  }
  CharacterDatabase::GetInstance();
  PhraseDatabase::GetInstance();
  HintWindow::GetInstance();
  m_main_menu.Reset(new cScreenState(StateOwner(this)));
  if (gui && !m_main_menu->IsReady()) {
    m_main_menu_window = new MainMenuWindow(m_main_menu.Get());
    m_main_menu_window->SetCallback("on_new_game", MakeMemberDelegate(this, &AdventureGame::OnNewGame));
    m_main_menu->SetWindow(m_main_menu_window);
  }
  ChangeState(m_main_menu.Get());
}

// In front of the menu, which is current already (and of the name prompt it opened).
void AdventureGame::ShowLogos() {
  if (!IsGuiRunning()) return;
  if (m_logo_window == nullptr) m_logo_window = new LogoWindow("logo_window");
  for (const char* image : kLogoImages) m_logo_window->Enqueue(image);
  m_logo_window->Show();
  m_logo_window->MoveToFront(false);  // last among its siblings: drawn over the menu
}

void AdventureGame::BuildWindows() {
  GUIWindowManager* windows = GUIWindowManager::GetInstance();
  GUIWindow* user = windows->GetWindow("user");
  if (user == nullptr) return;
  user->Show(true);
  for (const char* name : kPlainWindows) windows->RegisterWindow(name, new GUIWindow(user, name));
}

// The loading screen is drawn first: the panel and the place are built behind it once it covers
// the menu, and it goes only when the place is entered, so the menu is never seen again.
DelegateArg AdventureGame::OnNewGame(DelegateArg) {
  auto* fade = new FadeWindow("loading", "gui\\windows\\fade", MakeMemberDelegate(this, &AdventureGame::StartGameFlow));
  fade->HoldUntil([this] { return IsPlaceShown(); });
  fade->Show();
  fade->MoveToFront(false);
  SetGuiCursor("clock");
  return 0;
}

bool AdventureGame::IsPlaceShown() const {
  if (!m_game_flow || GetCurrentState() != m_game_flow.Get()) return true;  // the flow went back, or never came
  const int step = m_game_flow->GetSubState();
  return step != GameFlowController::kLoad && step != GameFlowController::kEnterLocation;
}

DelegateArg AdventureGame::StartGameFlow(DelegateArg) {
  GamePanel::GetInstance()->ReloadInventory();
  m_played = CurrentProfile;
  m_played_name = CurrentProfile != nullptr ? CurrentProfile->m_name : std::u16string();
  if (!m_game_flow) m_game_flow.Reset(new GameFlowController(StateOwner(this), m_main_menu.Get()));
  ChangeState(m_game_flow.Get());
  return 0;
}

bool AdventureGame::IsGameInProgress() const { return m_game_flow && !m_game_flow->IsLocationEnded(); }

cProfile* AdventureGame::FindPlayedProfile() const {
  const UserDataHolder* holder = UserDataHolder::PeekInstance();
  const ProfilesList* list = holder != nullptr ? holder->GetProfiles() : nullptr;
  if (list == nullptr || m_played == nullptr) return nullptr;
  for (const auto& [name, profile] : list->GetProfiles()) {
    // The name too: another profile made later may live where a deleted one was.
    if (profile.get() == m_played && name == m_played_name) return profile.get();
  }
  return nullptr;  // deleted (or renamed) since
}

bool AdventureGame::SaveProgress() {
  if (!IsGameInProgress()) return true;
  cProfile* played = FindPlayedProfile();
  if (played == nullptr) {
    LogReport(kLogWarning, kSource, __LINE__, "the game in progress belongs to no listed player: it is not saved");
    return true;  // nobody's progress to keep
  }
  if (played != CurrentProfile) {
    // Another player was chosen in the menu: the game's state is not theirs.
    return played->Save();
  }
  m_game_flow->SaveLocationState();
  if (GamePanel* panel = GamePanel::PeekInstance()) panel->StoreFlyingItems();
  return CurrentProfile->Save();
}

AdventureGame* GameInstance() {
  try {
    AdventureGame* game = AdventureGame::GetInstance();
    if (game != nullptr) game->InitOnce();
    return game;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
