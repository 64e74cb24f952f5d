#pragma once
// The one-line text entry (the player's name): it takes the frame's typed character or editing
// key, keeps a UTF-16 text of bounded length, shows the part of it that fits its width through a
// child static ("static"), draws a blinking cursor through another ("cursor"), plays a typing
// sound and fires "on_change".

#include <cstdint>
#include <string>

#include "gui/include/GUIWindow.h"
#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"

class GUIFont;
class GUIStatic;

class GUIEditBox : public GUIWindow {
 public:
  GUIEditBox(GUIWindow* parent, const std::string& name);
  ~GUIEditBox() override;

  const char* GetTypeName() const override { return "editbox"; }
  // The mouse goes to the children; the frame's key message is handled here.
  bool HandleMouse(const Vector2& point, bool button_down) override;
  bool Update() override;
  bool ApplyTransform() override;

  // Stored whole (not cut to the length); the caret goes to the end, the view starts at the
  // front; "on_change" fires when the text differs.
  void SetText(const std::u16string& text);

  const std::u16string& GetText() const { return m_text; }
  int32_t GetCaret() const { return m_caret; }
  int32_t GetFirst() const { return m_first; }
  bool IsOverwrite() const { return m_overwrite; }
  int32_t GetTextLength() const { return m_text_length; }
  GUIStatic* GetStatic() const { return m_static; }
  GUIStatic* GetCursor() const { return m_cursor; }
  bool IsCursorShown() const;

  static constexpr float kBlinkSeconds = 0.4f;

 private:
  // One step of the frame's message; answers whether a character went in or out.
  bool TypeCharacter(char16_t c);
  bool PressKey(char16_t key);
  // Moves first right until the text before the caret and the cursor fit.
  void FitView();
  void StepRight();
  // The caret on the text's end (within the limit) and the view that shows it.
  void PlaceCaretAtEnd();
  void ShowVisiblePart();
  // Widths with the static's font at its size; 0 for everything without a font.
  double Width(std::size_t begin, std::size_t end) const;
  double CursorWidth() const;
  int32_t LastCaret() const;

  cResourcePtr<cSoundResource> m_print_sound;
  std::u16string m_text;
  GUIStatic* m_static = nullptr;  // children: the tree deletes them
  GUIStatic* m_cursor = nullptr;
  int32_t m_text_length = 255;
  float m_text_width = 300.0f;
  Vector2 m_text_offset{1.0f, 1.0f};
  Vector4 m_font_color{1.0f, 1.0f, 1.0f, 1.0f};
  char16_t m_cursor_char = u'_';
  bool m_overwrite = false;
  int32_t m_caret = 0;
  int32_t m_first = 0;
  float m_blink_time = 0.0f;
};
