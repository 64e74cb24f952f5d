#include "source/texture/TextureCombine.h"

#include <deque>

#include "source/Resources/cResourcePtr.h"
#include "source/log/cLog.h"
#include "source/math/MathUtil.h"
#include "source/texture/Image.h"
#include "source/texture/TextureResource.h"

namespace {

constexpr const char* kSource = "source\\texture\\Texture2D_D3D7";

bool PowerOfTwoSides(const Image& image) { return IsPowerOfTwo(image.GetWidth()) && IsPowerOfTwo(image.GetHeight()); }

// The pictures kept decoded while a KeepDecodedPictures lives, oldest first.
struct KeptPictures {
  std::deque<cResourcePtr<TextureResource>> pictures;
  std::size_t bytes = 0;
  std::size_t bound = 0;
  int open = 0;  // scopes open; they may nest
};
KeptPictures g_kept;

std::size_t BytesOf(const cResourcePtr<TextureResource>& picture) {
  return picture->GetImage() != nullptr ? picture->GetImage()->GetPixelBytes() : 0;
}

void Keep(const cResourcePtr<TextureResource>& picture) {
  if (g_kept.open == 0 || !picture) return;
  for (const cResourcePtr<TextureResource>& kept : g_kept.pictures) {
    if (kept.Get() == picture.Get()) return;
  }
  g_kept.pictures.push_back(picture);
  g_kept.bytes += BytesOf(picture);
  while (g_kept.bytes > g_kept.bound && !g_kept.pictures.empty()) {
    g_kept.bytes -= BytesOf(g_kept.pictures.front());
    g_kept.pictures.pop_front();
  }
}

}  // namespace

CountedPtr<Image> CombineImages(const std::string& texture_name, const std::string& color_file,
                                const std::string& alpha_file) {
  // The resources only decode here: no device texture is made of either picture.
  cResourcePtr<TextureResource> color;
  cResourcePtr<TextureResource> alpha;
  color.Assign(color_file);
  alpha.Assign(alpha_file);
  Keep(color);
  Keep(alpha);
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

KeepDecodedPictures::KeepDecodedPictures(std::size_t byte_bound) {
  // A scope inside another keeps to the outer bound unless it asks for more.
  if (g_kept.open++ == 0 || byte_bound > g_kept.bound) g_kept.bound = byte_bound;
}

KeepDecodedPictures::~KeepDecodedPictures() {
  if (--g_kept.open > 0) return;
  g_kept.pictures.clear();
  g_kept.bytes = 0;
}
