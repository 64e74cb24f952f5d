#include "Sources/adventure/LocationCharacter.h"

#include <algorithm>
#include <cmath>

#include "Sources/adventure/CharacterDatabase.h"
#include "source/math/Rand.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"

namespace {

float Clamp01(float value) { return value > 1.0f ? 1.0f : (value > 0.0f ? value : 0.0f); }

bool IsDrawnState(uint32_t state) { return state >= LocationCharacter::kFadingOut && state <= LocationCharacter::kMoving; }

// The animation a character plays next: each animation rolls its chance in turn and a later
// success replaces an earlier one; without any, the first.
const std::string& PickAnimation(const CharacterEntry& entry) {
  const CharacterAnimation* picked = nullptr;
  for (const CharacterAnimation& animation : entry.animations) {
    const uint32_t chance = animation.probability % 100;
    if (chance != 0 && Rand() % 100 < chance) picked = &animation;
  }
  return (picked != nullptr ? picked : &entry.animations.front())->name;
}

void Play(AnimationController& animation, const std::string& name) {
  if (!animation.SetAnimation(name)) return;
  animation.SetForward(true);
  animation.Play();
}

}  // namespace

LocationCharacter::LocationCharacter(RenderObject* model, uint32_t kind, std::string name, std::u16string tooltip)
    : m_model(model), m_kind(kind), m_name(std::move(name)), m_tooltip(std::move(tooltip)) {
  const CharacterEntry* entry = CharacterDatabase::GetInstance()->Find(m_name);
  // A model without the entry's first animation plays none of the entry's (it is not made for it).
  if (entry == nullptr || entry->animations.empty() || m_model == nullptr ||
      m_model->GetAnimation().GetAnimations().count(entry->animations.front().name) == 0) {
    return;
  }
  m_character = entry;
  Play(m_model->GetAnimation(), entry->animations.front().name);
  for (const CharacterTexture& texture : entry->textures) m_frame_shaders.push_back(ShaderRef::FromResource(texture.shader));
}

LocationCharacter::~LocationCharacter() = default;

void LocationCharacter::Update(float dt, const LocationPointer& pointer) {
  if (m_highlight != nullptr) {
    m_highlight_alpha = Clamp01(m_highlighted && m_enabled ? 1.0f : m_highlight_alpha - kHighlightFadeRate * dt);
    m_highlight->SetColor(Vector4(1.0f, 1.0f, 1.0f, m_highlight_alpha));
  }
  m_highlighted = false;
  m_pressed = false;
  if (m_kind == kItem && m_character != nullptr) Animate(dt);
  // Every kind fades: a "show" of a background piece must end like any other.
  if (m_state == kFadingIn) {
    m_alpha += dt;
    if (m_alpha > 1.0f) {
      m_alpha = 1.0f;
      m_state = kShown;
      m_status.clear();
    }
  } else if (m_state == kFadingOut) {
    m_alpha -= dt;
    if (m_alpha < 0.0f) {
      m_alpha = 0.0f;
      m_state = kHidden;
      m_status.clear();
      ApplyDrawing();
    }
  } else if (m_state == kMoving) {
    // Nothing gives an object a path to move along: a move ends where it starts.
    m_alpha = 0.0f;
    m_state = kHidden;
    m_status.clear();
    ApplyDrawing();
  }
  ApplyColor();
  // Only what the player sees can be pointed at and clicked.
  if (m_kind == kItem && m_model != nullptr && m_visible && m_state == kShown &&
      m_model->PickByRay(pointer.origin, pointer.segment)) {
    m_highlighted = true;
    m_pressed = pointer.pressed;
  }
}

void LocationCharacter::Animate(float dt) {
  AnimationController& animation = m_model->GetAnimation();
  // A model without frames of its own is not advanced by the draw list: its texture frames are.
  if (m_model->GetModel() && !m_model->GetModel()->IsAnimated()) animation.Update(dt);
  if (!animation.IsPlaying()) Play(animation, PickAnimation(*m_character));
  ShowFrame();
}

