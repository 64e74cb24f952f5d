#include "Sources/shell/ApplicationFrame.h"

namespace {

ApplicationFrame* g_frame = nullptr;

}  // namespace

ApplicationFrame* ApplicationFrame::GetCurrent() { return g_frame; }

void ApplicationFrame::SetCurrent(ApplicationFrame* frame) { g_frame = frame; }

void ApplicationFrame::Withdraw(ApplicationFrame* frame) {
  if (g_frame == frame) g_frame = nullptr;
}

DelegateArg QuitApplicationFrame(DelegateArg) {
  if (ApplicationFrame* frame = ApplicationFrame::GetCurrent()) frame->Quit();
  return 0;
}
