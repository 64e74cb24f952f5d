#include "app/sources/GuiConnection.h"

#include "Sources/shell/GuiShellSeam.h"
#include "app/sources/cApplication.h"
#include "gui/include/GUIFont.h"
#include "gui/include/GUIFontTable.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWidgetSupport.h"
#include "gui/include/TextTable.h"

void ConnectGui(cApplication& application) {
  SetGUIKeySource([&application] {
    return GUIKeyMessage{application.IsKeyPending(), application.IsKeyCharacter(), application.GetKeyCode()};
  });
  GuiShellSeam::Functions functions;
  functions.set_view_size = [](float width, float height) {
    if (GUISystem* gui = GUISystem::PeekInstance()) gui->SetCameraSize(width, height);
  };
  functions.set_font = [](int slot, const std::string& name) {
    GUISystem* gui = GUISystem::PeekInstance();
    if (gui == nullptr || gui->GetFontTable() == nullptr) return false;
    cResourcePtr<cFontResource> resource;
    if (!resource.Assign(name)) return false;
    gui->GetFontTable()->Set(slot, CountedPtr<GUIFont>(new GUIFont(resource)));
    return true;
  };
  functions.set_text_resource = [](const std::string& name) {
    GUISystem* gui = GUISystem::PeekInstance();
    if (gui == nullptr || gui->GetTextTable() == nullptr) return;
    cResourcePtr<cTextResource> resource;
    resource.Assign(name);
    *gui->GetTextTable() = resource;
  };
  GetGuiShellSeam().Install(std::move(functions));
}

void DisconnectGui() {
  SetGUIKeySource(nullptr);
  GetGuiShellSeam().Install(GuiShellSeam::Functions());
}
