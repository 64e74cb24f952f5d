#pragma once
// Packs one level image into a locked surface of any RGB pixel format: each channel byte is cut
// to its mask's width and shifted into place. Grey images are spread to grey colour, images
// without alpha are opaque, and rows keep their order (the image's bottom row is the surface's
// first).

#include "platform/gfx/Types.h"

class Image;

// `memory` and `pitch` come from the lock; the image must be the locked size.
void PackPixels(const Image& image, const gfx::PixelFormat& format, void* memory, int32_t pitch);
// Every pixel at the maximum of every channel (opaque white).
void FillWhite(uint32_t width, uint32_t height, const gfx::PixelFormat& format, void* memory, int32_t pitch);
