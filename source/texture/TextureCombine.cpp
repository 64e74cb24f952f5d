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

bool CombineImages(const std::string& texture_name, const std::string& color_file, const std::string& alpha_file,
                   Image& combined) {
  cResourcePtr<TextureResource> color;
  cResourcePtr<TextureResource> alpha;
  color.Assign(color_file);
  alpha.Assign(alpha_file);
  const Image* color_image = color ? color->GetImage() : nullptr;
  if (color_image == nullptr || color_image->IsEmpty()) {
    LogReport(kLogError, kSource, __LINE__, "Texture Manager: \"%s\" has no colour image \"%s\"", texture_name.c_str(),
              color_file.c_str());
    return false;
  }
  combined = *color_image;
  if (!PowerOfTwoSides(combined)) {
    LogReport(kLogWarning, kSource, 37, "Texture Manager: \"%s\" image size should be power of two",
              color->GetName().c_str());
  }
  const Image* alpha_image = alpha ? alpha->GetImage() : nullptr;
  if (alpha_image == nullptr || alpha_image->IsEmpty()) return true;
  if (combined.GetBitsPerPixel() != 24) {
    LogReport(kLogError, kSource, 45, "Texture Manager: \"%s\" image color depth should be 24 bit", texture_name.c_str());
  } else if (!PowerOfTwoSides(*alpha_image)) {
    LogReport(kLogError, kSource, 50, "Texture Manager: \"%s\" image size should be power of two", texture_name.c_str());
  } else if (alpha_image->GetWidth() != combined.GetWidth() || alpha_image->GetHeight() != combined.GetHeight()) {
    LogReport(kLogError, kSource, 55, "Texture Manager: \"%s\" image size should be the same as \"%s\"",
              alpha->GetName().c_str(), color->GetName().c_str());
  } else {
    combined.SetAlphaFrom(*alpha_image);
  }
  return true;
}
