#include "gui/include/GUIStateWindow.h"

#include "gui/include/FormBuilder.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindowManager.h"
#include "source/render/RenderObject.h"
#include "source/timer/cTimerManager.h"

namespace {

// A model marked so is updated by its own owner.
constexpr uint32_t kUpdatedElsewhere = 0x100000;

GUIWindow* ParentOrUser(GUIWindow* parent) {
  return parent != nullptr ? parent : GUIWindowManager::GetInstance()->GetWindow("user");
}

float FrameDelta() {
  const cTimerManager* timers = cTimerManager::PeekInstance();
  return timers != nullptr ? timers->GetFrameDelta() : 0.0f;
}

const std::vector<RenderObject*> kNoModels;

}  // namespace

GUIStateWindow::GUIStateWindow(const std::string& name, GUIWindow* parent) : GUIWindow(ParentOrUser(parent), name) {}

GUIStateWindow::~GUIStateWindow() {
  DeleteChildren();
  m_form.Reset();
}

const std::vector<RenderObject*>& GUIStateWindow::FormModels() const {
  return m_form ? m_form->GetObjects() : kNoModels;
}

void GUIStateWindow::ApplyFormVisibility() {
  const bool shown = IsVisible() && m_state >= kAppear && m_state <= kDisappear;
  const GUISystem* system = GUISystem::PeekInstance();
  for (RenderObject* model : FormModels()) model->SetVisible(shown && (system == nullptr || !system->IsHelper(model)));
}

void GUIStateWindow::SetVisible(bool v) {
  GUIWindow::SetVisible(v);
  ApplyFormVisibility();
}

void GUIStateWindow::SetForm(const cResourcePtr<cFormResource>& form) {
  if (!m_form && form) {
    m_form = form;
    BuildWindowFromForm(*m_form, *this);
  }
  SetState(kHidden);
}

bool GUIStateWindow::SetFormByName(const std::string& name) {
  cResourcePtr<cFormResource> form;
  if (!form.Assign(name)) return false;
  SetForm(form);
  return true;
}

RenderObject* GUIStateWindow::FindModel(const std::string& name) const {
  for (RenderObject* model : FormModels()) {
    if (model->GetName() == name) return model;
  }
  return nullptr;
}

bool GUIStateWindow::IsAnimationPlaying() const {
  for (RenderObject* model : FormModels()) {
    if (model->GetAnimation().IsPlaying()) return true;
  }
  return false;
}

bool GUIStateWindow::PlayAnimation(const std::string& name) {
  bool found = false;
  for (RenderObject* model : FormModels()) {
    AnimationController& animation = model->GetAnimation();
    if (!animation.SetAnimation(name)) continue;
    animation.Play();
    found = true;
  }
  return found;
}

void GUIStateWindow::SetAnimationLooping(const std::string& name) {
  for (RenderObject* model : FormModels()) model->GetAnimation().SetAnimationLoop(name, true);
}

void GUIStateWindow::BindChildEvent(const std::string& child, const std::string& event, const DelegatePtr& delegate) {
  if (GUIWindow* found = FindChild(child)) found->SetEvent(event, delegate);
}

bool GUIStateWindow::IsAppearFinished(float) { return !m_has_animation || !IsAnimationPlaying(); }
bool GUIStateWindow::IsDisappearFinished(float) { return !m_has_animation || !IsAnimationPlaying(); }
bool GUIStateWindow::IsWorkingFinished(float) { return m_has_animation && !IsAnimationPlaying(); }

void GUIStateWindow::SetState(int state) {
  if (state == m_state) return;
  m_state = state;
  m_state_entered = false;
  switch (state) {
    case kHidden:
      GUIWindow::Show(false);
      break;
    case kAppear:
      GUIWindow::Show(true);
      m_has_animation = PlayAnimation("appear");
      m_state_entered = true;
      break;
    case kWorking:
      GUIWindow::Show(true);
      m_has_animation = PlayAnimation("working");
      m_state_entered = true;
      break;
    case kDisappear:
      m_has_animation = PlayAnimation("disappear");
      m_state_entered = true;
      break;
    default:
      break;  // a derived window's own state
  }
}

void GUIStateWindow::Show() {
  m_open = true;
  m_next_state = nullptr;
  SetState(kAppear);
}

void GUIStateWindow::Hide() {
  m_open = false;
  SetState(kDisappear);
}

bool GUIStateWindow::HandleMouse(const Vector2& point, bool button_down) {
  if (!IsVisible() || m_state == kHidden) return false;
  if (m_state == kWorking) return GUIWindow::HandleMouse(point, button_down);
  return true;
}

bool GUIStateWindow::Update() {
  if (!IsVisible()) return false;
  // A child that cannot update yet (a text whose font is missing) must not hold the window in
  // its state for ever: the state machine runs on, and the false answer still reaches the caller.
  const bool children_updated = GUIWindow::Update();
  // Models that are not drawn keep their animations running.
  for (RenderObject* model : FormModels()) {
    if (!model->IsVisible() && !(model->GetFlags() & kUpdatedElsewhere)) model->Update(false);
  }
  const float dt = FrameDelta();
  switch (m_state) {
    case kAppear:
      if (!m_state_entered && IsAppearFinished(dt)) SetState(kWorking);
      break;
    case kWorking:
      if (!m_state_entered && IsWorkingFinished(dt)) SetState(kDisappear);
      break;
    case kDisappear:
      if (!m_state_entered && IsDisappearFinished(dt)) {
        SetState(kHidden);
        return children_updated;
      }
      break;
    default:
      return children_updated;
  }
  m_state_entered = false;
  return children_updated;
}
