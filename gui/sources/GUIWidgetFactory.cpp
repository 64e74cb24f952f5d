#include "gui/include/GUIWidgetFactory.h"

#include "gui/include/GUIWindow.h"

GUIWidgetFactory::GUIWidgetFactory() { Register("window", &CreatorOf<GUIWindow>); }

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
