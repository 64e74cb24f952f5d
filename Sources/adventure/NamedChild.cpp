#include "Sources/adventure/NamedChild.h"

#include <set>
#include <utility>

#include "gui/include/GUIWindow.h"
#include "source/log/cLog.h"

namespace {

std::set<std::pair<std::string, std::string>>& Logged() {
  static std::set<std::pair<std::string, std::string>> logged;
  return logged;
}

}  // namespace

GUIWindow* FindNamedChild(GUIWindow* parent, const std::string& name) {
  GUIWindow* child = parent != nullptr ? parent->FindChild(name) : nullptr;
  if (child != nullptr) return child;
  const std::string owner = parent != nullptr ? parent->GetName() : std::string("(none)");
  if (Logged().insert({owner, name}).second) {
    LogReport(kLogError, "Sources\\Panel", __LINE__, "window %s has no child %s", owner.c_str(), name.c_str());
  }
  return nullptr;
}

RenderObject* FindNamedChildModel(GUIWindow* parent, const std::string& name) {
  GUIWindow* child = FindNamedChild(parent, name);
  return child != nullptr ? child->GetVisual().GetModel() : nullptr;
}

void ForgetLoggedMissingChildren() { Logged().clear(); }
