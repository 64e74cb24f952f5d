#pragma once
// What the widgets ask of the GUI around them: their font by id, a text by key, the left mouse
// button's edges from the input manager, the sounds they play, the glyph models their texts are
// drawn with, and the frame's key message from the application window.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"

class GUIFont;
class RenderObject;

// The font at that index of the GUI's font table; null when there is none (or no GUI system).
GUIFont* FindGUIFont(int font_id);
// Where a one-line text in that font, drawn rightward from x, starts so that it ends on the GUI
// screen: x when it fits there, else further left, never left of the screen (the tooltips).
float KeepLineOnScreen(float x, int font_id, std::u16string_view text);
// The text of the key in the current text table; empty without one (an unknown key is added).
std::u16string LookUpText(const std::string& key);

// The left button went down at the last input poll (it was up at the one before).
bool IsLeftButtonFreshPress();
// The left button came up at the last input poll.
bool IsLeftButtonReleased();

// Takes the "sound" resource of that name (none: the widget stays silent) and plays one.
cResourcePtr<cSoundResource> FindGUISound(const std::string& name);
void PlayGUISound(const cResourcePtr<cSoundResource>& sound);

// A render object over a glyph mesh (GUIGlyphMesh: room for up to 1024 glyph quads, made as text
// needs it), drawn with the GUI camera, showing nothing until text is laid into it.
std::unique_ptr<RenderObject> MakeGlyphModel();
inline constexpr uint32_t kGlyphModelQuads = 1024;

// The application window's key message of this frame: a typed character (a UTF-16 unit of 32 or
// more) or a key-down with its virtual-key code.
struct GUIKeyMessage {
  bool pending = false;
  bool is_character = false;
  char16_t code = 0;
};
using GUIKeySource = std::function<GUIKeyMessage()>;
// The program installs where the key messages come from (the application object); without a
// source no key message ever arrives.
void SetGUIKeySource(GUIKeySource source);
GUIKeyMessage GetGUIKeyMessage();
