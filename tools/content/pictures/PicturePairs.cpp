#include "tools/content/pictures/PicturePairs.h"

#include "source/xml/XmlNode.h"

namespace {

bool PowerOfTwo(uint32_t side) { return side != 0 && (side & (side - 1)) == 0; }

std::string SizeText(const PictureFacts& facts) {
  return std::to_string(facts.width) + " x " + std::to_string(facts.height);
}

std::string SideFault(const std::string& name, const PictureFacts& facts) {
  if (!PowerOfTwo(facts.width) || !PowerOfTwo(facts.height)) {
    return name + " is " + SizeText(facts) + ": its sides must be powers of two";
  }
  if (facts.width > kLargestPictureSide || facts.height > kLargestPictureSide) {
    return name + " is " + SizeText(facts) + ": no side may pass " + std::to_string(kLargestPictureSide);
  }
  return std::string();
}

std::string Attribute(const XmlNode& node, const char* name) {
  const XmlNode* attribute = node.FindAttribute(name);
  return attribute != nullptr ? attribute->GetValue() : std::string();
}

void Collect(const XmlNode& node, const PictureFinder& find, std::vector<std::string>& faults) {
  const std::string diffuse = Attribute(node, "diffuse");
  if (!diffuse.empty()) {
    const std::string fault = PicturePairFault(diffuse, Attribute(node, "opacity"), find);
    if (!fault.empty()) faults.push_back(Attribute(node, "name") + ": " + fault);
  }
  for (const XmlNode* child = node.GetFirstChild(); child != nullptr; child = child->GetNext()) {
    Collect(*child, find, faults);
  }
}

}  // namespace

std::string PicturePairFault(const std::string& diffuse, const std::string& opacity, const PictureFinder& find) {
  const std::optional<PictureFacts> colour = find(diffuse);
  if (!colour) return std::string();
  if (std::string fault = SideFault(diffuse, *colour); !fault.empty()) return fault;
  if (opacity.empty()) return std::string();
  const std::optional<PictureFacts> alpha = find(opacity);
  if (!alpha) return std::string();
  if (std::string fault = SideFault(opacity, *alpha); !fault.empty()) return fault;
  if (alpha->width != colour->width || alpha->height != colour->height) {
    return opacity + " is " + SizeText(*alpha) + " but " + diffuse + " is " + SizeText(*colour) +
           ": a picture and its opacity must have the same size";
  }
  if (colour->bits != 24) {
    return diffuse + " has " + std::to_string(colour->bits) + " bits a pixel: a picture with an opacity must have 24";
  }
  return std::string();
}

std::vector<std::string> PicturePairFaults(const XmlNode& root, const PictureFinder& find) {
  std::vector<std::string> faults;
  Collect(root, find, faults);
  return faults;
}
