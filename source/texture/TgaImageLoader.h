#pragma once
// TGA files: every kind the game's art tools write (grey, colour-mapped, true colour at 16, 24
// and 32 bits, raw or run-length encoded, with the origin at the top or the bottom) are read;
// 8-bit images are written colour-mapped with a grey palette, 24- and 32-bit ones as true colour.
//
// A file is refused (logged, false) when its header cannot describe a picture (too short, no
// image data, an unknown type or depth, no size) or claims more pixels than kMaxImagePixels or
// than its data could encode; pixel data that ends early is completed with zeros, and a note
// (ImageDamage.h) says how many rows were whole.

#include "source/texture/ImageLoader.h"

class TgaImageLoader : public ImageLoader {
 public:
  bool Load(Image& image, cStream& stream) override;
  bool Save(const Image& image, cStream& stream) override;
};
