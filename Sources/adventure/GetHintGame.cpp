#include "Sources/adventure/GetHintGame.h"

#include "Sources/adventure/PhraseSequence.h"
#include "source/particle/ParticleEffectHandle.h"
#include "gui/include/WindowEffectOwner.h"

struct GetHintGame::RunningEffect {
  std::unique_ptr<WindowEffectOwner> owner;
  std::unique_ptr<ParticleEffectHandle> handle;
};

GetHintGame::GetHintGame(const std::string& scene, GUIWindow* owner)
    : GUIStateWindow(kWindowName, owner), m_owner(owner), m_scene(scene), m_text_section(TextSectionOf(scene)) {}

GetHintGame::~GetHintGame() = default;

void GetHintGame::Show() { GUIStateWindow::Show(); }
void GetHintGame::Hide() { GUIStateWindow::Hide(); }
void GetHintGame::SetState(int state) { GUIStateWindow::SetState(state); }
bool GetHintGame::Update() { return GUIStateWindow::Update(); }
bool GetHintGame::HandleMouse(const Vector2& point, bool button_down) {
  return GUIStateWindow::HandleMouse(point, button_down);
}
int32_t GetHintGame::CountRemaining() const { return static_cast<int32_t>(m_targets.size()); }
std::string GetHintGame::TextSectionOf(const std::string&) { return "get_hint"; }
