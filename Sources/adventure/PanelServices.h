#pragma once
// What locations and mini-games ask of the game around them, answered by the game panel, the
// hint window and the in-game state. The panel installs both when it is made and removes them
// when it goes.

#include "Sources/adventure/LocationServices.h"
#include "Sources/minigames/MiniGameHost.h"

class GamePanel;

class PanelLocationServices : public LocationServices {
 public:
  explicit PanelLocationServices(GamePanel& panel) : m_panel(panel) {}

  bool IsAnyBookOpen() override;
  bool IsMouseOverPanel() override;
  std::string GetItemInHand() override;
  int32_t GetItemInHandValue() override;
  void TakeItemInHand(const std::string& name, int32_t value) override;
  bool HasInventoryItem(const std::string& name, uint32_t minimum) override;
  void FlyToInventory(const std::string& name, const Vector3& start, uint32_t count, bool start_at_slot) override;
  void DropInventoryItem(const std::string& name, uint32_t count) override;
  void ExecuteCommand(const std::string& word, uint32_t count, const std::string& source,
                      const Vector3& start) override;
  bool IsBusy() override;
  bool IsHelpShown() override;
  void ShowHelp(bool show, const std::string& request) override;
  bool IsItemFlying() override;
  void SaveProgress() override;

 private:
  GamePanel& m_panel;
};

class PanelMiniGameHost : public MiniGameHost {
 public:
  explicit PanelMiniGameHost(GamePanel& panel) : m_panel(panel) {}

  void SetButtonMode(const std::string& caption_key, bool on, const DelegatePtr& on_click, int variant) override;
  bool HandleExitButtonMouse(const Vector2& point, bool button_down) override;
  void SyncHintIcons() override;
  bool IsPhraseShown() const override;
  std::unique_ptr<MiniGameIntro> MakeIntro(const std::string& section, const std::string& key) override;
  void ShowMessageBox(const std::string& title_key, const std::string& text_key) override;
  void ShowYesNoBox(const std::string& title_key, const std::string& text_key, const DelegatePtr& yes,
                    const DelegatePtr& no) override;
  void ForgetCallbacksOf(const void* object) override;

 private:
  GamePanel& m_panel;
};
