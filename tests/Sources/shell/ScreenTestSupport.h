#pragma once
// Shared set-up of the shell screen tests: the headless GUI of the GUI tests with a frame clock,
// a player folder of the test's own with the profile list installed, the screens' forms (every
// child the code reads, as plain quads where the mouse must find them), an English text table,
// and the left mouse button driven through the input manager's poll.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Sources/shell/screens/ScreenSupport.h"
#include "Sources/shell/userdata/ProfilesList.h"
#include "Sources/shell/userdata/UserDataHolder.h"
#include "Sources/shell/userdata/cUserDataFactory.h"
#include "gui/include/GUIWindowManager.h"
#include "gui/include/TextTable.h"
#include "source/Resources/cResourceLocation.h"
#include "source/input/cInput.h"
#include "gui/include/GUIFontTable.h"
#include "tests/gui/GuiTestFonts.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/Found.h"
#include "tests/support/fixtures/ResourceFixtures.h"

// A button of the forms: a quad of 100 x 40 at (x, y).
inline std::string QuadButton(const std::string& name, int x, int y, const std::string& kind = "button") {
  return "<" + kind + " name=\"" + name + "\" shader=\"quad\" size=\"100 40 1\" matrix=\"1 0 0 0 1 0 0 0 1 " +
         std::to_string(x) + " " + std::to_string(y) + " 0\"/>";
}

// A 4 x 4 picture of one grey level, as an uncompressed 24-bit TGA file.
inline std::string GreyTga(uint8_t level) {
  std::string bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 4, 0, 24, 0};
  bytes.append(48, static_cast<char>(level));
  return bytes;
}

class ScreenTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    cInput::GetInstance();
    user->Show(true);  // as the game shows it at start-up
    // A font in slot 0: a text without its font holds a window's appearing until the font exists.
    FontDescription description;
    description.size = 10.0f;
    Found(gui->GetFontTable()).Set(0, CountedPtr<GUIFont>(new GUIFont(TestFont(kLatin).GetGlyphs(), description)));
    UserDataHolder::GetInstance()->Install(std::make_unique<GameUserDataFactory>(players.Path()));
  }
  void TearDown() override {
    user->DeleteChildren();
    location.reset();
    GuiTest::TearDown();
  }

  // Mounts the forms (name, inner XML of <form>) and the English texts, and makes them current.
  void MountForms(const std::vector<std::pair<std::string, std::string>>& forms) {
    std::vector<FixtureTree::Listed> listed;
    for (const auto& [name, inner] : forms) listed.push_back({name, "form", "<form>" + inner + "</form>"});
    FixtureTree tree(data.Path(), "data");
    tree.AddResourceList("gui/forms.resource", listed);
    tree.AddResourceList("texts/en.resource", {{"en", "text", kTexts}});
    for (const auto& [name, bytes] : pictures) tree.AddFile(name + ".tga", bytes);
    location = std::make_unique<cResourceLocation>("data", data.Path());
    ASSERT_TRUE(location->Mount());
    cResourcePtr<cTextResource> texts;
    ASSERT_TRUE(texts.Assign("en"));
    *gui->GetTextTable() = texts;
  }

  ProfilesList& Profiles() { return Found(UserDataHolder::GetInstance()->GetProfiles()); }
  void AddProfiles(std::initializer_list<const char16_t*> names) {
    for (const char16_t* name : names) ASSERT_NE(Profiles().Add(name), nullptr);
  }

  // One poll with the left button down or up; then a GUI frame (mouse dispatch and update).
  void MouseFrame(bool down, float dt = 0.02f) {
    InputState& mouse = cInput::GetInstance()->m_states[cInput::kMouse];
    mouse.Swap();
    mouse.current[cInput::kMouseLeft] = down ? 0x80 : 0;
    Frame(dt);
  }
  void Frames(int n, float dt = 0.02f) {
    for (int i = 0; i < n; ++i) MouseFrame(false, dt);
  }
  // Presses and releases the named child of the window where it lies.
  void ClickChild(GUIWindow& window, const std::string& name) {
    GUIWindow* child = window.FindChild(name);
    ASSERT_NE(child, nullptr) << name;
    gui->UpdateLayout();
    const Matrix4& world = child->GetWorld();
    const Vector2 point(world.m[12] + 50.0f, world.m[13] + 20.0f);
    window.HandleMouse(point, false);
    Press(window, point, true);
    Press(window, point, false);
  }
  static void Press(GUIWindow& window, const Vector2& point, bool down) {
    InputState& mouse = cInput::GetInstance()->m_states[cInput::kMouse];
    mouse.Swap();
    mouse.current[cInput::kMouseLeft] = down ? 0x80 : 0;
    window.HandleMouse(point, down);
  }
  std::string Text(GUIWindow& window, const std::string& child) {
    GUIWindow* found = window.FindChild(child);
    return found != nullptr ? found->GetValue("text") : "(missing)";
  }

  static constexpr const char* kTexts =
      "<section name=\"shell\">"
      "<text id=\"EXIT_TITLE\" text=\"Leave?\"/><text id=\"EXIT_TEXT_0\" text=\"The sea\"/>"
      "<text id=\"EXIT_TEXT_1\" text=\"will\"/><text id=\"EXIT_TEXT_2\" text=\"wait.\"/>"
      "<text id=\"DELETE_PROFILE_TEXT_0\" text=\"All is lost.\"/><text id=\"DELETE_PROFILE_TEXT_1\" text=\"Delete\"/>"
      "<text id=\"DELETE_PROFILE_TEXT_3\" text=\"?\"/><text id=\"profile_welcome\" text=\"Welcome,\"/>"
      "<text id=\"NEW_PROFILE_TITLE\" text=\"New player\"/>"
      "</section>";

  TempDir players{"velmaris-players"};
  TempDir data{"velmaris-forms"};
  std::vector<std::pair<std::string, std::string>> pictures;
  std::unique_ptr<cResourceLocation> location;
};

// The small dialogs' forms: the message boxes (with a linked static for long texts) and the name
// entry.
inline std::vector<std::pair<std::string, std::string>> SmallDialogForms() {
  const std::string texts =
      "<static name=\"title_text_0\"/><static name=\"main_text_0\"/>"
      "<static name=\"main_text_1\" link=\"true\"/>";
  return {{"gui\\windows\\ok_small_window", texts + QuadButton("ok", 400, 300)},
          {"gui\\windows\\yes_no_small_window", texts + QuadButton("yes", 300, 300) + QuadButton("no", 500, 300)},
          {"gui\\windows\\profile_small_window",
           texts + "<editbox name=\"edit_box_name\" text_length=\"40\"/>" + QuadButton("ok_btn", 300, 300) +
               QuadButton("cancel_btn", 500, 300)}};
}
