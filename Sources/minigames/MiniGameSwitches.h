#pragma once
// The switches: a row of switches, all on at the start. A red light marks one that is still on
// and jumps to another at intervals that shorten as fewer remain; clicking the marked switch turns
// it off. All off wins.

#include <cstdint>
#include <vector>

#include "Sources/minigames/MiniGame.h"
#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"

class MiniGameSwitches : public MiniGame {
 public:
  explicit MiniGameSwitches(GUIWindow* parent);

  // Every switch on, no light yet: it comes on in the first working frame.
  void Start() override;
  // The light's interval runs down and the light moves; with every switch off, "win".
  bool IsWorkingFinished(float dt) override;
  // A fresh press on the marked switch turns it off.
  bool OnMouse(const Vector2& point, bool button_down) override;

  int GetSwitchCount() const { return static_cast<int>(m_off.size()); }
  const std::vector<int32_t>& GetSwitchesOn() const { return m_on_list; }
  int32_t GetMarked() const { return m_marked; }
  float GetInterval() const { return m_interval; }

 private:
  std::vector<GUIWindow*> m_off;  // the off switch's model is the click area while it is on
  std::vector<GUIWindow*> m_red;
  std::vector<GUIWindow*> m_on;
  std::vector<int32_t> m_on_list;
  int32_t m_marked = 0;
  cResourcePtr<cSoundResource> m_switch_sound;
  float m_interval = 0.0f;
};
