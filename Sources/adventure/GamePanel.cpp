#include "Sources/adventure/GamePanel.h"

#include "Sources/adventure/DiaryWindow.h"
#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/GameMap.h"
#include "Sources/adventure/HelpDialog.h"
#include "Sources/adventure/HelpWindow.h"
#include "Sources/adventure/Inventory.h"
#include "Sources/adventure/PanelServices.h"
#include "Sources/shell/ApplicationFrame.h"
#include "Sources/shell/screens/GameOptions.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUIStateWindow.h"
#include "gui/include/GUIStatic.h"
#include "gui/include/GUIWindowManager.h"
#include "source/Resources/cXmlResource.h"
#include "source/log/cLog.h"
#include "source/properties/NumberText.h"
#include "source/sound/cSoundPlayer.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundManager.h"
#include "source/xml/XmlNode.h"

namespace {

constexpr const char* kSource = "Sources\\adventure\\GamePanel";

// Hidden when the panel is made: the exit mode's captions and the search's windows.
constexpr const char* kHiddenAtStart[] = {"exit_from_get_hint_text", "timer_cap", "game_panel_cap",
                                          "exit_from_get_hint", "left_true", "center_true", "right_true"};

float SecondsOf(const XmlNode* element, const char* name, float fallback) {
  const XmlNode* attribute = element != nullptr ? element->FindAttribute(name) : nullptr;
  if (attribute == nullptr) return fallback;
  const float value = static_cast<float>(ParseDouble(attribute->GetValue()));
  return value >= 0.0f && value < 1.0e6f ? value : fallback;
}

}  // namespace

GamePanel::GamePanel() {
  const DelegatePtr handler = MakeMemberDelegate(this, &GamePanel::OnDeactivate);
  GlobalDelegateMap()[kDelegateKey] = handler;
  if (ApplicationFrame* application = ApplicationFrame::GetCurrent()) application->SetDeactivateHandler(handler);
  LoadSearchSettings();
  BuildForm();
  BindHandlers();
  RegisterLandings();
  m_fly_effect.Assign(kFlyEffect);
  m_success_sound.Assign("audio\\game\\success");
  m_menu_click_sound.Assign("audio\\game\\menu_click");
  m_click_sound.Assign("audio\\game\\click");
  m_less_time_sound.Assign("audio\\game\\less_time");
  SetButtonMode(std::string(), false, DelegatePtr(), 0);
  m_game_running = true;
  m_location_services = std::make_unique<PanelLocationServices>(*this);
  m_mini_game_host = std::make_unique<PanelMiniGameHost>(*this);
  InstallLocationServices(m_location_services.get());
  SetMiniGameHost(m_mini_game_host.get());
}

GamePanel::~GamePanel() {
  if (&GetLocationServices() == m_location_services.get()) InstallLocationServices(nullptr);
  if (&GetMiniGameHost() == m_mini_game_host.get()) SetMiniGameHost(nullptr);
  FlyArrivalRegistry().clear();
  m_inventory.reset();
  if (m_diary != nullptr) m_diary->SetLinks({});  // the tree may keep the diary longer than the panel
  // Windows that found no parent (no GUI is running) belong to nobody else.
  for (GUIWindow* window : {static_cast<GUIWindow*>(m_help_dialog), static_cast<GUIWindow*>(m_game_menu),
                            static_cast<GUIWindow*>(m_small_map), static_cast<GUIWindow*>(m_big_map),
                            static_cast<GUIWindow*>(m_form), static_cast<GUIWindow*>(m_diary)}) {
    if (window != nullptr && window->GetParent() == nullptr) delete window;
  }
  auto found = GlobalDelegateMap().find(kDelegateKey);
  if (found != GlobalDelegateMap().end() && found->second && found->second->GetObject() == this) {
    GlobalDelegateMap().erase(found);
  }
  if (ApplicationFrame* application = ApplicationFrame::GetCurrent()) {
    if (application->GetDeactivateHandler() && application->GetDeactivateHandler()->GetObject() == this) {
      application->SetDeactivateHandler(DelegatePtr());
    }
  }
}

void GamePanel::LoadSearchSettings() {
  cResourcePtr<cXmlResource> file;
  const XmlNode* time = file.Assign(kSearchSettings) ? file->GetRoot().FindChildByPath("time") : nullptr;
  m_full_reward_time = SecondsOf(time, "2hints", kDefaultRewardTime);
  m_reduced_reward_time = SecondsOf(time, "1hints", kDefaultRewardTime);
}

