#include "gui/include/GUIWidgetSupport.h"

#include <algorithm>

#include "gui/include/GUIFont.h"
#include "gui/include/GUIFontTable.h"
#include "gui/include/GUIGlyphMesh.h"
#include "gui/include/GUISystem.h"
#include "gui/include/TextTable.h"
#include "source/input/cInput.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"

namespace {

GUIKeySource& KeySource() {
  static GUIKeySource source;
  return source;
}

}  // namespace

GUIFont* FindGUIFont(int font_id) {
  GUISystem* system = GUISystem::PeekInstance();
  GUIFontTable* table = system != nullptr ? system->GetFontTable() : nullptr;
  return table != nullptr ? table->Get(font_id) : nullptr;
}

float KeepLineOnScreen(float x, int font_id, std::u16string_view text) {
  const GUIFont* font = FindGUIFont(font_id);
  if (font == nullptr) return x;
  return std::max(0.0f, std::min(x, GUISystem::kReferenceWidth - font->GetTextWidth(text)));
}

std::u16string LookUpText(const std::string& key) {
  GUISystem* system = GUISystem::PeekInstance();
  TextTable* table = system != nullptr ? system->GetTextTable() : nullptr;
  return table != nullptr ? table->GetText(key) : std::u16string();
}

bool IsLeftButtonFreshPress() {
  const cInput* input = cInput::PeekInstance();
  return input != nullptr && input->Mouse().IsPressed(cInput::kMouseLeft);
}

bool IsLeftButtonReleased() {
  const cInput* input = cInput::PeekInstance();
  return input != nullptr && input->Mouse().IsReleased(cInput::kMouseLeft);
}

cResourcePtr<cSoundResource> FindGUISound(const std::string& name) {
  cResourcePtr<cSoundResource> sound;
  if (!name.empty()) sound.Assign(name);
  return sound;
}

void PlayGUISound(const cResourcePtr<cSoundResource>& sound) {
  if (sound) cSoundPlayer::GetInstance()->Play(sound, false);
}

std::unique_ptr<RenderObject> MakeGlyphModel() {
  CountedPtr<Model> mesh(new GUIGlyphMesh());
  GUISystem* system = GUISystem::PeekInstance();
  return std::make_unique<RenderObject>(mesh, system != nullptr ? system->GetCamera() : nullptr, 0);
}

void SetGUIKeySource(GUIKeySource source) { KeySource() = std::move(source); }

GUIKeyMessage GetGUIKeyMessage() { return KeySource() ? KeySource()() : GUIKeyMessage(); }