void LocationCharacter::ShowFrame() {
  const AnimationController& animation = m_model->GetAnimation();
  auto current = animation.GetAnimations().find(animation.GetCurrentName());
  if (current == animation.GetAnimations().end() || m_frame_shaders.empty()) return;
  const float time = animation.GetTime();
  const uint64_t frame = uint64_t{current->second.first_frame} + (time > 0.0f ? static_cast<uint64_t>(time) : 0u);
  // The texture that holds the frame; a frame past them all shows the last frame there is.
  std::size_t texture = SIZE_MAX;
  uint64_t within = 0, before = 0;
  for (std::size_t i = 0; i < m_character->textures.size() && i < m_frame_shaders.size(); ++i) {
    const uint32_t count = m_character->textures[i].frame_count;
    if (count == 0) continue;
    texture = i;
    within = std::min<uint64_t>(frame - std::min(frame, before), count - 1);
    if (frame < before + count) break;
    before += count;
  }
  if (texture == SIZE_MAX) return;  // no texture has a frame
  if (texture != m_frame_texture) {
    m_model->GetShaderHolder().SetShader(m_frame_shaders[texture]);
    m_frame_texture = texture;
  }
  m_model->GetShaderHolder().SetStartFrame(0, static_cast<float>(within));
}

void LocationCharacter::SaveState(CharacterRecord& record) const {
  record.m_name = m_name;
  record.m_enabled = m_enabled ? 1 : 0;
  record.m_visible = m_visible ? 1 : 0;
  record.m_alpha = m_alpha;
  record.m_state = m_state;
}

void LocationCharacter::RestoreState(const CharacterRecord& record) {
  m_enabled = record.m_enabled != 0;
  m_visible = record.m_visible != 0;
  m_state = record.m_state;
  // A moving object has no path after a restore; a state no object has is no state to draw.
  if (m_state >= kMoving) m_state = kHidden;
  m_alpha = std::isfinite(record.m_alpha) ? Clamp01(record.m_alpha) : (m_state == kShown ? 1.0f : 0.0f);
  if (m_state == kShown) m_alpha = 1.0f;
  if (m_state == kHidden) m_alpha = 0.0f;
  // A fade resumes where it was, and whatever waits on it waits on.
  m_status = (m_state == kFadingIn || m_state == kFadingOut) ? "wait" : "";
  ApplyDrawing();
}

Vector3 LocationCharacter::GetPosition() const {
  return m_model != nullptr ? m_model->GetBoundingBox().m_centre : Vector3();
}

void LocationCharacter::SetShown(bool shown) {
  m_state = shown ? kShown : kHidden;
  m_alpha = shown ? 1.0f : 0.0f;
  m_status.clear();
  ApplyDrawing();
}

void LocationCharacter::Appear() {
  m_status = "wait";
  m_alpha = 0.0f;
  m_state = kFadingIn;
  ApplyDrawing();
}

void LocationCharacter::Disappear() {
  m_status = "wait";
  m_alpha = 1.0f;
  m_state = kFadingOut;
  ApplyDrawing();
}

void LocationCharacter::SetVisible(bool visible) {
  m_visible = visible;
  ApplyDrawing();
}

void LocationCharacter::SetHighlightModel(RenderObject* model) {
  m_highlight = model;
  m_highlight_alpha = 0.0f;
  if (m_highlight != nullptr) m_highlight->SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.0f));
  ApplyDrawing();
}

void LocationCharacter::ApplyDrawing() {
  const bool hidden = !IsDrawnState(m_state);
  for (RenderObject* object : {m_model, m_highlight}) {
    if (object == nullptr) continue;
    object->SetVisible(m_visible);
    object->SetHidden(hidden);
  }
  ApplyColor();
}

void LocationCharacter::ApplyColor() {
  if (m_model != nullptr) m_model->SetColor(Vector4(1.0f, 1.0f, 1.0f, m_alpha));
}
