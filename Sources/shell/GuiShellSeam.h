#pragma once
// What the game shell asks of the GUI library at start-up: the size of the GUI camera's view,
// the fonts of the GUI font table and the text resource of the text table. The GUI library
// installs its own functions here when its system starts (InstallGuiShellSeam); until then the
// view and the text table are left alone and every font is reported as not made.

#include <functional>
#include <string>

class GuiShellSeam {
 public:
  struct Functions {
    // The GUI camera's view width and height.
    std::function<void(float width, float height)> set_view_size;
    // Makes a font from the font resource `name` and stores it in `slot` of the font table (the
    // table grows to slot + 1; a font already there is released). False when no such font.
    std::function<bool(int slot, const std::string& name)> set_font;
    // Points the current text table at the text resource `name` (none found: no texts at all).
    std::function<void(const std::string& name)> set_text_resource;
  };

  void Install(Functions functions) { m_functions = std::move(functions); }

  void SetViewSize(float width, float height) const;
  bool SetFont(int slot, const std::string& name) const;
  void SetTextResource(const std::string& name) const;

 private:
  Functions m_functions;
};

GuiShellSeam& GetGuiShellSeam();
