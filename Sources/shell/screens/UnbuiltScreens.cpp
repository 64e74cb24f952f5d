#include "Sources/shell/screens/UnbuiltScreens.h"

#include <set>

#include "Sources/shell/ApplicationFrame.h"
#include "Sources/shell/screens/MessageBoxes.h"
#include "Sources/shell/screens/ScreenSupport.h"
#include "source/log/cLog.h"

namespace {

constexpr const char* kSource = "Sources\\shell\\screens";

struct Reports {
  std::set<std::string> logged;  // bounded by the game's screens
  std::string waiting;           // the first report not yet shown
  bool waiting_fatal = false;
  std::string failure;
};

Reports& State() {
  static Reports reports;
  return reports;
}

// The text of the key, or the English words when the text table lacks it.
std::u16string TextOr(const char* key, const char16_t* english) {
  const std::u16string text = ShellText(key);
  return text.empty() ? std::u16string(english) : text;
}

std::string WhyItEnds(const std::string& screen) {
  return "the game's screen " + screen + " cannot be built: its form is missing or damaged in the game data";
}

void EndProgram(const std::string& why) {
  Reports& state = State();
  if (state.failure.empty()) state.failure = why;
  QuitApplicationFrame(0);
}

}  // namespace

void ReportUnbuiltScreen(const std::string& screen, bool fatal) {
  Reports& state = State();
  if (state.logged.insert(screen + (fatal ? "!" : "")).second) {
    LogReport(kLogError, kSource, __LINE__, "%s cannot be built: its form is missing or damaged in the game data%s",
              screen.c_str(), fatal ? "; the game cannot go on" : "; it is not shown");
  }
  if (state.waiting.empty() || (fatal && !state.waiting_fatal)) {
    state.waiting = screen;
    state.waiting_fatal = fatal;
  }
}

void ShowUnbuiltScreenReports() {
  Reports& state = State();
  if (state.waiting.empty() || IsMessageBoxShown()) return;
  const std::string screen = state.waiting;
  const bool fatal = state.waiting_fatal;
  state.waiting.clear();
  state.waiting_fatal = false;
  const std::u16string title = TextOr("screen_damaged_title", u"Damaged game data");
  if (!CanShowMessageBox()) {
    LogReport(kLogError, kSource, __LINE__, "not even the message box can be built to say so: the game ends");
    EndProgram(WhyItEnds(screen));
    return;
  }
  if (!fatal) {
    ShowMessageBox(title, TextOr("screen_damaged", u"This screen cannot be shown. Please reinstall the game."));
    return;
  }
  state.failure = WhyItEnds(screen);  // closing the window instead of OK ends the same way
  ShowMessageBox(title, TextOr("screen_damaged_fatal", u"The game cannot go on. Please reinstall the game."),
                 MakeCallableDelegate([screen](DelegateArg) { EndProgram(WhyItEnds(screen)); }));
}

const std::string& GetShellFailure() { return State().failure; }

void ResetUnbuiltScreens() { State() = Reports(); }
