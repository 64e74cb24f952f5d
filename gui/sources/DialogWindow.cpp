#include "gui/include/DialogWindow.h"

#include <algorithm>
#include <vector>

#include "source/math/MathUtil.h"
#include "source/timer/cTimerManager.h"

namespace {

std::vector<DialogWindow*>& LiveDialogs() {
  static auto* dialogs = new std::vector<DialogWindow*>();  // outlives every window
  return *dialogs;
}

}  // namespace

DialogWindow::DialogWindow(const std::string& name) : GUIStateWindow(name, nullptr), m_previous_active(this) {
  LiveDialogs().push_back(this);
}

DialogWindow::~DialogWindow() {
  std::vector<DialogWindow*>& dialogs = LiveDialogs();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), this), dialogs.end());
  // An open dialog that goes hands the mouse back as its Hide would.
  if (m_open) RestorePreviousActive();
  LeaveChain();
}

void DialogWindow::ForgetWindow(const GUIWindow* window) {
  for (DialogWindow* dialog : LiveDialogs()) {
    if (dialog->m_previous_active == window && window != dialog) dialog->m_previous_active = nullptr;
  }
}

void DialogWindow::LeaveChain() {
  GUIWindow* remembered = m_previous_active == this ? nullptr : m_previous_active;
  for (DialogWindow* dialog : LiveDialogs()) {
    if (dialog != this && dialog->m_previous_active == this) dialog->m_previous_active = remembered;
  }
}

void DialogWindow::Show() {
  GUIStateWindow::Show();
  m_dimmed = false;
  GUIWindow* parent = GetParent();
  GUIWindow* active = parent != nullptr ? parent->GetActiveChild() : nullptr;
  // Shown again while it holds the mouse, it keeps what it remembered.
  if (active != this) m_previous_active = active;
  SetActiveChild(this, this);
  SetColor(Vector4(1.0f, 1.0f, 1.0f, 1.0f));
}

void DialogWindow::Hide() {
  GUIStateWindow::Hide();
  if (m_previous_active == this) return;  // never shown: the active path is not touched
  GUIWindow* parent = GetParent();
  if (parent != nullptr && parent->GetActiveChild() == this) {
    RestorePreviousActive();
  } else {
    LeaveChain();
  }
  m_previous_active = this;
}

void DialogWindow::RestorePreviousActive() {
  if (m_previous_active == this) return;
  GUIWindow* parent = GetParent();
  if (parent == nullptr || parent->GetActiveChild() != this) return;
  SetActiveChild(parent, m_previous_active);
}

bool DialogWindow::Update() {
  GUIWindow* parent = GetParent();
  if (parent != nullptr && parent->GetActiveChild() != nullptr) m_dimmed = parent->GetActiveChild() != this;
  const cTimerManager* timers = cTimerManager::PeekInstance();
  const float step = kBrightnessRate * (timers != nullptr ? timers->GetFrameDelta() : 0.0f);
  for (float* channel : {&m_brightness.x, &m_brightness.y, &m_brightness.z}) {
    *channel = Clamp(*channel + (m_dimmed ? -step : step), kDimmedBrightness, 1.0f);
  }
  return GUIStateWindow::Update();
}
