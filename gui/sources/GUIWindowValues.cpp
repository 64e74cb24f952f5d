// The window's named attributes, its values as text, the alpha keys and building from XML.

#include <cstdlib>

#include "gui/include/GUIAttribute.h"
#include "gui/include/GUIWidgetFactory.h"
#include "gui/include/GUIWindow.h"
#include "source/math/FloatCurve.h"
#include "source/properties/NumberText.h"
#include "source/properties/PropertyMap.h"
#include "source/xml/XmlNode.h"

namespace {

// Deeper nesting than this in a window description is not built (a damaged or hostile file
// would otherwise exhaust the stack).
constexpr int kMaxLoadDepth = 64;
int g_load_depth = 0;

}  // namespace

void GUIWindow::RegisterAttributes() {
  PropertyMap& map = m_properties;
  AddGuiAttribute<bool>(map, "visible", [this] { return m_shown; }, [this](const bool& on) { Show(on); });
  AddGuiAttribute<Matrix4>(map, "matrix", [this] { return m_local; }, [this](const Matrix4& m) { m_local = m; });
  AddGuiAttribute<Vector3>(map, "size", [this] { return m_size; }, [this](const Vector3& s) { SetSize(s); });
  AddGuiAttribute<bool>(map, "move_to_front",
                        [this] { return m_parent != nullptr && !m_parent->m_children.empty() && m_parent->m_children.front() == this; },
                        [this](const bool& front) { MoveToFront(front); });
  AddGuiAttribute<Vector4>(map, "color", [this] { return m_visual.GetColor(); },
                           [this](const Vector4& color) { SetColor(color); });
  AddGuiAttribute<bool>(map, "enable", [this] { return m_enabled; }, [this](const bool& on) { SetEnabled(on); });
  AddGuiAttribute<std::string>(map, "alignment", [this] { return GetAlignmentText(); },
                               [this](const std::string& text) { SetAlignment(text); });
  // Each text adds a key, so reading one back has no meaning: write-only.
  AddGuiAttribute<std::string>(map, "alpha", nullptr, [this](const std::string& text) { AddAlphaKey(text); });
}

std::string GUIWindow::GetAlignmentText() const {
  if (m_alignment == 0) return std::string();
  std::string text;
  switch (m_alignment & 0x0F) {
    case kAlignLeft: text += 'l'; break;
    case kAlignCentre: text += 'c'; break;
    default: text += 'r'; break;
  }
  switch (m_alignment & 0xF0) {
    case kAlignTop: text += 't'; break;
    case kAlignMiddle: text += 'c'; break;
    default: text += 'b'; break;
  }
  return text;
}

std::string GUIWindow::GetValue(const std::string& name) {
  const PropertyPtr held = m_properties[name];
  return held ? held->GetAsString() : std::string();
}

void GUIWindow::SetValue(const std::string& name, const std::string& text) {
  SetPropertyValue(m_properties, name, text);
}

void GUIWindow::AddAlphaKey(const std::string& text) {
  const std::size_t comma = text.find(',');
  const float time = static_cast<float>(ParseDouble(text.substr(0, comma)));
  const float value = comma == std::string::npos ? 0.0f : static_cast<float>(ParseDouble(text.substr(comma + 1)) * 0.01);
  if (!m_alpha_curve) m_alpha_curve = std::make_unique<FloatCurve>(this);
  m_alpha_curve->AddKey(time, value);
}

void GUIWindow::LoadChildren(const XmlNode& node) {
  if (g_load_depth >= kMaxLoadDepth) return;
  ++g_load_depth;
  GUIWidgetFactory* factory = GUIWidgetFactory::GetInstance();
  for (const XmlNode* element = node.GetFirstChild(); element != nullptr; element = element->GetNext()) {
    const XmlNode* name = element->FindAttribute("name");
    GUIWindow* child = factory->Create(element->GetName(), name != nullptr ? name->GetValue() : "default", this);
    if (child != nullptr) child->LoadChildren(*element);
  }
  --g_load_depth;
  for (const XmlNode* attribute = node.GetFirstAttribute(); attribute != nullptr; attribute = attribute->GetNext()) {
    SetValue(attribute->GetName(), attribute->GetValue());
  }
}
