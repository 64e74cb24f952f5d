// The panel's buttons, the in-game menu, the use of a hint and the queries of locations and
// mini-games.

#include "Sources/adventure/FlyItem.h"
#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/HelpDialog.h"
#include "Sources/adventure/HelpWindow.h"
#include "Sources/adventure/Inventory.h"
#include "Sources/adventure/Location.h"
#include "Sources/shell/screens/FadeWindow.h"
#include "Sources/shell/screens/GameOptions.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUISystem.h"
#include "source/properties/cProperties.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderObject.h"
#include "source/render/RenderSystem.h"

namespace {

Vector3 PositionOf(const GUIWindow* window) {
  if (window == nullptr) return Vector3();
  const Matrix4& world = window->GetWorld();
  return Vector3(world.m[12], world.m[13], world.m[14]);
}

void Bring(GUIWindow* window) {
  if (window == nullptr) return;
  window->MoveToFront(false);  // last among its siblings: drawn over them
}

// The small map and the search scenes are drawn over the panel: a search tip, a window of the
// panel, would lie under them, cut short. While one shows, the tip is drawn after every other
// window of the GUI; any other tip is drawn with the panel again. Only the drawing moves: the
// window stays where it is among the panel's, and so does the order in which windows take clicks.
void DrawOnTop(GUIWindow& window, bool on_top) {
  const GUISystem* gui = GUISystem::PeekInstance();
  GUIWindow* root = gui != nullptr ? gui->GetRoot() : nullptr;
  GUIWindow* parent = window.GetParent();
  if (on_top && root != nullptr) {
    window.GetLayer().SetParent(&root->GetLayer());
  } else if (parent != nullptr) {
    window.GetLayer().SetParent(&parent->GetLayer());
  }
}

}  // namespace

DelegateArg GamePanel::OpenGameMenu(DelegateArg) {
  if (m_game_menu == nullptr) return 0;
  m_game_menu->Show();
  m_game_menu->Activate();
  Bring(m_game_menu);
  return 0;
}

DelegateArg GamePanel::HideGameMenu(DelegateArg) {
  if (m_game_menu != nullptr) {
    m_game_menu->Hide();
    if (m_game_menu->GetParent() != nullptr) GUIWindow::SetActiveChild(m_game_menu->GetParent(), nullptr);
  }
  m_game_running = true;
  return 0;
}

DelegateArg GamePanel::OnExitToMenu(DelegateArg) {
  auto* fade = new FadeWindow("loading", "gui\\windows\\fade", MakeMemberDelegate(this, &GamePanel::FinishExitToMenu));
  fade->Show();
  fade->MoveToFront(false);
  return 0;
}

DelegateArg GamePanel::FinishExitToMenu(DelegateArg) {
  if (m_help_window != nullptr) m_help_window->Hide();
  if (m_game_menu != nullptr) {
    m_game_menu->Hide();
    if (m_game_menu->GetParent() != nullptr) GUIWindow::SetActiveChild(m_game_menu->GetParent(), nullptr);
  }
  if (m_flow != nullptr) m_flow->ReturnToMenu();
  return 0;
}

DelegateArg GamePanel::OnFullScreen(DelegateArg) {
  GUIWindow* box = m_game_menu != nullptr ? m_game_menu->FindChild("full_screen") : nullptr;
  if (box == nullptr) return 0;
  cProperties::GetInstance()->SetValue("video_fullscreen", box->GetValue("checked"));
  RenderManager* render = RenderManager::PeekInstance();
  if (RenderSystem* system = render != nullptr ? render->GetRenderSystem() : nullptr) {
    system->IsVideoModeCurrent();
    system->ResetDevice(kResetRecreateDevice | kResetRestoreResources);
  }
  return 0;
}

DelegateArg GamePanel::ShowHelpDialog(DelegateArg) {
  if (m_help_dialog == nullptr) return 0;
  m_help_dialog->Show();
  Bring(m_help_dialog);
  return 0;
}

DelegateArg GamePanel::OnDeactivate(DelegateArg argument) {
  if (argument == 0 && IsSearchRunning()) OpenGameMenu();
  return 0;
}

DelegateArg GamePanel::UseHint(DelegateArg sender) {
  auto* icon = reinterpret_cast<GUIWindow*>(sender);
  if (m_pointer_mode) {
    if (CurrentProfile != nullptr) CurrentProfile->m_progress.m_pending_message.clear();
    if (IsHelpShown() && m_flow != nullptr) m_flow->SaveProgress();
    if (m_help_window != nullptr) m_help_window->Hide();
    m_pointer_mode = false;
  }
  Vector3 target;
  const bool shown = m_flow != nullptr && m_flow->ShowHint(m_form, target);
  if (shown) {
    const bool free_hint = CurrentProfile != nullptr && CurrentProfile->m_cheat_mode != 0 &&
                           CurrentProfile->m_progress.m_hints <= 1;
    if (!free_hint) {
      if (icon != nullptr) icon->Show(false);
      if (CurrentProfile != nullptr && CurrentProfile->m_progress.m_hints > 0) --CurrentProfile->m_progress.m_hints;
    }
    FlyingItemRecord record{std::string(), 0, std::string(), kLandNothing};
    const RenderObject* model = icon != nullptr ? icon->GetVisual().GetModel() : nullptr;
    m_inventory->Launch(std::make_unique<FlyItem>(model, target, PositionOf(icon), record));
    // The spent charge is kept at once: a game closed right after the hint does not give it back.
    if (m_flow != nullptr) m_flow->SaveProgress();
  }
  PlaySound(m_menu_click_sound);
  return 0;
}

