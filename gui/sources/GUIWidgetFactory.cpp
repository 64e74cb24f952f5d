#include "gui/include/GUIWidgetFactory.h"

#include "gui/include/GUIButton.h"
#include "gui/include/GUICheckBox.h"
#include "gui/include/GUIEditBox.h"
#include "gui/include/GUIMenuItem.h"
#include "gui/include/GUIRadioButton.h"
#include "gui/include/GUIScroll.h"
#include "gui/include/GUIStatic.h"
#include "gui/include/GUIText.h"
#include "gui/include/GUIWindow.h"

GUIWidgetFactory::GUIWidgetFactory() {
  Register("window", &CreatorOf<GUIWindow>);
  Register("button", &CreatorOf<GUIButton>);
  Register("radiobutton", &CreatorOf<GUIRadioButton>);
  Register("checkbox", &CreatorOf<GUICheckBox>);
  Register("editbox", &CreatorOf<GUIEditBox>);
  Register("scroll", &CreatorOf<GUIScroll>);
  Register("slider", &CreatorOf<GUISlider>);
  Register("static", &CreatorOf<GUIStatic>);
  Register("menuitem", &CreatorOf<GUIMenuItem>);
  Register("text", &CreatorOf<GUIText>);
}

void GUIWidgetFactory::Register(const std::string& type, Creator creator) {
  if (creator != nullptr) m_creators[type] = creator;
}

GUIWidgetFactory::Creator GUIWidgetFactory::Find(const std::string& type) const {
  auto found = m_creators.find(type);
  return found != m_creators.end() ? found->second : nullptr;
}

GUIWindow* GUIWidgetFactory::Create(const std::string& type, const std::string& name, GUIWindow* parent) const {
  Creator creator = Find(type);
  return creator != nullptr ? creator(name, parent) : nullptr;
}