void GamePanel::BuildForm() {
  GUIWindowManager* windows = GUIWindowManager::PeekInstance();
  GUIWindow* holder = windows != nullptr ? windows->GetWindow("game_panel") : nullptr;
  m_form = new GUIStateWindow("game_panel_form", holder);
  if (m_form->GetForm() == nullptr && !m_form->SetFormByName(kFormName)) {
    LogReport(kLogError, kSource, __LINE__, "the panel's form %s is missing: the panel shows nothing", kFormName);
  }
  m_form->Show(false);
  if (GUIWindow* inventory = Child("inventory")) inventory->Show(true);
  for (int i = 0; i < kHintIcons; ++i) {
    m_hint_icons[i] = Child("hint_" + std::to_string(i));
    m_hint_strokes[i] = Child("hint_stroke_" + std::to_string(i));
  }
  for (const char* name : kHiddenAtStart) ApplyShown(name, false);
  for (int i = 0; i < 8; ++i) ApplyShown("get_hint_item_0" + std::to_string(i), false);
  m_tooltip = new GUIStatic(m_form, "game_panel_tooltip");
  m_tooltip->Show(false);
  m_inventory = std::make_unique<PanelInventory>(m_form, holder != nullptr ? holder : m_form);
  m_help_window = new HelpWindow(m_form);
  m_help_window->Show(false);
  m_help_dialog = new HelpDialog();
  MakeDiary();
  m_game_menu = new GameOptions(kMenuForm, nullptr);
  MakeMaps();
  for (const char* hero : {"pell_tanford_0", "pell_tanford_1"}) ApplyShown(hero, false);
  for (const char* model : {"sc_pell_tanford_0", "w_pell_tanford_1"}) {
    if (RenderObject* object = m_form->FindModel(model)) object->GetAnimation().SetAnimation("anim");
  }
  m_eye_timer = 5.0f;
  m_lip_timer = 15.0f;
}

void GamePanel::BindHandlers() {
  auto bind = [](GUIWindow* window, const DelegatePtr& handler) {
    if (window != nullptr) window->SetEvent("on_click", handler);
  };
  bind(Child("journal"), MakeMemberDelegate(this, &GamePanel::ShowDiaryBook));
  bind(Child("map"), MakeMemberDelegate(this, &GamePanel::OpenSmallMap));
  bind(Child("game_menu"), MakeMemberDelegate(this, &GamePanel::OpenGameMenu));
  for (GUIWindow* icon : m_hint_icons) bind(icon, MakeMemberDelegate(this, &GamePanel::UseHint));
  bind(Child("get_hint"), MakeMemberDelegate(this, &GamePanel::OnGetHintClick));
  GUIWindow* menu = m_game_menu;
  bind(menu->FindChild("exit_to_menu"), MakeMemberDelegate(this, &GamePanel::OnExitToMenu));
  bind(menu->FindChild("back_to_game"), MakeMemberDelegate(this, &GamePanel::HideGameMenu));
  bind(menu->FindChild("full_screen"), MakeMemberDelegate(this, &GamePanel::OnFullScreen));
  bind(menu->FindChild("help"), MakeMemberDelegate(this, &GamePanel::ShowHelpDialog));
}

GUIWindow* GamePanel::Child(const std::string& name) {
  auto found = m_children.find(name);
  if (found != m_children.end()) return found->second;
  GUIWindow* child = m_form != nullptr ? m_form->FindChild(name) : nullptr;
  if (child == nullptr) LogReport(kLogWarning, kSource, __LINE__, "the panel has no window %s", name.c_str());
  m_children[name] = child;
  return child;
}

void GamePanel::ApplyShown(const std::string& name, bool shown) {
  if (GUIWindow* window = Child(name)) window->Show(shown);
}

void GamePanel::PlaySound(const cResourcePtr<cSoundResource>& sound) {
  if (sound) cSoundPlayer::GetInstance()->Play(sound, false);
}

void GamePanel::SetButtonMode(const std::string& caption_key, bool on, const DelegatePtr& on_click, int variant) {
  const bool mini_game = on && variant == 0;
  const bool search = on && variant == 1;
  for (const char* name : {"timer_cap", "game_panel_cap", "exit_from_get_hint", "exit_from_get_hint_text"}) {
    ApplyShown(name, mini_game);
  }
  for (const char* name : {"get_hint_panel_true", "map_true", "left_true", "center_true", "right_true",
                           "get_hint_exit_true", "get_hint_exit_true_text"}) {
    ApplyShown(name, search);
  }
  const ProfileProgress* progress = CurrentProfile != nullptr ? &CurrentProfile->m_progress : nullptr;
  auto owned = [&](uint8_t ProfileProgress::*flag) { return !on && progress != nullptr && progress->*flag != 0; };
  ApplyShown("amulet", owned(&ProfileProgress::m_has_lion_amulet));
  ApplyShown("medalion_half", owned(&ProfileProgress::m_has_locket_half));
  ApplyShown("medalion_full", owned(&ProfileProgress::m_has_locket));
  ApplyShown("map", owned(&ProfileProgress::m_has_map));
  ApplyShown("journal", !on);
  for (const char* caption : {"exit_from_get_hint_text", "get_hint_exit_true_text"}) {
    if (GUIWindow* window = Child(caption)) window->SetValue("text_id", caption_key);
  }
  for (const char* button : {"exit_from_get_hint", "get_hint_exit_true"}) {
    if (GUIWindow* window = Child(button)) window->SetEvent("on_click", on_click);
  }
  m_busy = IsSearchRunning();
}