// Only while a mini-game has put the exit button out: a hidden one never takes a press.
bool GamePanel::HandleExitButtonMouse(const Vector2& point, bool button_down) {
  GUIWindow* button = Child("exit_from_get_hint");
  return button != nullptr && button->IsShown() && button->HandleMouse(point, button_down);
}

void GamePanel::ShowLocationPhrase(const std::string& name) {
  Location* location = m_flow != nullptr ? m_flow->GetLocation() : nullptr;
  if (location != nullptr) location->ShowPhrase(name);
}

void GamePanel::PlayComics(const std::vector<std::string>& entries) {
  if (m_flow != nullptr) m_flow->PlayTransitions(entries, false);
}

void GamePanel::StartFade(const Vector3& first, const Vector3& second, bool single) {
  m_fading = {Child("hint_arrow_0"), Child("hint_arrow_1")};
  if (GUIWindow* window = m_fading[0]) {
    window->SetMatrix(Matrix4::MakeTranslation(first.x, first.y, first.z));
    window->UpdateWorldMatrix();
    Bring(window);
    window->Show(true);
  }
  if (GUIWindow* window = m_fading[1]) {
    if (single) {
      window->Show(false);
    } else {
      window->Show(true);
      window->SetMatrix(Matrix4::MakeTranslation(second.x, second.y, second.z));
      window->UpdateWorldMatrix();
      Bring(window);
    }
  }
  m_fade_timer = 5.0f;
}

GUIWindow* GamePanel::HelpPanelChild(const HelpRule& rule) {
  GUIWindow* child = Child(rule.name);
  if (child != nullptr && child->IsVisible()) return child;
  GUIWindow* instead = rule.shown_instead != nullptr ? Child(rule.shown_instead) : nullptr;
  return instead != nullptr && instead->IsVisible() ? instead : child;
}

void GamePanel::ShowHelp(bool show, const std::string& request) {
  if (m_help_window == nullptr) return;
  if (!show) {
    m_help_window->Hide();
    m_pointer_mode = false;
    return;
  }
  const auto resolve = [this](const HelpRule& rule, const std::string& object) -> RenderObject* {
    switch (rule.target) {
      case HelpTarget::kPanelChild: {
        GUIWindow* child = HelpPanelChild(rule);
        return child != nullptr ? child->GetVisual().GetModel() : nullptr;
      }
      case HelpTarget::kFirstInventorySlot: {
        const auto& entries = m_inventory->GetEntries();
        return entries.empty() ? nullptr : entries.front()->m_model;
      }
      case HelpTarget::kLastRewardIcon:
        return m_reward_icons.empty() ? nullptr : m_reward_icons.back()->GetVisual().GetModel();
      case HelpTarget::kNamedLocationObject:
        return m_flow != nullptr ? m_flow->FindLocationItemModel(rule.name) : nullptr;
      case HelpTarget::kLocationObject:
        return m_flow != nullptr ? m_flow->FindLocationItemModel(object) : nullptr;
    }
    return nullptr;
  };
  const HelpRule* rule = ShowHelpRequest(m_help_window, request, resolve);
  if (rule == nullptr) return;
  m_pointer_mode = rule->side_effect == HelpSideEffect::kHintPointing;
  m_search_tip = rule->side_effect == HelpSideEffect::kTargetToFront;
  DrawOnTop(*m_help_window, m_search_tip);
  if (!m_search_tip) return;
  // The search's tips point at windows the search draws over: the target comes to the top, and
  // gives up the focus so that the tip's click does not reach it.
  GUIWindow* target = nullptr;
  if (rule->target == HelpTarget::kPanelChild) target = HelpPanelChild(*rule);
  if (rule->target == HelpTarget::kLastRewardIcon && !m_reward_icons.empty()) target = m_reward_icons.back();
  if (target == nullptr) return;
  target->MoveToFront(false);
  // A button's caption is a sibling drawn after it: it comes along, or the button would hide it.
  GUIWindow* parent = target->GetParent();
  GUIWindow* caption = parent != nullptr ? parent->FindChild(target->GetName() + "_text") : nullptr;
  if (caption != nullptr && caption->GetParent() == parent) caption->MoveToFront(false);
  if (parent != nullptr && parent->GetActiveChild() == target) {
    GUIWindow::SetActiveChild(parent, nullptr);
  }
}

void GamePanel::KeepHelp(const std::string& request) {
  ShowHelp(true, request);
  if (CurrentProfile != nullptr && IsHelpShown() && !m_search_tip) CurrentProfile->m_progress.m_pending_message = request;
}

void GamePanel::HideSearchTip() {
  if (!m_search_tip) return;
  m_search_tip = false;
  if (IsHelpShown()) ShowHelp(false, std::string());
}
