#include "Sources/shell/GuiShellSeam.h"

void GuiShellSeam::SetViewSize(float width, float height) const {
  if (m_functions.set_view_size) m_functions.set_view_size(width, height);
}

bool GuiShellSeam::SetFont(int slot, const std::string& name) const {
  return m_functions.set_font ? m_functions.set_font(slot, name) : false;
}

void GuiShellSeam::SetTextResource(const std::string& name) const {
  if (m_functions.set_text_resource) m_functions.set_text_resource(name);
}

GuiShellSeam& GetGuiShellSeam() {
  // Never destroyed: the GUI may still reach it while the singletons are released at exit.
  static GuiShellSeam& seam = *new GuiShellSeam();
  return seam;
}
