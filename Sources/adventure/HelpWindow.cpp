#include "Sources/adventure/HelpWindow.h"

#include <algorithm>
#include <array>

#include "Sources/adventure/NamedChild.h"
#include "gui/include/GUIStatic.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWidgetSupport.h"
#include "source/log/cLog.h"
#include "source/render/RenderObject.h"
#include "source/timer/cTimerManager.h"

namespace {

constexpr const char* kSource = "Sources\\HelpWindow";

void LoopArrow(GUIWindow* arrow) {
  RenderObject* model = arrow != nullptr ? arrow->GetVisual().GetModel() : nullptr;
  if (model == nullptr) return;
  AnimationController& animation = model->GetAnimation();
  if (!animation.SetAnimation("moving")) return;
  animation.SetAnimationLoop("moving", true);
  animation.Play();
}

constexpr std::array<HelpRule, 12> kRules = {{
    {"hero", HelpTarget::kPanelChild, "hero", HelpWindow::kCloseOnAnyClick, HelpSideEffect::kNone, nullptr},
    {"diary", HelpTarget::kPanelChild, "journal", HelpWindow::kCloseOnTarget, HelpSideEffect::kDiaryPointed, nullptr},
    {"inventory", HelpTarget::kFirstInventorySlot, "inventory_0", HelpWindow::kCloseOnAnyClick, HelpSideEffect::kNone, nullptr},
    {"model", HelpTarget::kLocationObject, "", HelpWindow::kCloseOnRequest, HelpSideEffect::kNone, nullptr},
    {"hint", HelpTarget::kPanelChild, "hint_0", HelpWindow::kCloseOnRequest, HelpSideEffect::kHintPointing, nullptr},
    {"map", HelpTarget::kPanelChild, "map", HelpWindow::kCloseOnTarget, HelpSideEffect::kSmallMapPointed, nullptr},
    {"lens", HelpTarget::kPanelChild, "get_hint", HelpWindow::kCloseOnTarget, HelpSideEffect::kLensPointing, nullptr},
    {"amulet", HelpTarget::kPanelChild, "amulet", HelpWindow::kCloseOnAnyClick, HelpSideEffect::kNone, nullptr},
    {"quest", HelpTarget::kNamedLocationObject, "question", HelpWindow::kCloseOnAnyClick, HelpSideEffect::kNone, nullptr},
    {"ispy", HelpTarget::kLastRewardIcon, "", HelpWindow::kCloseOnAnyClick, HelpSideEffect::kTargetToFront, nullptr},
    {"ispy1", HelpTarget::kPanelChild, "map", HelpWindow::kCloseOnAnyClick, HelpSideEffect::kTargetToFront, nullptr},
    {"ispy2", HelpTarget::kPanelChild, "exit_from_get_hint", HelpWindow::kCloseOnAnyClick, HelpSideEffect::kTargetToFront,
     "get_hint_exit_true"},
}};

}  // namespace

HelpWindow::HelpWindow(GUIWindow* parent) : GUIStateWindow("HelpWindow", parent) {
  if (!SetFormByName(kForm)) LogReport(kLogError, kSource, __LINE__, "form %s not found", kForm);
  m_arrow_left = FindNamedChild(this, "help_arrow_left");
  m_arrow_right = FindNamedChild(this, "help_arrow_right");
  LoopArrow(m_arrow_left);
  LoopArrow(m_arrow_right);
  if (GUIWindow* box = FindNamedChild(this, "box")) {
    box->Show(false);
    box->UpdateWorldMatrix();
    box->ApplyTransform();
    if (RenderObject* model = box->GetVisual().GetModel()) {
      model->RefreshBounds();
      m_bounds = model->GetBoundingBox();
    }
  }
}

void HelpWindow::Show() {
  m_color = Vector4(1.0f, 1.0f, 1.0f, 0.0f);
  SetColor(m_color);
  GUIStateWindow::Show();
}

void HelpWindow::Hide() {
  if (GUIWindow* parent = GetParent(); parent != nullptr && parent->GetActiveChild() == this) SetActiveChild(parent, nullptr);
  GUIStateWindow::Hide();
  m_target = nullptr;
}

