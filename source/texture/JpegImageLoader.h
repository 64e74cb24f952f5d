#pragma once
// JPEG files through libjpeg, reading straight from the program's stream. Every file that starts
// like a JPEG (FF D8 FF: JFIF, Exif and the rest) is tried; colour files give 24-bit images, grey
// ones 8-bit images. CMYK files and pictures larger than kMaxImagePixels are refused with a log
// line; a damaged file fails cleanly, and one that ends early decodes with the rest left as the
// decoder fills it. Writing JPEG is the content tool's business (JpegWriter.h): Save writes
// nothing.

#include "source/texture/ImageLoader.h"

class JpegImageLoader : public ImageLoader {
 public:
  bool Load(Image& image, cStream& stream) override;
  bool Save(const Image& image, cStream& stream) override { return true; }
};
