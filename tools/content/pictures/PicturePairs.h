#pragma once
// The content tool's check of the textures the game will combine: every shader, font or scene
// that names a colour picture (and an opacity picture) gets pictures the engine takes as they are.
// Both sides powers of two and no larger than kLargestPictureSide; with an opacity picture, a
// 24-bit colour picture of the same size as its opacity. Anything else the game would resample,
// refuse (drawing an opaque box) or warn about at every load.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class XmlNode;

inline constexpr uint32_t kLargestPictureSide = 2048;

struct PictureFacts {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bits = 0;
};

// The facts of the picture of a resource name, or nothing when no such picture was written.
using PictureFinder = std::function<std::optional<PictureFacts>(const std::string& name)>;

// What is wrong with the texture of `diffuse` and `opacity` (which may be empty); empty when
// nothing is. A picture the finder does not know is left to the checks of names.
std::string PicturePairFault(const std::string& diffuse, const std::string& opacity, const PictureFinder& find);

// Every element under `root` (itself included) with a "diffuse" attribute, checked with its
// "opacity": the faults, one an element, each naming the element's "name".
std::vector<std::string> PicturePairFaults(const XmlNode& root, const PictureFinder& find);
