// velmaris-gui-form: the program's start-up and frame loop with the GUI sample on screen instead
// of the game: the travel panel (a modal dialog of buttons) from the sample data, and the question
// dialog, which its first button opens over it (the panel dims under it) and either of the
// question's buttons closes again. Closing the window ends it with status 0, as the game does.
// The end-to-end test drives it with the real pointer and reads what it draws. With the argument
// "options" it shows the widgets sample instead: the options board in the game's fonts and texts,
// with the sounds of its widgets, and the key messages of the window reaching its name field.

#include <cstdint>

#include <string>

#include "Sources/shell/GuiShellSeam.h"
#include "app/sources/cApplication.h"
#include "gui/include/GUICursor.h"
#include "tests/e2e/drivers/DriverStart.h"
#include "tests/e2e/gui/OptionsWindow.h"
#include "tests/e2e/gui/SampleWindow.h"

namespace {

constexpr const char* kTitle = "Velmaris";

void StartGui() {
  if (GUICursor* cursor = StartDriverGui()) {
    cursor->AddCursor("cursor", GUICursor::kCursorArrow);
    cursor->AddCursor("lens", GUICursor::kCursorLens);
    cursor->SetCursor("cursor");
  }
}

// The fonts and texts the game's start-up gives the GUI, as the game shell asks for them.
void ShowOptions() {
  const GuiShellSeam& seam = GetGuiShellSeam();
  seam.SetFont(0, "fonts\\main");
  seam.SetFont(1, "fonts\\title");
  seam.SetFont(2, "fonts\\small");
  seam.SetTextResource("en");
  auto* options = new OptionsWindow();
  if (options->GetForm() != nullptr) options->Show();
}

int Run(bool options) {
  if (!StartDriverProgram(kTitle)) return 1;
  MountSampleGroups();
  StartGui();
  if (options) {
    ShowOptions();
    cApplication::GetInstance()->Run();
    return 0;
  }

  SampleWindow* question = nullptr;
  auto* panel = new SampleWindow("travel_panel", "gui\\windows\\travel_panel", [&question](const std::string& button) {
    // A question whose form is missing or damaged would be an invisible dialog holding the mouse.
    if (button == "button_journey" && question->GetForm() != nullptr) question->Show();
  });
  question = new SampleWindow("question", "gui\\dialogs\\question", [&question](const std::string&) { question->Hide(); });
  panel->Show();
  cApplication::GetInstance()->Run();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return EndDriverProgram(Run(argc > 1 && std::string(argv[1]) == "options"));
}
