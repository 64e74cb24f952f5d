#include "Sources/shell/screens/MainMenu.h"

#include "Sources/shell/OpenExeDirectoryFile.h"
#include "Sources/shell/cScreenState.h"
#include "Sources/shell/screens/GameEnterName.h"
#include "Sources/shell/screens/GameOptions.h"
#include "Sources/shell/screens/GameProfile.h"
#include "Sources/shell/screens/ProfilePrompts.h"
#include "Sources/shell/screens/ReturnScreens.h"
#include "Sources/shell/screens/ScreenSupport.h"
#include "Sources/shell/screens/UnbuiltScreens.h"
#include "Sources/shell/userdata/ProfilesList.h"
#include "Sources/shell/userdata/cProfile.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWidgetSupport.h"
#include "source/log/cLog.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundManager.h"
#include "source/text/TextConversion.h"
#include "source/texture/TextureResource.h"

namespace {

constexpr const char* kSource = "Sources\\shell\\MainMenu";

// Asked of the resource list: the pictures are decoded once, by the logo's own textures.
bool TextureExists(const char* name) {
  if (cResourceManager::GetInstance()->HasResource<TextureResource>(name)) return true;
  LogReport(kLogWarning, kSource, __LINE__, "main menu: texture %s not found", name);
  return false;
}

// Every sub-screen is hidden until its sub-state shows it.
std::unique_ptr<cScreenState> MakeSubState(cGameState* owner, GUIStateWindow* window) {
  return std::make_unique<cScreenState>(StateOwner(owner), window);
}

}  // namespace

MainMenu::MainMenu(cGameState* owning_state) : DialogWindow("MainMenu"), m_owning_state(owning_state) {
  SetFormByName("gui\\windows\\main_menu");
  SetState(kHidden);
  m_music.Assign("audio\\music\\menu");
  SetUpLogo();
  m_profile = MakeSubState(owning_state, new GameProfile(owning_state));
  m_options = MakeSubState(owning_state, new GameOptions("gui\\windows\\options", owning_state));
  m_records = MakeSubState(owning_state, new GameRecords(owning_state));
  m_help = MakeSubState(owning_state, new GameHelp(owning_state));
  BindChild(*this, "start_game_btn", "on_click", MakeMemberDelegate(this, &MainMenu::OnStartGame));
  BindChild(*this, "profile_btn", "on_click", MakeMemberDelegate(this, &MainMenu::OnProfile));
  BindChild(*this, "options_btn", "on_click", MakeMemberDelegate(this, &MainMenu::OnOptions));
  BindChild(*this, "records_btn", "on_click", MakeMemberDelegate(this, &MainMenu::OnRecords));
  BindChild(*this, "help_btn", "on_click", MakeMemberDelegate(this, &MainMenu::OnHelp));
  BindChild(*this, "exit_btn", "on_click", MakeMemberDelegate(this, &MainMenu::OnExit));
  if (GUIWindow* profile = FindChild("profile_btn")) profile->SetValue("never_select", "true");
}

MainMenu::~MainMenu() {
  m_on_new_game.Release();
  m_help.reset();
  m_records.reset();
  m_options.reset();
  m_profile.reset();
}

void MainMenu::SetUpLogo() {
  m_logo_active = FindChild("logo_a");
  m_logo_inactive = FindChild("logo_na");
  if (m_logo_active != nullptr) m_logo_active->Show(false);
  if (m_logo_inactive != nullptr) m_logo_inactive->Show(false);
  bool all = m_logo_active != nullptr && m_logo_inactive != nullptr;
  if (all) {
    for (const char* name : {"logo_a", "logo_na", "logo_na_alpha", "logo_a_alpha"}) all = TextureExists(name) && all;
  }
  if (all) {
    m_logo_active->Show(true);
  } else {
    m_logo_active = m_logo_inactive = nullptr;
  }
}

void MainMenu::SetCallback(const std::string& name, const DelegatePtr& callback) {
  if (name == "on_new_game") m_on_new_game = callback;
}

