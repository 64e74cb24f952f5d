#pragma once
// The screen that covers a switch of the whole game (the loading screen before play): it
// appears, runs its callback once it covers everything, comes to the top again and fades away;
// once gone it is deleted (after the frame, so nothing that holds it meanwhile is left dangling).

#include <string>

#include "gui/include/DialogWindow.h"

class FadeWindow : public DialogWindow {
 public:
  FadeWindow(const std::string& name, const std::string& form, const DelegatePtr& on_complete);

  bool IsWorkingFinished(float dt) override;
  void SetState(int state) override;

  bool HasCompleted() const { return m_completed; }

 private:
  DelegatePtr m_on_complete;
  bool m_completed = false;
};