void GamePanel::ShowMapButton() {
  if (GUIWindow* map = Child("map")) {
    map->SetColor(Vector4(1.0f, 1.0f, 1.0f, 1.0f));
    map->Show(true);
  }
  if (CurrentProfile != nullptr) CurrentProfile->m_progress.m_has_map = 1;
}

void GamePanel::ShowGetHintButton() {
  if (GUIWindow* button = Child("get_hint")) {
    button->SetColor(Vector4(1.0f, 1.0f, 1.0f, 1.0f));
    button->Show(true);
  }
  if (CurrentProfile != nullptr) CurrentProfile->m_progress.m_has_lens = 1;
}

bool GamePanel::IsHelpShown() const { return m_help_window != nullptr && m_help_window->IsVisible(); }

bool GamePanel::IsBusy() const {
  return m_busy || IsSearchRunning() || (IsHelpShown() && m_help_window->GetState() != GUIStateWindow::kWorking) ||
         (m_diary != nullptr && (m_diary->IsBusy() || m_diary->IsVisible()));
}

bool GamePanel::IsGameMenuOpen() const { return m_game_menu != nullptr && m_game_menu->IsOpen(); }

void GamePanel::ShowPanel(bool show) {
  // The form takes clicks only while it works: shown, it is put there at once.
  m_form->Show(show);
  m_form->SetState(show ? GUIStateWindow::kWorking : GUIStateWindow::kHidden);
  if (m_game_menu != nullptr && m_game_menu->IsOpen()) m_game_menu->Hide();
  HideMaps();
  if (m_diary != nullptr) m_diary->Close();
  if (show) {
    // The slots stand where the form puts them only once it is shown: the items go there now.
    m_form->UpdateWorldMatrix();
    m_form->ApplyTransform();
    m_inventory->PlaceEntries();
  }
  m_inventory->ShowEntries(show);  // the entries follow the panel
  if (m_game_menu != nullptr && m_game_menu->GetParent() != nullptr) {
    GUIWindow::SetActiveChild(m_game_menu->GetParent(), nullptr);
  }
  const ProfileProgress* progress = CurrentProfile != nullptr ? &CurrentProfile->m_progress : nullptr;
  const std::pair<const char*, uint8_t ProfileProgress::*> owned[] = {
      {"map", &ProfileProgress::m_has_map},
      {"amulet", &ProfileProgress::m_has_lion_amulet},
      {"medalion_half", &ProfileProgress::m_has_locket_half},
      {"medalion_full", &ProfileProgress::m_has_locket},
      {"get_hint", &ProfileProgress::m_has_lens}};
  for (const auto& [name, flag] : owned) {
    GUIWindow* window = Child(name);
    if (window == nullptr) continue;
    const bool shown = show && progress != nullptr && progress->*flag != 0;
    window->Show(shown);
    if (shown) window->SetColor(Vector4(1.0f, 1.0f, 1.0f, 1.0f));
  }
}

const std::string& GamePanel::GetItemInHand() const { return m_inventory->GetItemInHand(); }
int32_t GamePanel::GetItemInHandValue() const { return m_inventory->GetItemInHandValue(); }
bool GamePanel::IsItemFlying() const { return m_inventory->HasFlyingItems(); }

void GamePanel::HintInventoryItem(const std::string& name, const Vector3& point) {
  const bool found = !name.empty() && m_inventory->HintInventoryItem(name);
  StartFade(point, point, !found);
}

void GamePanel::RestoreHelpPointer() {
  if (CurrentProfile == nullptr || CurrentProfile->m_progress.m_pending_message.empty()) return;
  std::string& kept = CurrentProfile->m_progress.m_pending_message;
  // An older save may hold a search tip: outside the search it points at nothing the player has.
  const HelpRule* rule = FindHelpRule(ParseHelpRequest(kept).part);
  if (rule != nullptr && rule->side_effect == HelpSideEffect::kTargetToFront) {
    kept.clear();
    return;
  }
  ShowHelp(true, kept);
}