void MainMenu::Show() {
  if (GetForm() == nullptr) {
    // Nothing could be drawn nor clicked: the player is told, and the game ends.
    ReportUnbuiltScreen(GetName(), true);
    return;
  }
  DialogWindow::Show();
  if (cSoundManager* sound = cSoundManager::PeekInstance(); sound != nullptr && m_music) sound->PlayMusic(m_music);
  PlayAnimation("working");
  ProfilesList* list = GetProfileList();
  if (list != nullptr && list->GetProfiles().empty()) {
    ShowFirstProfilePrompt(MakeMemberDelegate(this, &MainMenu::OnFirstName));
  }
}

DelegateArg MainMenu::OnFirstName(DelegateArg sender) {
  ProfilesList* list = GetProfileList();
  if (list == nullptr) return 0;
  const std::u16string name = NameFromSender(sender);
  list->AddCurrent(name);  // one save, naming the new player current
  // A name that could not be given (too long, another player's file name) leaves no player:
  // the prompt comes back rather than a menu without one.
  if (list->GetCurrent() == nullptr) ShowFirstProfilePrompt(MakeMemberDelegate(this, &MainMenu::OnFirstName));
  return 0;
}

void MainMenu::UpdateWelcomeLine() {
  ProfilesList* list = GetProfileList();
  const cProfile* current = list != nullptr ? list->GetCurrent() : nullptr;
  if (current == m_shown_profile && (current == nullptr || current->m_name == m_shown_name)) return;
  m_shown_profile = current;
  if (current == nullptr) {
    // The player welcomed last was deleted: nobody is welcomed any more.
    m_shown_name.clear();
    SetChildText(*this, "profile", std::u16string());
    return;
  }
  m_shown_name = current->m_name;
  std::u16string line = ShellText("profile_welcome");
  line += u' ';
  line += ShownPlayerName(current->m_name);
  const std::u16string end = ShellText("profile_welcome_1");
  line += end.empty() ? u"!" : end;
  SetChildText(*this, "profile", line);
}

bool MainMenu::Update() {
  UpdateWelcomeLine();
  return DialogWindow::Update();
}

bool MainMenu::HandleMouse(const Vector2& point, bool button_down) {
  GUISystem* gui = GUISystem::PeekInstance();
  const bool modal_child = GetActiveChild() != nullptr && GetActiveChild() != this;
  if (m_logo_active != nullptr && gui != nullptr && !modal_child && GetState() == kWorking) {
    const RenderObject* model = m_logo_active->GetVisual().GetModel();
    if (model != nullptr && model->PickByRay(gui->GetRayOrigin(), gui->GetRayDirection())) {
      m_logo_active->Show(true);
      m_logo_inactive->Show(false);
      if (IsLeftButtonFreshPress()) OpenExeDirectoryFile("website.url");
    } else if (m_logo_active->IsShown()) {
      m_logo_active->Show(false);
      m_logo_inactive->Show(true);
    }
  }
  return GUIStateWindow::HandleMouse(point, button_down);
}

DelegateArg MainMenu::OnStartGame(DelegateArg) {
  // A game is only played for a player it can be saved for.
  if (ProfilesList* list = GetProfileList(); list != nullptr && list->GetCurrent() == nullptr) {
    if (list->GetProfiles().empty()) {
      ShowFirstProfilePrompt(MakeMemberDelegate(this, &MainMenu::OnFirstName));
      return 0;
    }
    list->Select(list->GetProfiles().begin()->first);
  }
  if (m_on_new_game) DelegatePtr(m_on_new_game)->Invoke(reinterpret_cast<DelegateArg>(this));
  return 0;
}

void MainMenu::OpenSubScreen(cScreenState* state) {
  auto* window = dynamic_cast<GUIStateWindow*>(state->GetWindow());
  if (m_owning_state == nullptr || window == nullptr) return;
  if (!CanShowDialog(window)) return;
  m_owning_state->ChangeSubState(state);
}

DelegateArg MainMenu::OnProfile(DelegateArg) {
  OpenSubScreen(m_profile.get());
  return 0;
}

DelegateArg MainMenu::OnOptions(DelegateArg) {
  OpenSubScreen(m_options.get());
  return 0;
}

DelegateArg MainMenu::OnRecords(DelegateArg) {
  OpenSubScreen(m_records.get());
  return 0;
}

DelegateArg MainMenu::OnHelp(DelegateArg) {
  OpenSubScreen(m_help.get());
  return 0;
}

DelegateArg MainMenu::OnExit(DelegateArg) {
  AskExitQuestion(DelegatePtr());
  return 0;
}
