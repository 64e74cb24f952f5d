#include "source/texture/TextureCombine.h"

#include "source/Resources/cResourcePtr.h"
#include "source/log/cLog.h"
#include "source/math/MathUtil.h"
#include "source/texture/Image.h"
#include "source/texture/TextureResource.h"

namespace {

constexpr const char* kSource = "source\\texture\\Texture2D_D3D7";

bool PowerOfTwoSides(const Image& image) { return IsPowerOfTwo(image.GetWidth()) && IsPowerOfTwo(image.GetHeight()); }

}  // namespace

CountedPtr<Image> CombineImages(const std::string& texture_name, const std::string& color_file,
                                const std::string& alpha_file) {
  // The resources only decode here: no device texture is made of either picture.
  cResourcePtr<TextureResource> color;
  cResourcePtr<TextureResource> alpha;
  color.Assign(color_file);
  alpha.Assign(alpha_file);
  CountedPtr<Image> color_image = color ? color->GetSharedImage() : CountedPtr<Image>();
  if (!color_image || color_image->IsEmpty()) {
    LogReport(kLogError, kSource, __LINE__, "Texture Manager: \"%s\" has no colour image \"%s\"", texture_name.c_str(),
              color_file.c_str());
    return CountedPtr<Image>();
  }
  if (!PowerOfTwoSides(*color_image)) {
    LogReport(kLogWarning, kSource, 37, "Texture Manager: \"%s\" image size should be power of two",
              color->GetName().c_str());
  }
  const Image* alpha_image = alpha ? alpha->GetImage() : nullptr;
  if (alpha_image == nullptr || alpha_image->IsEmpty()) return color_image;
  if (color_image->GetBitsPerPixel() != 24) {
    LogReport(kLogError, kSource, 45, "Texture Manager: \"%s\" image color depth should be 24 bit", texture_name.c_str());
  } else if (!PowerOfTwoSides(*alpha_image)) {
    LogReport(kLogError, kSource, 50, "Texture Manager: \"%s\" image size should be power of two", texture_name.c_str());
  } else if (alpha_image->GetWidth() != color_image->GetWidth() || alpha_image->GetHeight() != color_image->GetHeight()) {
    LogReport(kLogError, kSource, 55, "Texture Manager: \"%s\" image size should be the same as \"%s\"",
              alpha->GetName().c_str(), color->GetName().c_str());
  } else {
    CountedPtr<Image> combined(new Image);
    color_image->ConvertTo32(combined.Get());
    combined->SetAlphaFrom(*alpha_image);
    return combined;
  }
  return color_image;
}
