// A location's frame, and how it is shown, left and prepared: its objects and what is in
// progress over it (a close-up, a phrase, a mini-game), the tooltip and the cursor, one step of
// its script, and the click beside a close-up that closes it.

#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/Location.h"
#include "Sources/adventure/LocationServices.h"
#include "Sources/adventure/PhraseSequence.h"
#include "Sources/minigames/MiniGame.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUICursor.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWidgetSupport.h"
#include "gui/include/GUIWindow.h"
#include "platform/input/KeyCodes.h"
#include "source/input/cInput.h"
#include "source/math/Matrix4.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"
#include "source/text/TextConversion.h"

namespace {

constexpr float kTooltipDrop = 10.0f;  // the tooltip hangs this far below the pointer

bool FreshLeftPress() {
  const cInput* input = cInput::PeekInstance();
  return input != nullptr && input->Mouse().IsPressed(cInput::kMouseLeft);
}

LocationPointer CurrentPointer() {
  LocationPointer pointer;
  if (const GUISystem* gui = GUISystem::PeekInstance()) {
    pointer.origin = gui->GetRayOrigin();
    pointer.segment = gui->GetRayDirection();
  }
  pointer.pressed = FreshLeftPress();
  return pointer;
}

Vector2 MousePosition() {
  const GUISystem* gui = GUISystem::PeekInstance();
  return gui != nullptr ? gui->GetMousePosition() : Vector2();
}

// Selects the named cursor unless it is the one shown already.
void SelectCursor(const std::string& name) {
  const GUISystem* gui = GUISystem::PeekInstance();
  GUICursor* cursor = gui != nullptr ? gui->GetCursor() : nullptr;
  if (cursor == nullptr) return;
  auto found = cursor->GetCursors().find(name);
  if (found != cursor->GetCursors().end() && found->second == cursor->GetCurrent() && found->second != nullptr) return;
  cursor->SetCursor(name);
}

}  // namespace

void Location::Update(float dt) {
  LocationServices& services = GetLocationServices();
  if (!m_shown || services.IsAnyBookOpen()) return;
  const cInput* input = cInput::PeekInstance();
  if (CurrentProfile != nullptr && CurrentProfile->m_cheat_mode != 0 && input != nullptr &&
      input->Keyboard().IsPressed(input::kKeyNext)) {
    EndLocation();
    return;
  }
  m_focus = true;
  const bool alone = m_phrase == nullptr && m_shown_sub == nullptr && m_game == nullptr;
  const LocationPointer pointer = CurrentPointer();
  m_tooltip_object = nullptr;
  for (const auto& object : m_objects) {
    object->Update(dt, pointer);
    if (alone && object->IsHighlighted()) m_tooltip_object = object.get();
  }
  UpdateShownParts(dt);
  m_tooltip->Show(false);
  m_press_unclaimed = m_press_claimed = m_click_sound_played = false;
  if (m_shown_sub == nullptr && m_game == nullptr) {
    if (m_tooltip_object != nullptr) ShowTooltip();
    if (m_loaded) SearchHints(m_hints);
    ChooseCursor();
    if (m_current != nullptr) ExecuteNode(m_current, m_pending);
    m_onload_ran = false;
    FinishStep();
  }
  CloseIfClickedBeside(alone);
}

void Location::UpdateShownParts(float dt) {
  if (m_shown_sub != nullptr) {
    m_shown_sub->Update(dt);
    m_focus = m_shown_sub->m_focus;
    if (m_shown_sub->m_status.empty()) {
      m_shown_sub = nullptr;
      m_focus = false;
    }
  }
  if (m_phrase != nullptr && m_phrase->GetName().empty()) {
    m_phrase = nullptr;
    m_focus = false;
  }
  if (m_game != nullptr) {
    m_game->UpdatePause();
    if (m_game->GetResult() != "wait") {
      m_game = nullptr;
      m_focus = false;
    }
  }
}

