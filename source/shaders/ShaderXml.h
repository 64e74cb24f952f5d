#pragma once
// A shader described by the attributes of its resource-list element: "diffuse", "opacity", "clamp",
// "mipmap", "random", and for an animated stage "animation", "net_width", "net_height", "fcount"
// and "speed"; with "border", the first stage's "clamp_u", "clamp_v", "texture_scale" and
// "texture_offset". Missing attributes take their defaults.

#include "source/shaders/ShaderDescriptor.h"

class XmlNode;

ShaderDescriptor ShaderDescriptorFromXml(const XmlNode& node);