bool HelpWindow::Update() {
  const cTimerManager* timers = cTimerManager::PeekInstance();
  const float dt = timers != nullptr ? timers->GetFrameDelta() : 0.0f;
  m_color.w = std::clamp(m_color.w + 2.0f * dt, 0.0f, 1.0f);
  SetColor(m_color);
  return GUIStateWindow::Update();
}

bool HelpWindow::HandleMouse(const Vector2& point, bool button_down) {
  const bool answer = GUIStateWindow::HandleMouse(point, button_down);
  if (!m_open || !IsLeftButtonFreshPress()) return answer;
  if (m_close_mode == kCloseOnAnyClick) {
    Hide();
  } else if (m_close_mode == kCloseOnTarget && m_target != nullptr) {
    const GUISystem* gui = GUISystem::PeekInstance();
    if (gui != nullptr && m_target->PickByRay(gui->GetRayOrigin(), gui->GetRayDirection())) Hide();
  }
  return answer;
}

void SetHelpPageTexts(HelpWindow* help, const std::string& text_key, int close_mode, RenderObject* target) {
  if (help == nullptr) return;
  for (int i = 0; i < HelpWindow::kTextStatics; ++i) {
    GUIWindow* text = FindNamedChild(help, "help_text_" + std::to_string(i));
    if (auto* text_static = dynamic_cast<GUIStatic*>(text)) {
      text_static->SetText(std::u16string());
    } else if (text != nullptr) {
      text->SetValue("text", "");
    }
  }
  if (GUIWindow* first = FindNamedChild(help, "help_text_0")) {
    // The static looks a key up only when it changes: forgetting the last one lets the same tip,
    // shown again after its text was emptied above, come back instead of an empty board.
    first->SetValue("text_id", "");
    first->SetValue("text_id", text_key);
  }
  help->m_close_mode = close_mode;
  help->m_target = target;
  if (target != nullptr) help->m_target_bounds = target->GetBoundingBox();
  const cBoundingBox& aim = help->m_target_bounds;
  for (GUIWindow* arrow : {help->m_arrow_left, help->m_arrow_right}) {
    if (arrow != nullptr) arrow->Show(false);
  }
  const float width = help->m_bounds.m_world_max.x - help->m_bounds.m_world_min.x;
  float x = aim.m_world_max.x;
  help->m_arrow = help->m_arrow_left;
  // Beside the target on its right, unless the screen ends first: then on its left.
  if (aim.m_centre.x + width >= 1024.0f) {
    help->m_arrow = help->m_arrow_right;
    x = aim.m_world_min.x - width;
  }
  if (help->m_arrow != nullptr) help->m_arrow->Show(true);
  help->SetMatrix(Matrix4::MakeTranslation(x, aim.m_world_max.y, 0.0f));
}

HelpRequest ParseHelpRequest(const std::string& request) {
  HelpRequest parsed;
  const std::size_t first = request.find('_');
  parsed.text_key = request.substr(0, first);
  if (first == std::string::npos) return parsed;
  const std::size_t second = request.find('_', first + 1);
  parsed.part = request.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
  if (second != std::string::npos) parsed.object = request.substr(second + 1);
  return parsed;
}

const HelpRule* FindHelpRule(const std::string& part) {
  auto found = std::find_if(kRules.begin(), kRules.end(), [&](const HelpRule& rule) { return part == rule.part; });
  return found == kRules.end() ? nullptr : &*found;
}

const HelpRule* ShowHelpRequest(HelpWindow* help, const std::string& request, const HelpTargetResolver& resolve) {
  const HelpRequest parsed = ParseHelpRequest(request);
  const HelpRule* rule = FindHelpRule(parsed.part);
  if (help == nullptr || rule == nullptr || !resolve) return nullptr;
  RenderObject* target = resolve(*rule, parsed.object);
  if (target == nullptr) {
    LogReport(kLogError, kSource, __LINE__, "help request %s points at nothing", request.c_str());
    return nullptr;
  }
  SetHelpPageTexts(help, parsed.text_key, rule->close_mode, target);
  help->Show();
  return rule;
}
