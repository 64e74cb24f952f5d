#pragma once
// The window every screen, dialog, panel and mini-game derives from: a form (its widgets and
// models) and a small state machine over the form's animations: hidden (1), appear (2), working
// (3), disappear (4). A state's end is first tested in the second update after it is entered.
// The mouse reaches the children only while working; appearing or disappearing, it is swallowed.

#include <string>
#include <vector>

#include "gui/include/GUIWindow.h"
#include "gui/include/GameStateWindow.h"
#include "gui/include/cFormResource.h"
#include "source/Resources/cResourcePtr.h"

class cGameState;

// The game shell's screen states drive it through GameStateWindow.
class GUIStateWindow : public GUIWindow, public GameStateWindow {
 public:
  enum State : int { kNoForm = 0, kHidden = 1, kAppear = 2, kWorking = 3, kDisappear = 4 };

  // A null parent means the window "user".
  GUIStateWindow(const std::string& name, GUIWindow* parent = nullptr);
  // The children (and the models they borrow from the form) go before the form is released.
  ~GUIStateWindow() override;

  void SetVisible(bool v) override;
  bool Update() override;
  bool HandleMouse(const Vector2& point, bool button_down) override;

  virtual bool IsAppearFinished(float dt);
  virtual bool IsDisappearFinished(float dt);
  // Without a "working" animation the window stays working until Hide; mini-games put their
  // per-frame logic here.
  virtual bool IsWorkingFinished(float dt);
  virtual bool IsExpired() { return false; }
  virtual void SetState(int state);
  // Shown or hidden at once, without the animations.
  void Show(bool on) override { GUIWindow::Show(on); }
  void Show() override;
  void Hide() override;

  // The first form only: keeps it and builds the children from it. Then hidden in every case.
  void SetForm(const cResourcePtr<cFormResource>& form);
  // Loads the form resource of that name first; false when there is none.
  bool SetFormByName(const std::string& name);
  cFormResource* GetForm() const { return m_form.Get(); }
  // The first model of the form of exactly that name, or null.
  RenderObject* FindModel(const std::string& name) const;
  bool IsAnimationPlaying() const;
  // Plays the animation in every model of the form that has it; false when none has.
  bool PlayAnimation(const std::string& name);
  void SetAnimationLooping(const std::string& name);
  // Replaces the delegate of an existing event of the named direct child.
  void BindChildEvent(const std::string& child, const std::string& event, const DelegatePtr& delegate);

  int GetState() const { return m_state; }
  bool IsOpen() const { return m_open; }
  bool HasAnimation() const { return m_has_animation; }
  bool IsStateEntered() const { return m_state_entered; }
  cGameState* GetNextState() const override { return m_next_state; }
  void SetNextState(cGameState* state) { m_next_state = state; }

 protected:
  // The form's models (none without a form).
  const std::vector<RenderObject*>& FormModels() const;
  // Shows the models of the form while the window is visible and in an animated state.
  void ApplyFormVisibility();

  bool m_open = false;
  cGameState* m_next_state = nullptr;  // not owned: the game shell's

 private:
  int m_state = kNoForm;
  cResourcePtr<cFormResource> m_form;
  bool m_has_animation = false;
  bool m_state_entered = false;
};
