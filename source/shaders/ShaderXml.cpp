#include "source/shaders/ShaderXml.h"

#include "source/properties/AttributeText.h"
#include "source/properties/Conversions.h"
#include "source/shaders/ShaderFile.h"
#include "source/xml/XmlNode.h"

namespace {

template <class T>
T Attribute(const XmlNode& node, const char* name, T fallback) {
  const XmlNode* attribute = node.FindAttribute(name);
  if (attribute == nullptr) return fallback;
  T value{};
  ParseAttributeText(attribute->GetValue(), value);
  return value;
}

}  // namespace

ShaderDescriptor ShaderDescriptorFromXml(const XmlNode& node) {
  const bool mipmap = Attribute(node, "mipmap", false);
  const bool clamp = Attribute(node, "clamp", false);
  const bool random = Attribute(node, "random", false);
  const std::string diffuse = ShaderTextureName(GetAttributeValue(&node, "diffuse", ""));
  const std::string opacity = ShaderTextureName(GetAttributeValue(&node, "opacity", ""));

  ShaderDescriptor descriptor;
  if (node.FindAttribute("animation") == nullptr) {
    descriptor = ShaderDescriptor(diffuse, opacity, clamp);
  } else {
    const uint32_t type = AnimationFromName(GetAttributeValue(&node, "animation", ""));
    // Negative counts in the text become large unsigned ones; the animation bounds them.
    const auto count = [&](const char* name) { return static_cast<uint32_t>(Attribute(node, name, 0)); };
    descriptor = ShaderDescriptor(diffuse, opacity, mipmap, type, count("net_width"), count("net_height"),
                                  count("fcount"), Attribute(node, "speed", 0.0f), clamp);
  }
  // After the stage is made: the stage's own flags do not take it.
  if (random) descriptor.AddFlags(kShaderRandom);

  if (node.FindAttribute("border") != nullptr) {
    ShaderStage& first = descriptor.GetStage(0);
    first.address_u = Attribute(node, "clamp_u", false) ? kAddressClamp : kAddressWrap;
    first.address_v = Attribute(node, "clamp_v", false) ? kAddressClamp : kAddressWrap;
    first.scale = Attribute(node, "texture_scale", Vector2(1.0f, 1.0f));
    first.offset = Attribute(node, "texture_offset", Vector2(0.0f, 0.0f));
  }
  return descriptor;
}