bool Location::IsHintWindowInUse() const {
  for (const Location* shown = this; shown != nullptr; shown = shown->m_shown_sub) {
    if (shown->m_phrase != nullptr) return true;
  }
  const HintWindow* hints = HintWindow::PeekInstance();
  return hints != nullptr && hints->GetSequence() != nullptr;
}

void Location::ShowTooltip() {
  const Vector2 mouse = MousePosition();
  const std::u16string& text = m_tooltip_object->GetTooltip();
  m_tooltip->SetValue("text", WideToUtf8(text));
  m_tooltip->SetMatrix(Matrix4::MakeTranslation(KeepLineOnScreen(mouse.x, 0, text), mouse.y - kTooltipDrop, 0.0f));
  m_tooltip->Show(true);
}

void Location::ChooseCursor() {
  const bool hand_empty = GetLocationServices().GetItemInHand().empty();
  bool over_target = false;
  for (std::size_t list = 2; list < m_hints.lists.size() && hand_empty && !over_target; ++list) {
    for (const HintTarget& target : m_hints.lists[list]) {
      const LocationCharacter* object = target.location != nullptr ? target.location->FindObject(target.object) : nullptr;
      if (object != nullptr && object->IsHighlighted()) {
        over_target = true;
        break;
      }
    }
  }
  const HintWindow* hints = HintWindow::PeekInstance();
  if (over_target) {
    SelectCursor("lens");
  } else if (hints != nullptr && hints->GetSequence() != nullptr) {
    SelectCursor("dialog");
  } else {
    SelectCursor("cursor");
  }
}

void Location::FinishStep() {
  if (m_press_unclaimed && !m_press_claimed) PlayClickSound();
  if (m_save_requested) {
    m_save_requested = false;
    GetLocationServices().SaveProgress();
  }
}

void Location::CloseIfClickedBeside(bool alone) {
  if (m_modal || !alone || m_parent == nullptr || m_status != "wait" || !FreshLeftPress() || m_current != m_root ||
      m_game != nullptr || !m_focus || m_press_claimed) {
    return;
  }
  PlayClickSound();
  if (IsOverFirstModel() || GetLocationServices().IsMouseOverPanel()) return;
  // A close-up whose "theend" is disabled must be finished before it can be left.
  const LocationCharacter* the_end = FindObject("theend");
  if (the_end != nullptr && !the_end->IsEnabled()) return;
  EndLocation();
}

void Location::PlayClickSound() {
  if (m_click_sound_played || !m_click_sound) return;
  m_click_sound_played = true;
  cSoundPlayer* player = cSoundPlayer::GetInstance();
  if (!player->IsPlaying(m_click_sound)) player->Play(m_click_sound, false);
}

bool Location::IsOverFirstModel() const {
  if (!m_scene || m_scene->GetObjects().empty()) return false;
  const cBoundingBox& box = m_scene->GetObjects().front()->GetBoundingBox();
  const Vector2 mouse = MousePosition();
  return mouse.x >= box.m_world_min.x && mouse.x <= box.m_world_max.x && mouse.y >= box.m_world_min.y &&
         mouse.y <= box.m_world_max.y;
}

void Location::SetActive(Location& location, bool shown, bool modal) {
  SelectCursor("cursor");
  location.m_status = shown ? "wait" : "";
  location.m_shown = shown;
  location.m_modal = modal;
  location.m_window->Show(shown);
  for (const auto& object : location.m_objects) object->SetVisible(shown);
}

void Location::EndLocation() {
  m_current = m_root;
  m_pending.clear();
  // The goals belong to the place: a close-up closed is no place left, and its goals stay.
  if (m_parent == nullptr && CurrentProfile != nullptr) CurrentProfile->m_progress.m_diary_names.clear();
  SetActive(*this, false, false);
}

void Location::RunOnLoad() {
  if (m_first_visit && m_root != nullptr) {
    CommandNode* current = m_current;
    const std::string pending = m_pending;
    m_in_onload = true;
    for (const auto& child : m_root->children) {
      if (child->type == "onload") ExecuteNode(child.get(), std::string());
    }
    m_current = current;
    m_pending = pending;
    m_in_onload = false;
  }
  m_loaded = true;
}
