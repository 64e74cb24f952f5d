#pragma once
// The picture of a texture made from two image files: the colour file's image (shared with its
// resource, not copied, when there is nothing to merge), or a copy of it with the alpha file's
// image merged in as alpha when both are 24-bit-compatible powers of two of one size. Wrong sizes
// or depths are logged and the colour picture is used alone.

#include <cstddef>
#include <string>

#include "source/core/CountedPtr.h"
#include "source/texture/Image.h"

// Empty (logged) when the colour file's resource is missing or holds no picture: the texture then
// has no surface.
CountedPtr<Image> CombineImages(const std::string& texture_name, const std::string& color_file,
                                const std::string& alpha_file);

// While one lives (around a frame, which builds the textures it draws first), the colour and alpha
// pictures that combining decodes stay decoded, the most recent up to a bound of bytes, so that
// textures sharing one picture (one alpha under several colours, one colour under several alphas)
// decode it once. Closing it lets them go; the textures keep what they need.
class KeepDecodedPictures {
 public:
  explicit KeepDecodedPictures(std::size_t byte_bound = kDefaultBound);
  ~KeepDecodedPictures();
  KeepDecodedPictures(const KeepDecodedPictures&) = delete;
  KeepDecodedPictures& operator=(const KeepDecodedPictures&) = delete;

  static constexpr std::size_t kDefaultBound = 8u << 20;
};
