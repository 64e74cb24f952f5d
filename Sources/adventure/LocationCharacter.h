#pragma once
// One object of a location's scene: the model the script shows, hides, enables and tests, that
// the player points at and clicks, with its highlight overlay, its tooltip, its fades and, when
// the character database knows its name, a character animation drawn from frame textures.

#include <cstdint>
#include <string>
#include <vector>

#include "Sources/shell/userdata/ProfileRecords.h"
#include "source/math/Vector.h"
#include "source/shaders/ShaderRef.h"

class RenderObject;
struct CharacterEntry;

// The mouse of this frame as the objects see it.
struct LocationPointer {
  Vector3 origin;         // the GUI's pick ray: from here...
  Vector3 segment;        // ...along this
  bool pressed = false;   // the left button went down this frame
};

class LocationCharacter {
 public:
  enum State : uint32_t { kHidden = 0, kFadingOut = 1, kShown = 2, kFadingIn = 3, kMoving = 4 };
  // Objects of the kind "i" have tooltips, are picked and animated; "b" and "f" only fade.
  enum Kind : uint32_t { kItem = 0, kBack = 1, kFront = 2 };

  // Shown (state 2), not yet visible, disabled. Starts the character animation of its name when
  // the model has the entry's first animation.
  LocationCharacter(RenderObject* model, uint32_t kind, std::string name, std::u16string tooltip);
  virtual ~LocationCharacter();
  LocationCharacter(const LocationCharacter&) = delete;
  LocationCharacter& operator=(const LocationCharacter&) = delete;

  // One frame: the highlight's fade, the character animation, the fades, then picking.
  void Update(float dt, const LocationPointer& pointer);

  void SaveState(CharacterRecord& record) const;
  // Takes enabled, visible, alpha and state; a fade resumes, an unknown or moving state (no
  // path can be restored) becomes hidden.
  void RestoreState(const CharacterRecord& record);

  bool IsShown() const { return m_state == kShown; }
  // The centre of the model's box (where hints point and items fly from).
  Vector3 GetPosition() const;
  // Shown or hidden at once (no fade; a fade in progress ends).
  void SetShown(bool shown);
  // The fade in of "show" and the fade out of "hide", a second each.
  void Appear();
  void Disappear();
  // The location's shown flag.
  void SetVisible(bool visible);
  // The overlay drawn over the object while the mouse is on it; starts transparent.
  void SetHighlightModel(RenderObject* model);
  void SetEnabled(bool enabled) { m_enabled = enabled; }

  RenderObject* GetModel() const { return m_model; }
  RenderObject* GetHighlightModel() const { return m_highlight; }
  const std::string& GetName() const { return m_name; }
  const std::u16string& GetTooltip() const { return m_tooltip; }
  uint32_t GetKind() const { return m_kind; }
  bool IsEnabled() const { return m_enabled; }
  bool IsPressed() const { return m_pressed; }
  bool IsHighlighted() const { return m_highlighted; }
  bool IsVisible() const { return m_visible; }
  uint32_t GetState() const { return m_state; }
  // "wait" while a fade runs, empty otherwise.
  const std::string& GetStatus() const { return m_status; }
  float GetAlpha() const { return m_alpha; }
  bool HasCharacter() const { return m_character != nullptr; }

  static constexpr float kHighlightFadeRate = 3.0f;  // a highlight fades out in a third of a second

 private:
  // The model (and highlight) drawn exactly while visible and not hidden by the state.
  void ApplyDrawing();
  void ApplyColor();
  void Animate(float dt);
  void ShowFrame();

  RenderObject* m_model;                 // the scene's
  RenderObject* m_highlight = nullptr;   // the scene's
  uint32_t m_kind;
  std::string m_name;
  std::u16string m_tooltip;
  bool m_enabled = false;
  bool m_pressed = false;
  bool m_highlighted = false;
  bool m_visible = false;
  uint32_t m_state = kShown;
  std::string m_status;
  float m_alpha = 1.0f;
  float m_highlight_alpha = 0.0f;
  const CharacterEntry* m_character = nullptr;  // the database's
  std::vector<ShaderRef> m_frame_shaders;
  std::size_t m_frame_texture = SIZE_MAX;  // the texture whose shader the model wears
};
