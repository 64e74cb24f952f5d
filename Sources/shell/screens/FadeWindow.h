#pragma once
// The screen that covers a switch of the whole game (the loading screen before play): it
// appears, runs its callback once it covers everything, stays on top until what it covers is
// ready, and fades away; once gone it is deleted (after the frame, so nothing that holds it
// meanwhile is left dangling).

#include <functional>
#include <string>

#include "gui/include/DialogWindow.h"

class FadeWindow : public DialogWindow {
 public:
  FadeWindow(const std::string& name, const std::string& form, const DelegatePtr& on_complete);

  bool IsWorkingFinished(float dt) override;
  void SetState(int state) override;

  bool HasCompleted() const { return m_completed; }
  // After the callback the screen stays covered until `ready` answers true (asked once a frame):
  // the game behind it is drawn only once it is whole.
  void HoldUntil(std::function<bool()> ready) { m_ready = std::move(ready); }

 private:
  DelegatePtr m_on_complete;
  std::function<bool()> m_ready;
  bool m_completed = false;
};
