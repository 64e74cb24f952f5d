#include "Sources/adventure/PanelServices.h"

#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/PhraseDatabase.h"
#include "Sources/adventure/PhraseSequence.h"
#include "Sources/shell/screens/MessageBoxes.h"
#include "Sources/shell/screens/ScreenSupport.h"

namespace {

// A mini-game's introduction: its phrases as a sequence of the hint window.
class PhraseIntro : public MiniGameIntro {
 public:
  PhraseIntro(const std::string& key, std::vector<Phrase> phrases) : m_sequence(key, std::move(phrases)) {}
  void Show() override { m_sequence.Show(); }

 private:
  PhraseSequence m_sequence;  // its destructor takes it off the hint window
};

// The callbacks last handed to the Yes/No box, so that a game going away can take back its own.
DelegatePtr g_yes;
DelegatePtr g_no;

}  // namespace

bool PanelLocationServices::IsAnyBookOpen() { return m_panel.IsAnyBookOpen(); }
bool PanelLocationServices::IsMouseOverPanel() { return m_panel.IsMouseOverPanel(); }
std::string PanelLocationServices::GetItemInHand() { return m_panel.GetItemInHand(); }
int32_t PanelLocationServices::GetItemInHandValue() { return m_panel.GetItemInHandValue(); }
void PanelLocationServices::TakeItemInHand(const std::string& name, int32_t value) {
  m_panel.TakeItemInHand(name, value);
}
bool PanelLocationServices::HasInventoryItem(const std::string& name, uint32_t minimum) {
  return m_panel.HasInventoryItem(name, minimum == 0 ? -1 : static_cast<int32_t>(minimum));
}
void PanelLocationServices::FlyToInventory(const std::string& name, const Vector3& start, uint32_t count,
                                           bool start_at_slot) {
  m_panel.FlyToInventory(name, start, count, start_at_slot);
}
void PanelLocationServices::DropInventoryItem(const std::string& name, uint32_t count) {
  m_panel.DropInventoryItem(name, count);
}
void PanelLocationServices::ExecuteCommand(const std::string& word, uint32_t, const std::string& source,
                                           const Vector3& start) {
  m_panel.ExecuteCommand(word, source, start);
}
bool PanelLocationServices::IsBusy() { return m_panel.IsBusy(); }
bool PanelLocationServices::IsHelpShown() { return m_panel.IsHelpShown(); }
void PanelLocationServices::ShowHelp(bool show, const std::string& request) {
  if (show) {
    m_panel.KeepHelp(request);
  } else {
    m_panel.ShowHelp(false, std::string());
  }
}
bool PanelLocationServices::IsItemFlying() { return m_panel.IsItemFlying(); }
void PanelLocationServices::SaveProgress() {
  if (GameFlowController* flow = m_panel.GetFlowController()) flow->SaveProgress();
}

void PanelMiniGameHost::SetButtonMode(const std::string& caption_key, bool on, const DelegatePtr& on_click,
                                      int variant) {
  m_panel.SetButtonMode(caption_key, on, on_click, variant);
}
bool PanelMiniGameHost::HandleExitButtonMouse(const Vector2& point, bool button_down) {
  return m_panel.HandleExitButtonMouse(point, button_down);
}
void PanelMiniGameHost::SyncHintIcons() { m_panel.SyncHintIcons(); }
bool PanelMiniGameHost::IsPhraseShown() const { return HintWindow::GetInstance()->GetSequence() != nullptr; }

std::unique_ptr<MiniGameIntro> PanelMiniGameHost::MakeIntro(const std::string& section, const std::string& key) {
  const auto& locations = PhraseDatabase::GetInstance()->GetRoot().m_locations;
  auto location = locations.find(section);
  if (location == locations.end()) return nullptr;
  auto phrases = location->second.m_phrases.find(key);
  if (phrases == location->second.m_phrases.end() || phrases->second.empty()) return nullptr;
  return std::make_unique<PhraseIntro>(key, phrases->second);
}

void PanelMiniGameHost::ShowMessageBox(const std::string& title_key, const std::string& text_key) {
  ::ShowMessageBox(ShellText(title_key), ShellText(text_key));
}

void PanelMiniGameHost::ShowYesNoBox(const std::string& title_key, const std::string& text_key,
                                     const DelegatePtr& yes, const DelegatePtr& no) {
  g_yes = yes;
  g_no = no;
  ::ShowYesNoBox(ShellText(text_key), ShellText(title_key), yes, no);
}

void PanelMiniGameHost::ForgetCallbacksOf(const void* object) {
  const bool ours = (g_yes && g_yes->GetObject() == object) || (g_no && g_no->GetObject() == object);
  if (!ours) return;
  g_yes = g_no = DelegatePtr();
  if (GameYesNoBox* box = GetYesNoBox()) box->SetCallbacks(DelegatePtr(), DelegatePtr());
}
